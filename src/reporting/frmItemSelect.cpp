#include "reporting/frmItemSelect.h"

#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "ui/Ui.h"

namespace tlx4r {

frmItemSelect::frmItemSelect() : ui::Form("frmItemSelect", "Person auswählen") {
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    btnOk.Click = [this] {
        const std::string text = cbxSelect.Text();
        const auto blank = text.find(' ');
        const std::string head = text.substr(0, blank);
        if (head == "*") {
            selected_id_ = -1;
        } else {
            try {
                selected_id_ = static_cast<std::int32_t>(std::stol(head));
            } catch (const std::exception&) {
                selected_id_ = 0;
            }
        }
        const auto name = blank == std::string::npos ? std::string::npos : text.find_first_not_of(' ', blank);
        selected_name_ = name == std::string::npos ? std::string() : text.substr(name);
        Hide();
    };
    btnCancel.Click = [this] { Hide(); };
}

void frmItemSelect::Choose(const std::string& table, const std::string& topic) {
    table_ = table;
    topic_ = topic;
    selected_id_ = -2;
    selected_name_ = "*** cancel ***";
    SetCaption("Einträge nach " + topic);
    lblSelect.SetCaption("&Auswahl " + topic + ":");
    if (FillList()) FormShowModal(*this);
}

bool frmItemSelect::FillList() {
    db::Recordset rs;
    try {
        if (goDatabase == nullptr) throw std::runtime_error("no database");
        rs = goDatabase->OpenRecordset(table_);
    } catch (const std::exception&) {
        ui::MsgBox("Can't open table " + table_, ui::Buttons::Ok, ui::Icon::Critical, "Kelvora Reporting V4");
        return false;
    }
    ui::Form::EventScope scope(*this);
    cbxSelect.Clear();
    cbxSelect.AddItem("*  Alle");
    cbxSelect.AddItem("0  (nicht zugeordnet)");
    const std::string full = topic_ + "NameFull";
    const std::string plain = topic_ + "Name";
    const bool has_full = rs.HasField(full);
    const bool has_plain = rs.HasField(plain);
    for (; !rs.Eof(); rs.MoveNext()) {
        std::string name;
        if (has_full && !rs.Get(full).IsNull()) {
            name = rs.Get(full).ToText();
        } else if (has_plain && !rs.Get(plain).IsNull()) {
            name = rs.Get(plain).ToText();
        }
        const std::int32_t id = rs.Get("ID").ToLong();
        cbxSelect.AddItem(std::to_string(id) + "   " + name, id);
    }
    cbxSelect.SetListIndex(0);
    return true;
}

}  // namespace tlx4r
