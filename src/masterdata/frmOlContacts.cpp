#include "masterdata/frmOlContacts.h"

#include "core/modStringLibrary.h"
#include "masterdata/OlContacts.h"
#include "types/Utf8.h"
#include "ui/KeyCodes.h"
#include "ui/Ui.h"

namespace tlx4r {

frmOlContacts::frmOlContacts(OlContacts& owner) : ui::Form("frmOlContacts", "Kontakt wählen"), owner_(owner) {
    btnSource.SetToolTip("Kontaktdatei (vCard) oder Ordner wählen");
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    SetMinimumSize(ui::PixelsToTwips(360), ui::PixelsToTwips(360));
    txtCon.Change = [this] { Fill(); };
    lstCon.DblClick = [this] { btnOk.UserClick(); };
    btnOk.Click = [this] {
        const int row = lstCon.ListIndex();
        chosen_ = row < 0 ? 0 : static_cast<int>(lstCon.ItemData(row));
        Hide();
    };
    btnCancel.Click = [this] {
        chosen_ = 0;
        Hide();
    };
    QueryUnload = [this](bool&) { chosen_ = 0; };
    btnSource.Click = [this] {
        if (owner_.SourceChoose()) Fill();
    };
}

bool frmOlContacts::SearchKeyDown(int key_code) {
    if (key_code != ui::kKeyDown || lstCon.ListCount() == 0 || !txtCon.UserFocus()) return false;
    return lstCon.UserFocus();
}

bool frmOlContacts::ListKeyDown(int key_code) {
    if (key_code != ui::kKeyUp || lstCon.ListIndex() > 0 || !lstCon.UserFocus()) return false;
    return txtCon.UserFocus();
}

void frmOlContacts::Fill() {
    ui::Form::EventScope scope(*this);
    ui::BusyPointer busy;
    lstCon.Clear();
    owner_.AssertLoaded();
    const std::string search = utf8::Lower(Trim(txtCon.Text()));
    for (int i = 1; i <= owner_.Count(); ++i) {
        const std::string name = owner_.FileAs(i);
        if (search.empty() || utf8::Lower(name).find(search) != std::string::npos) lstCon.AddItem(name, i);
    }
    if (lstCon.ListCount() > 0) lstCon.SetListIndex(0);
    std::string source = owner_.Source();
    std::string line = source.empty() ? std::string("Keine Kontaktdatei gewählt")
                                      : std::to_string(owner_.Count()) + " Kontakte aus " + source;
    const std::size_t skipped = owner_.Problems().size();
    if (skipped == 1) line += "; 1 Karte nicht lesbar";
    if (skipped > 1) line += "; " + std::to_string(skipped) + " Karten nicht lesbar";
    lblSource.SetCaption(line);
}

int frmOlContacts::Choose() {
    chosen_ = 0;
    {
        ui::Form::EventScope scope(*this);
        if (!txtCon.Text().empty())
            txtCon.SetText("");  // fills through Change
        else
            Fill();
        txtCon.SetFocus();
    }
    Show(true);
    return chosen_;
}

}  // namespace tlx4r
