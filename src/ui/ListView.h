#pragma once

#include "ui/Control.h"

#include <functional>
#include <string>
#include <vector>

namespace tlx4r::ui {

enum class Alignment { Left, Right, Center };

// A list in report mode: columns with header, width (twips) and alignment; rows with the first
// column's text, the sub-items of the others, a key and a tag. Selection is of whole rows.
class ListView : public Control {
public:
    struct Column {
        std::string header;
        int width = 1440;
        Alignment alignment = Alignment::Left;
    };
    struct Row {
        std::string text;
        std::vector<std::string> sub_items;  // columns 2, 3, …
        std::string key;
        std::string tag;
    };

    ListView(Form& form, std::string name, Frame* container = nullptr)
        : Control(form, ControlKind::ListView, std::move(name), -1, container) {}

    const std::vector<Column>& Columns() const { return columns_; }
    void AddColumn(std::string header, int width_twips, Alignment alignment = Alignment::Left);
    void ClearColumns();

    int Count() const { return static_cast<int>(rows_.size()); }
    // Throws std::out_of_range for an index outside the rows.
    const Row& Item(int index) const;
    // The text shown in column (0 = first) of row index; "" beyond the sub-items.
    std::string CellText(int index, int column) const;
    // Throws std::invalid_argument when key is not empty and already used.
    int AddRow(Row row);
    void SetRow(int index, Row row);
    void RemoveRow(int index);
    void ClearRows();
    // -1 when no row has that key.
    int FindKey(const std::string& key) const;

    bool FullRowSelect() const { return full_row_select_; }
    void SetFullRowSelect(bool value);

    // -1 for none; setting a new row fires ItemClick.
    int SelectedIndex() const { return selected_; }
    void SetSelectedIndex(int index);

    std::function<void(int row)> ItemClick;
    std::function<void(int column)> ColumnClick;

    void UserSelect(int index);
    // The user double-clicks a row: it is selected, then DblClick fires.
    void UserDoubleClickRow(int index);
    void UserClickColumn(int column);

private:
    void CheckRow(int index) const;
    std::vector<Column> columns_;
    std::vector<Row> rows_;
    bool full_row_select_ = true;
    int selected_ = -1;
};

}  // namespace tlx4r::ui
