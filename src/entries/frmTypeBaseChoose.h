#pragma once

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/ListView.h"

#include <optional>
#include <string>
#include <vector>

namespace tlx4r {

// The category chooser of a tariff catalogue: the categories with code and name, first only the
// named ("active") ones; btnAll switches between all 37 and the active ones. Ok, Enter or a
// double click take the selected category, btnStandard the standard category 1, Abbrechen,
// Escape or closing the window none (0). Made for one use by its caller.
class frmTypeBaseChoose : public ui::Form {
public:
    frmTypeBaseChoose();

    ui::ListView ListView1{*this, "ListView1"};
    ui::Button btnAll{*this, "btnAll", "&Alle"};
    ui::Button btnStandard{*this, "btnStandard", "&Standard"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "A&bbrechen"};

    // The catalogue's display name ("Gebühren") and the names of its categories 1..37 in order
    // (a missing or empty name marks an inactive category), then the category init_value
    // selected. An initial category without a name shows all categories, so that the current
    // one is seen; otherwise the list starts with the active ones.
    void Load(const std::string& display_name, std::vector<std::string> names, int init_value);
    void SetPosition(std::optional<int> left, std::optional<int> top);
    // Shows the chooser modally: the chosen category 1..37, 0 when the user cancelled.
    int Choose();
    int Result() const { return result_; }
    // True while all 37 categories are listed.
    bool ShowsAll() const { return show_all_; }

private:
    void Fill(int select);
    int SelectedNumber() const;
    bool Active(int number) const;
    void Accept();
    void FitColumns();

    std::vector<std::string> names_;
    bool show_all_ = false;
    int result_ = 0;
};

}  // namespace tlx4r
