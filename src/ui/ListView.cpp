#include "ui/ListView.h"

#include "ui/Form.h"

#include <stdexcept>

namespace tlx4r::ui {

void ListView::AddColumn(std::string header, int width_twips, Alignment alignment) {
    if (width_twips < 0) throw std::invalid_argument(Key() + ": negative column width");
    columns_.push_back(Column{std::move(header), width_twips, alignment});
    Touch();
}

void ListView::ClearColumns() {
    columns_.clear();
    Touch();
}

void ListView::CheckRow(int index) const {
    if (index < 0 || index >= Count()) {
        throw std::out_of_range(Key() + ": no row " + std::to_string(index) + " (" + std::to_string(Count()) + " rows)");
    }
}

const ListView::Row& ListView::Item(int index) const {
    CheckRow(index);
    return rows_[static_cast<std::size_t>(index)];
}

std::string ListView::CellText(int index, int column) const {
    const Row& row = Item(index);
    if (column == 0) return row.text;
    if (column < 0 || static_cast<std::size_t>(column) > row.sub_items.size()) return {};
    return row.sub_items[static_cast<std::size_t>(column - 1)];
}

int ListView::AddRow(Row row) {
    if (!row.key.empty() && FindKey(row.key) >= 0) throw std::invalid_argument(Key() + ": key \"" + row.key + "\" is not unique");
    rows_.push_back(std::move(row));
    Touch();
    return Count() - 1;
}

void ListView::SetRow(int index, Row row) {
    CheckRow(index);
    int other = row.key.empty() ? -1 : FindKey(row.key);
    if (other >= 0 && other != index) throw std::invalid_argument(Key() + ": key \"" + row.key + "\" is not unique");
    rows_[static_cast<std::size_t>(index)] = std::move(row);
    Touch();
}

void ListView::RemoveRow(int index) {
    CheckRow(index);
    rows_.erase(rows_.begin() + index);
    if (selected_ == index) {
        selected_ = -1;
    } else if (selected_ > index) {
        --selected_;
    }
    Touch();
}

void ListView::ClearRows() {
    rows_.clear();
    selected_ = -1;
    Touch();
}

int ListView::FindKey(const std::string& key) const {
    for (int i = 0; i < Count(); ++i) {
        if (rows_[static_cast<std::size_t>(i)].key == key) return i;
    }
    return -1;
}

void ListView::SetFullRowSelect(bool value) {
    full_row_select_ = value;
    Touch();
}

void ListView::SetSelectedIndex(int index) {
    if (index != -1) CheckRow(index);
    if (index == selected_) return;
    Form::EventScope scope(Owner());
    selected_ = index;
    Touch();
    if (index >= 0 && ItemClick) ItemClick(index);
}

void ListView::UserSelect(int index) {
    if (!CanUse()) return;
    Form::EventScope scope(Owner());
    if (!UserFocus()) return;
    SetSelectedIndex(index);
}

void ListView::UserDoubleClickRow(int index) {
    if (!CanUse()) return;
    Form::EventScope scope(Owner());
    UserSelect(index);
    if (selected_ == index) Fire(DblClick);
}

void ListView::UserClickColumn(int column) {
    if (!CanUse() || column < 0 || column >= static_cast<int>(columns_.size())) return;
    Form::EventScope scope(Owner());
    if (ColumnClick) ColumnClick(column);
}

}  // namespace tlx4r::ui
