#include "masterdata/frmDatas.h"

#include "masterdata/Datas.h"
#include "ui/KeyCodes.h"
#include "ui/Ui.h"

#include <algorithm>
#include <string>

namespace tlx4r {

namespace {

constexpr const char* kNl = "\r\n";

}  // namespace

frmDatas::frmDatas(Datas& owner) : ui::Form("frmDatas", "Data"), owner_(owner) {
    btnNew.SetToolTip("Neuer Eintrag <ins>");
    btnEdit.SetToolTip("Eintrag bearbeiten");
    btnDelete.SetToolTip("Eintrag löschen <del>");
    btnDeleteAll.SetToolTip("Alle Einträge löschen");
    btnExport.SetToolTip("Einträge exportieren");
    btnImport.SetToolTip("Einträge importieren");
    btnSync.SetToolTip("Verwendete aber nicht mehr vorhandene Einträge wiederherstellen");
    btnPrefix.SetToolTip("Standardtext vorne einfügen");
    btnPostfix.SetToolTip("Standardtext hinten anhängen");
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    SetMinimumSize(ui::PixelsToTwips(520), ui::PixelsToTwips(320));

    ListView1.ItemClick = [this](int) { SelectionChanged(); };
    // A double click edits the row in maintenance and takes it when choosing.
    ListView1.DblClick = [this] {
        if (maintenance_)
            DoEdit();
        else
            Confirm();
    };
    btnNew.Click = [this] { DoNew(); };
    btnEdit.Click = [this] { DoEdit(); };
    btnDelete.Click = [this] { DoDelete(); };
    btnDeleteAll.Click = [this] {
        const std::string all = "Alle " + owner_.FlavorTextAll() + " löschen?";
        if (ui::MsgBox(all, ui::Buttons::YesNoCancel, ui::Icon::Question, owner_.FlavorTextAll() + " löschen?") !=
            ui::Answer::Yes)
            return;
        owner_.DeleteAll();
        Reload(-1);
    };
    btnExport.Click = [this] { owner_.Export(); };
    btnImport.Click = [this] {
        const std::int32_t was = SelectedID();
        owner_.Import();
        Reload(was);
    };
    btnSync.Click = [this] {
        const std::int32_t was = SelectedID();
        owner_.Sync();
        Reload(was);
    };
    btnPrefix.Click = [this] {
        owner_.SetPrefix(true);
        Confirm();
    };
    btnPostfix.Click = [this] {
        owner_.SetPostfix(true);
        Confirm();
    };
    btnOk.Click = [this] { Confirm(); };
    btnCancel.Click = [this] {
        canceled_ = true;
        Hide();
    };
    QueryUnload = [this](bool&) { canceled_ = true; };
}

bool frmDatas::ListKeyDown(int key_code, bool alt) {
    if (!maintenance_ || !ListView1.UserFocus()) return false;
    if (key_code == ui::kKeyInsert && !alt) {
        DoNew();
    } else if (key_code == ui::kKeyDelete && !alt) {
        DoDelete();
    } else if (key_code == ui::kKeyReturn && alt) {
        DoEdit();
    } else {
        return false;
    }
    return true;
}

std::int32_t frmDatas::SelectedID() const {
    const int row = ListView1.SelectedIndex();
    if (row < 0) return -1;
    try {
        return std::stoi(ListView1.Item(row).key);
    } catch (const std::exception&) {
        return -1;
    }
}

void frmDatas::Reload(std::int32_t select_id) {
    owner_.LoadView(select_id);
    SelectionChanged();
}

void frmDatas::SelectionChanged() {
    if (!maintenance_) return;
    const bool real = SelectedID() > 0;
    btnEdit.SetEnabled(real);
    btnDelete.SetEnabled(real);
}

void frmDatas::Confirm() {
    canceled_ = false;
    Hide();
}

void frmDatas::DoNew() {
    const auto added = owner_.EditNew();
    Reload(added ? added->ID : SelectedID());
}

void frmDatas::DoEdit() {
    const std::int32_t id = SelectedID();
    if (id < 1) return;
    owner_.EditByID(id);
    Reload(id);
}

void frmDatas::DoDelete() {
    const int row = ListView1.SelectedIndex();
    const std::int32_t id = SelectedID();
    if (id < 1) return;
    if (ui::MsgBox(owner_.FlavorText() + ": " + ListView1.Item(row).text + kNl + kNl + "Löschen?",
                   ui::Buttons::YesNoCancel, ui::Icon::Question, owner_.FlavorText() + " löschen") != ui::Answer::Yes)
        return;
    owner_.Delete(id);
    // The row below the deleted one takes its place.
    owner_.LoadView(-1);
    if (ListView1.Count() > 0) ListView1.SetSelectedIndex(std::min(row, ListView1.Count() - 1));
    SelectionChanged();
}

std::int32_t frmDatas::Choose(std::int32_t id, std::optional<int> x, std::optional<int> y) {
    maintenance_ = false;
    SetCaption(owner_.FlavorText() + " auswählen");
    owner_.LoadView(id);
    // The row "(ohne Zuordnung)" alone is no choice: the table itself is empty.
    if (ListView1.Count() <= (owner_.WithChargesAndExpenses() ? 0 : 1)) {
        ui::MsgBox("Keine " + owner_.FlavorText() + " Einträge!", ui::Buttons::Ok, ui::Icon::Exclamation,
                   "Kelvora Reporting V4");
        return -1;
    }
    for (ui::Button* b : {&btnNew, &btnEdit, &btnDelete, &btnDeleteAll, &btnExport, &btnImport, &btnSync, &btnCancel})
        b->SetVisible(false);
    const bool templates = owner_.Flavor() == "Template";
    btnPrefix.SetVisible(templates);
    btnPostfix.SetVisible(templates);
    btnOk.SetCaption("&Ok");
    if (x && y) Move(*x, *y);
    canceled_ = true;
    ListView1.SetFocus();
    Show(true);
    if (canceled_) return -1;
    return SelectedID();
}

void frmDatas::EditAll() {
    maintenance_ = true;
    SetCaption(owner_.FlavorText() + " bearbeiten");
    for (ui::Button* b : {&btnCancel, &btnEdit, &btnDelete, &btnNew, &btnDeleteAll, &btnExport, &btnImport})
        b->SetVisible(true);
    btnSync.SetVisible(!owner_.WithChargesAndExpenses());
    btnPrefix.SetVisible(false);
    btnPostfix.SetVisible(false);
    btnOk.SetCaption("&Fertig");
    Reload(-1);
    ListView1.SetFocus();
    Show(true);
}

}  // namespace tlx4r
