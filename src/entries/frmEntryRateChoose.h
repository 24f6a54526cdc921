#pragma once

#include "types/Currency.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/ListView.h"

#include <optional>
#include <string>
#include <vector>

namespace tlx4r {

class Entry;

// The rate chooser of the entry form: the current rate and the rates of the people, the project
// and the project's type and department the entry relates to. Ok, Enter or a double click take
// the rate of the selected row; Abbrechen, Escape or closing the window none. Made for one use.
class frmEntryRateChoose : public ui::Form {
public:
    // One origin of a rate; a row whose source does not exist shows "(fehlt)" and has no rate.
    struct Row {
        std::string origin;
        std::string name;
        std::optional<Currency> rate;
    };

    frmEntryRateChoose();

    ui::ListView ListView1{*this, "ListView1"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "A&bbrechen"};

    // The seven rows for entry, in order: the current rate ("(keine Änderung)"), the default
    // person, the entry's person, the project, and the project's person, type and department.
    // The lookup tables are those of the open reporting database (none: every source is missing).
    static std::vector<Row> Rows(const Entry& entry, Currency current_rate);

    // Shows rows, the first one selected.
    void Load(std::vector<Row> rows);
    void SetPosition(std::optional<int> left, std::optional<int> top);
    // Shows the chooser modally for entry: the chosen rate, nullopt when the user cancelled.
    std::optional<Currency> Choose(const Entry& entry, Currency current_rate);
    // Shows the rows loaded before.
    std::optional<Currency> Choose();

private:
    void Accept();
    void FitColumns();

    std::vector<Row> rows_;
    std::optional<Currency> result_;
};

}  // namespace tlx4r
