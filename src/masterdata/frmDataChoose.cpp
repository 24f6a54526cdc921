#include "masterdata/frmDataChoose.h"

#include "core/Reporting.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "masterdata/Clients.h"
#include "ui/KeyCodes.h"
#include "ui/Ui.h"

#include <sstream>

namespace tlx4r {

frmDataChoose::frmDataChoose() : ui::Form("frmDataChoose", "Auswählen") {
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    SetMinimumSize(ui::PixelsToTwips(320), ui::PixelsToTwips(300));
    txtData.Change = [this] { Fill(); };
    lstData.DblClick = [this] { Accept(); };
    btnOk.Click = [this] { Accept(); };
    btnCancel.Click = [this] {
        chosen_ = 0;
        Hide();
    };
    QueryUnload = [this](bool&) { chosen_ = 0; };
    btnNew.Click = [this] {
        Clients* clients = goReporting ? goReporting->Clients() : nullptr;
        if (clients == nullptr) return;
        const std::int32_t id = clients->EditNew();
        if (id < 1) return;
        const Client added = clients->Item(id);
        if (added.NoMatch) return;  // the editor deleted it again
        txtData.SetText(added.KeyName);
        txtData.SetFocus();
        txtData.SelectAll();
    };
}

bool frmDataChoose::SearchKeyDown(int key_code) {
    if (key_code != ui::kKeyDown || lstData.ListCount() == 0 || !txtData.UserFocus()) return false;
    return lstData.UserFocus();
}

std::string frmDataChoose::SqlFor(int kind, const std::string& search) {
    const std::string name = DataFlavorNameField(kind);
    std::string sql = "SELECT * FROM " + DataFlavorTable(kind);
    std::istringstream words(search);
    std::string pattern;
    for (std::string word; words >> word;) {
        if (!pattern.empty()) pattern += "* ";
        pattern += word;
    }
    if (!pattern.empty()) sql += " WHERE (" + name + " Like " + Quote(pattern + "*") + ")";
    return sql + " ORDER BY " + name + ";";
}

void frmDataChoose::Fill() {
    ui::Form::EventScope scope(*this);
    lstData.Clear();
    ids_.clear();
    if (goDatabase == nullptr) return;
    sql_ = SqlFor(kind_, txtData.Text());
    const std::string name = DataFlavorNameField(kind_);
    auto rs = goDatabase->OpenRecordset(sql_, db::RecordsetType::Snapshot);
    for (; !rs.Eof() && lstData.ListCount() < kMaxRows; rs.MoveNext()) {
        const std::int32_t id = rs.Get("ID").ToLong();
        lstData.AddItem(NullToString(rs.Get(name)), id);
        ids_.push_back(id);
    }
    if (lstData.ListCount() > 0) lstData.SetListIndex(0);
}

void frmDataChoose::Accept() {
    const int row = lstData.ListIndex();
    if (row < 0 || row >= static_cast<int>(ids_.size())) {
        ui::MsgBox(DataFlavorText(kind_) + " nicht  ausgewählt!", ui::Buttons::Ok, ui::Icon::Information,
                   "Kelvora Reporting V4");
        chosen_ = 0;
        Hide();
        return;
    }
    chosen_ = ids_[static_cast<std::size_t>(row)];
    Hide();
}

std::int32_t frmDataChoose::Choose(int kind, std::int32_t current_id) {
    kind_ = kind;
    chosen_ = 0;
    SetCaption(DataFlavorText(kind) + " auswählen");
    btnNew.SetVisible(kind == 1);
    std::string current;
    if (current_id > 0 && goDatabase != nullptr) {
        auto rs = goDatabase->OpenRecordset("SELECT * FROM " + DataFlavorTable(kind) + " WHERE (ID = " +
                                                std::to_string(current_id) + ");",
                                            db::RecordsetType::Snapshot);
        if (!rs.Eof()) current = NullToString(rs.Get(DataFlavorNameField(kind)));
    }
    {
        ui::Form::EventScope scope(*this);
        if (txtData.Text() == current) Fill();  // the text does not change, so Change does not fill
        txtData.SetText(current);
        txtData.SetFocus();
        txtData.SelectAll();
    }
    Show(true);
    return chosen_;
}

}  // namespace tlx4r
