#include "masterdata/frmClientProjects.h"

#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "ui/KeyCodes.h"
#include "ui/Ui.h"

namespace tlx4r {

frmClientProjects::frmClientProjects() : ui::Form("frmClientProjects", "Geschäfte auswählen") {
    optLinked[0].SetCaption("Diesem Klient zugeordnet");
    optLinked[1].SetCaption("Nicht zugeordnet");
    optLinked[2].SetCaption("Anderen Klienten zugeordnet");
    btnDone.SetCancel(true);
    SetMinimumSize(ui::PixelsToTwips(420), ui::PixelsToTwips(380));
    for (int i = 0; i < 3; ++i) {
        optLinked[i].Click = [this] {
            ui::Form::EventScope scope(*this);
            if (!txtProject.Text().empty())
                txtProject.SetText("");  // lists again through Change
            else
                Fill();
        };
    }
    txtProject.Change = [this] { Fill(); };
    btnLink.Click = [this] { Link(client_id_, "Verbinden", true); };
    btnLinkReplace.Click = [this] { Link(client_id_, "Ersetzen", true); };
    btnLinkRemove.Click = [this] { Link(0, "Löschen", false); };
    btnDone.Click = [this] { Hide(); };
}

bool frmClientProjects::SearchKeyDown(int key_code) {
    if (key_code != ui::kKeyDown || lstProject.ListCount() == 0 || !txtProject.UserFocus()) return false;
    return lstProject.UserFocus();
}

void frmClientProjects::Fill() {
    ui::Form::EventScope scope(*this);
    const std::string id = std::to_string(client_id_);
    std::string c;
    if (optLinked[1].Value())
        c = "(Project.ClientID = 0)";
    else if (optLinked[2].Value())
        c = "(Project.ClientID > 0) AND (Project.ClientID <> " + id + ")";
    else
        c = "(Project.ClientID = " + id + ")";
    btnLinkRemove.SetEnabled(optLinked[0].Value());
    btnLink.SetEnabled(optLinked[1].Value());
    btnLinkReplace.SetEnabled(optLinked[2].Value());
    const std::string search = Trim(txtProject.Text());
    if (!search.empty()) {
        const std::string p = Quote("*" + search + "*");
        c += " AND ((Project.AccountCode LIKE " + p + ") OR (Project.AccountName LIKE " + p + "))";
    }
    sql_ = "SELECT * FROM Project WHERE (" + c + ") ORDER BY Project.AccountCode;";
    lstProject.Clear();
    ids_.clear();
    rows_ = 0;
    if (goDatabase != nullptr) {
        auto rs = goDatabase->OpenRecordset(sql_, db::RecordsetType::Snapshot);
        for (; !rs.Eof() && rows_ < kMaxRows; rs.MoveNext(), ++rows_) {
            const std::int32_t project = rs.Get("ID").ToLong();
            lstProject.AddItem(NullToString(rs.Get("AccountCode")) + "  " + NullToString(rs.Get("AccountName")), project);
            ids_.push_back(project);
        }
    }
    if (rows_ == 0) {
        for (ui::Button* b : {&btnLink, &btnLinkRemove, &btnLinkReplace}) b->SetEnabled(false);
    } else {
        lstProject.SetListIndex(0);
    }
}

void frmClientProjects::Link(std::int32_t new_client, const char* action, bool with_caption) {
    const int row = lstProject.ListIndex();
    if (row < 0 || row >= static_cast<int>(ids_.size()) || goDatabase == nullptr) return;
    std::string question = "Geschäft - " + lstProject.List(row) + "\r\n";
    if (with_caption) question += Caption() + "\r\n";
    question += std::string(action) + "?";
    if (ui::MsgBox(question, ui::Buttons::YesNoCancel, ui::Icon::Question, "Kelvora Reporting V4") != ui::Answer::Yes)
        return;
    goDatabase->Execute("UPDATE Project SET ClientID = " + std::to_string(new_client) + " WHERE (ID = " +
                        std::to_string(ids_[static_cast<std::size_t>(row)]) + ");");
    Fill();
}

void frmClientProjects::ShowFor(std::int32_t client_id, const std::string& caption) {
    client_id_ = client_id;
    SetCaption(caption);
    {
        ui::Form::EventScope scope(*this);
        if (!optLinked[0].Value())
            optLinked[0].SetValue(true);  // lists through Click
        else if (!txtProject.Text().empty())
            txtProject.SetText("");  // lists through Change
        else
            Fill();
        txtProject.SetFocus();
    }
    Show(true);
}

}  // namespace tlx4r
