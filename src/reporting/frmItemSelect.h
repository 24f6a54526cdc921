#pragma once

#include "ui/Controls.h"

#include <cstdint>
#include <string>

namespace tlx4r {

// Picks one row of a lookup table, all rows or none, for a report filter. The list shows
// "*  Alle", "0  (nicht zugeordnet)" and one line per row: its ID, three blanks and its name.
class frmItemSelect : public ui::Form {
public:
    frmItemSelect();

    // Fills the list from table (topic names its name fields, "Person" → PersonNameFull, else
    // PersonName) and shows the form modally. A table that cannot be opened is reported and the
    // form is not shown. Afterwards SelectedID is -2 when cancelled ("*** cancel ***"), -1 for
    // all, 0 for not assigned, else the row's ID.
    void Choose(const std::string& table, const std::string& topic);

    std::int32_t SelectedID() const { return selected_id_; }
    const std::string& SelectedName() const { return selected_name_; }
    const std::string& Table() const { return table_; }
    const std::string& Topic() const { return topic_; }

    ui::Label lblSelect{*this, "lblSelect", "&Auswahl Person:"};
    ui::ComboBox cbxSelect{*this, "cbxSelect"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "Abbruch"};

private:
    bool FillList();

    std::string table_;
    std::string topic_;
    std::int32_t selected_id_ = -2;
    std::string selected_name_ = "*** cancel ***";
};

}  // namespace tlx4r
