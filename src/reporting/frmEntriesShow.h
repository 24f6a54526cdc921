#pragma once

#include "db/Value.h"
#include "reporting/frmEntriesSelect.h"
#include "ui/Controls.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tlx4r::db {
class Database;
class Recordset;
}

namespace tlx4r {

// Lists the entries that an entries selection of its own describes, with the total amount and
// the hours of each, and lets the user pick one. The selection's criteria live as long as this
// form and are independent of any other selection dialog.
class frmEntriesShow : public ui::Form {
public:
    // The list holds at most this many rows; the last one then marks the cut.
    static constexpr int kMaxRows = 1000;

    // One column of the list: header, the result column it shows, width (twips) and the format
    // ("" plain, "cur" amount, "tim" hours).
    struct ColumnDef {
        const char* header;
        const char* field;
        int width;
        const char* format;
    };
    static const std::vector<ColumnDef>& ColumnTable();
    // A value of the selection's result as the list shows it in a column of that format:
    // amounts "#,##0.00" and hours "HH:mm", both empty when zero.
    static std::string CellText(const std::string& format, const db::Value& value);
    // The cell of a column for the current row of the selection's result. A missing break or
    // start counts as none for the hours, where the statement's own column is Null.
    static std::string CellText(const ColumnDef& column, const db::Recordset& rs);
    // The hours of the current row in days (a fraction); 0 when the entry has no times.
    static double HoursOf(const db::Recordset& rs);

    frmEntriesShow();

    // Selected entry 0 and DialogCanceled true; with last100 the selection is set to the last
    // 100 entries; with select the selection dialog is shown first (cancelling it returns at
    // once without showing the list). Then the list is filled from the database and shown.
    void Choose(bool select, bool last100);
    // The entry form's lookup: the ID the user chose (0 when OK without a row), nullopt when
    // cancelled.
    std::optional<std::int32_t> ChooseEntry(bool select = true, bool last100 = false);

    bool DialogCanceled() const { return dialog_canceled_; }
    std::int32_t SelectedID() const { return selected_id_; }
    frmEntriesSelect& Selection() { return select_; }

    // Refills the list with the selection's statement on db (the open reporting database when
    // nullptr); errors of the database pass to the caller.
    void FillList(db::Database* db = nullptr);

    ui::Frame fraShow{*this, "fraShow", ""};
    ui::ListView ListView1{*this, "ListView1", &fraShow};
    ui::Label lblSelected{*this, "lblSelected", ""};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbruch"};
    ui::Button btnSelect{*this, "btnSelect", "&Wählen"};
    ui::Button btnRefresh{*this, "btnRefresh", "&Refresh"};

private:
    void Accept();
    void Layout();

    frmEntriesSelect select_;
    std::int32_t selected_id_ = 0;
    bool dialog_canceled_ = true;
};

}  // namespace tlx4r
