#pragma once

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/ListView.h"

#include <string>
#include <vector>

namespace tlx4r {

class TypeBase;

// The category editor of a tariff catalogue: every category with code, name, account and the
// account's name in the accounting. The user names a category (btnName, Enter or a double
// click), gives it an account of the accounting (btnAccount), clears it (btnDelete), or puts
// back the built-in names (btnDefault); each change is written at once. Made for one use.
class frmTypeBase : public ui::Form {
public:
    // One category as the list shows it.
    struct Row {
        int number = 0;
        std::string name;
        std::string account;
        std::string account_name;
    };

    frmTypeBase();

    ui::ListView ListView1{*this, "ListView1"};
    ui::CheckBox chkActiveOnly{*this, "chkActiveOnly", "Nur aktive zeigen"};
    ui::Button btnName{*this, "btnName", "&Name"};
    ui::Button btnAccount{*this, "btnAccount", "&Konto"};
    ui::Button btnDelete{*this, "btnDelete", "&Löschen"};
    ui::Button btnDefault{*this, "btnDefault", "&Standard"};
    ui::Button btnDone{*this, "btnDone", "&Fertig"};

    // Shows the editor modally for catalogue, which must stay open until it returns.
    void Edit(TypeBase& catalogue);
    // Shows rows without a catalogue (nothing can be changed then).
    void Load(const std::string& display_name, std::vector<Row> rows);
    // The category number of the selected row; 0 when none is selected.
    int SelectedNumber() const;

private:
    void Refill(int select);
    void Fill(int select);
    void NameEdit();
    void AccountChoose();
    void Clear();
    void Defaults();
    void FitColumns();

    TypeBase* catalogue_ = nullptr;
    std::vector<Row> rows_;
};

}  // namespace tlx4r
