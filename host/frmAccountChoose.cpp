#include "host/frmAccountChoose.h"

#include "core/modStringLibrary.h"
#include "types/Utf8.h"
#include "ui/Ui.h"

namespace tlx4r {

frmAccountChoose::frmAccountChoose() : ui::Form("frmAccountChoose", "Konto auswählen") {
    lvwAccounts.AddColumn("Konto", 1400);
    lvwAccounts.AddColumn("Name", 4200);
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    SetMinimumSize(ui::PixelsToTwips(360), ui::PixelsToTwips(300));
    txtSearch.Change = [this] { Filter(); };
    lvwAccounts.ItemClick = [this](int) { btnOk.SetEnabled(true); };
    lvwAccounts.DblClick = [this] { Accept(); };
    btnOk.Click = [this] { Accept(); };
    btnCancel.Click = [this] {
        chosen_.reset();
        Hide();
    };
    QueryUnload = [this](bool&) { chosen_.reset(); };
}

void frmAccountChoose::Load(std::vector<AccountData> accounts, const std::string& preselection) {
    accounts_ = std::move(accounts);
    txtSearch.SetText("");  // refills the list when it changes the text
    Filter();
    const std::string wanted = utf8::Lower(Trim(preselection));
    int select = lvwAccounts.Count() > 0 ? 0 : -1;
    for (int i = 0; i < lvwAccounts.Count() && !wanted.empty(); ++i) {
        if (utf8::Lower(lvwAccounts.Item(i).key) == wanted) {
            select = i;
            break;
        }
    }
    lvwAccounts.SetSelectedIndex(select);
    btnOk.SetEnabled(select >= 0);
}

void frmAccountChoose::Filter() {
    Form::EventScope scope(*this);
    const std::string was = SelectedCode();
    const std::string search = utf8::Lower(Trim(txtSearch.Text()));
    lvwAccounts.ClearRows();
    int select = -1;
    for (const AccountData& a : accounts_) {
        // A code is searched from its start (typing "1100" narrows to that group), a name
        // anywhere in it.
        if (!search.empty() && utf8::Lower(a.code).rfind(search, 0) != 0 &&
            utf8::Lower(a.name).find(search) == std::string::npos)
            continue;
        const int row = lvwAccounts.AddRow({a.code, {a.name}, a.code, ""});
        if (a.code == was) select = row;
    }
    if (select < 0 && lvwAccounts.Count() > 0) select = 0;
    lvwAccounts.SetSelectedIndex(select);
    btnOk.SetEnabled(select >= 0);
    lblCount.SetCaption(std::to_string(lvwAccounts.Count()) + " von " + std::to_string(accounts_.size()) +
                        " Konten");
}

std::string frmAccountChoose::SelectedCode() const {
    const int i = lvwAccounts.SelectedIndex();
    return i < 0 ? std::string() : lvwAccounts.Item(i).key;
}

void frmAccountChoose::Accept() {
    const std::string code = SelectedCode();
    if (code.empty()) {
        ui::Current().Beep();
        return;
    }
    chosen_ = code;
    Hide();
}

std::optional<std::string> frmAccountChoose::Choose(const std::string& caption, std::optional<int> x,
                                                    std::optional<int> y) {
    SetCaption(caption);
    if (x && y) Move(ui::PixelsToTwips(*x), ui::PixelsToTwips(*y));
    chosen_.reset();
    txtSearch.SetFocus();
    Show(true);
    return chosen_;
}

}  // namespace tlx4r
