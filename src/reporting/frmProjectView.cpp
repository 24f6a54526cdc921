#include "reporting/frmProjectView.h"

#include "core/Reporting.h"
#include "core/modReporting.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "masterdata/Projects.h"
#include "ui/Ui.h"

#include <vector>

namespace tlx4r {

namespace {

const char* const kGroupCaptions[] = {"(ohne)", "Person", "Abteilung", "Geschäftsart"};
const char* const kOrderCaptions[] = {"Konto", "Name", "Eröffnung", "Abschluss", "Rechnung"};
const char* const kOrderFields[] = {"AccountCode", "AccountName", "DateBegin", "DateEnd", "DateBilled"};

// The lookup tables have no column "Name": their full name is what users know them by.
std::string NameColumn(const std::string& table) { return table + "NameFull"; }

void Join(std::string& text, const std::string& part, const char* separator) {
    if (part.empty()) return;
    if (!text.empty()) text += separator;
    text += part;
}

}  // namespace

frmProjectView::frmProjectView(Source source, bool with_export)
    : ui::Form("frmProjectView", "Geschäfte auswählen"),
      source_(std::move(source)),
      date_tabs_{DateTab{fraOptions2, DateRange2, chkDateEmptyOnly2, chkDateEmptyWithout2, "DateBegin"},
                 DateTab{fraOptions3, DateRange3, chkDateEmptyOnly3, chkDateEmptyWithout3, "DateEnd"},
                 DateTab{fraOptions4, DateRange4, chkDateEmptyOnly4, chkDateEmptyWithout4, "DateBilled"}} {
    busy_ = true;
    for (int i = 0; i < 4; ++i) optGroup[i].SetCaption(kGroupCaptions[i]);
    for (int i = 0; i < 5; ++i) optOrder[i].SetCaption(kOrderCaptions[i]);
    optFibu[0].SetCaption("Alle");
    optFibu[1].SetCaption("Mit Konto");
    optFibu[2].SetCaption("Ohne Konto");
    optClient[0].SetCaption("Alle");
    optClient[1].SetCaption("Mit Eintrag");
    optClient[2].SetCaption("Ohne Eintrag");
    btnStd.SetToolTip("Standardeinstellungen wiederherstellen");
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    for (const ui::Frame* f : {&fraOptions1, &fraOptions2, &fraOptions3, &fraOptions4, &fraOptions5, &fraOptions6})
        tabOptions.AddTab(f->Caption());
    if (!with_export) {
        // The tab strip has no way to drop a tab; build it anew without the last one.
        tabOptions.ClearTabs();
        for (const ui::Frame* f : {&fraOptions1, &fraOptions2, &fraOptions3, &fraOptions4, &fraOptions5})
            tabOptions.AddTab(f->Caption());
    }
    for (DateTab& tab : date_tabs_) {
        tab.empty_only.SetToolTip("Nur Einträge ohne Datum anzeigen");
        tab.empty_without.SetToolTip("Geschäfte ohne Datum nicht anzeigen");
        tab.range.Changed = [this] { Rebuild(); };
        tab.empty_only.Click = [this, &tab] { DateEmptyOnlyClicked(tab); };
        tab.empty_without.Click = [this] { Rebuild(); };
    }
    exporter_.SetStd();
    lblProjectExportFormats.SetCaption(exporter_.Formats());

    auto rebuild = [this] { Rebuild(); };
    tabOptions.Click = [this] { ShowTab(tabOptions.SelectedIndex() + 1); };
    for (int i : optGroup.Indexes()) optGroup[i].Click = [this] { GroupClicked(); };
    chkSelect.Click = [this] {
        if (busy_) return;
        cbxSelect.SetEnabled(chkSelect.Checked());
        if (chkSelect.Checked()) FillSelectList();
        Rebuild();
    };
    cbxSelect.Click = rebuild;
    for (int i : optOrder.Indexes()) optOrder[i].Click = rebuild;
    chkDesc.Click = rebuild;
    for (int i : optFibu.Indexes()) optFibu[i].Click = rebuild;
    for (int i : optClient.Indexes()) optClient[i].Click = rebuild;
    chkExport.Click = [this] { ExportClicked(); };
    btnFormats.Click = [this] { FormatsClicked(); };
    btnStd.Click = [this] { SetStandard(); };
    btnOk.Click = [this] {
        dialog_canceled_ = false;
        if (chkExport.Checked()) Export();
        Hide();
    };
    btnCancel.Click = [this] {
        dialog_canceled_ = true;
        Hide();
    };
    busy_ = false;
    SetStandard();
}

void frmProjectView::Choose() {
    dialog_canceled_ = true;
    FormShowModal(*this);
}

void frmProjectView::SetStandard() {
    busy_ = true;
    {
        ui::Form::EventScope scope(*this);
        optGroup[0].SetValue(true);
        chkSelect.SetChecked(false);
        chkSelect.SetEnabled(false);
        cbxSelect.SetEnabled(false);
        optOrder[0].SetValue(true);
        chkDesc.SetChecked(false);
        for (DateTab& tab : date_tabs_) {
            tab.empty_only.SetChecked(false);
            tab.empty_without.SetChecked(false);
            tab.empty_without.SetEnabled(true);
            tab.range.Enabled(true);
            tab.range.SetFromTo(std::nullopt, std::nullopt);
        }
        optClient[0].SetValue(true);
        optFibu[0].SetValue(true);
        chkExport.SetChecked(false);
        for (ui::Control* c :
             std::initializer_list<ui::Control*>{&chkExportMakeOneFile, &chkExportClearBefore, &btnFormats})
            c->SetEnabled(false);
        chkExportMakeOneFile.SetChecked(false);
        chkExportClearBefore.SetChecked(false);
        tabOptions.SetSelectedIndex(0);
        ShowTab(1);
    }
    busy_ = false;
    Rebuild();
}

int frmProjectView::Group() const {
    for (int i : optGroup.Indexes())
        if (optGroup[i].Value()) return i;
    return 0;
}

int frmProjectView::Order() const {
    for (int i : optOrder.Indexes())
        if (optOrder[i].Value()) return i;
    return 0;
}

const char* frmProjectView::GroupTable(int group) {
    switch (group) {
        case 1: return "Person";
        case 2: return "Department";
        case 3: return "ProjectType";
        default: return "";
    }
}

std::string frmProjectView::GroupByField() const { return chkSelect.Checked() ? std::string() : GroupTable(Group()); }

std::string frmProjectView::GroupByText() const {
    if (chkSelect.Checked() || Group() == 0) return {};
    return kGroupCaptions[Group()];
}

std::string frmProjectView::SortClause() const {
    const int order = Order();
    std::string clause = kOrderFields[order];
    if (chkDesc.Checked()) clause += " DESC";
    if (order >= 2) clause += ", AccountCode";
    return clause;
}

void frmProjectView::ShowTab(int index) {
    const std::array<ui::Frame*, 6> frames{&fraOptions1, &fraOptions2, &fraOptions3,
                                           &fraOptions4, &fraOptions5, &fraOptions6};
    for (std::size_t i = 0; i < frames.size(); ++i) frames[i]->SetVisible(static_cast<int>(i) + 1 == index);
}

void frmProjectView::GroupClicked() {
    if (busy_) return;
    const bool grouped = Group() != 0;
    busy_ = true;
    chkSelect.SetEnabled(grouped);
    if (!grouped) chkSelect.SetChecked(false);
    cbxSelect.SetEnabled(grouped && chkSelect.Checked());
    busy_ = false;
    if (chkSelect.Checked()) FillSelectList();
    Rebuild();
}

void frmProjectView::FillSelectList() {
    const bool was_busy = busy_;
    busy_ = true;
    cbxSelect.Clear();
    cbxSelect.AddItem(GroupByValueNull(), 0);
    const std::string table = GroupTable(Group());
    db::Database* db = source_.database ? source_.database() : nullptr;
    if (!table.empty() && db != nullptr) {
        db::Recordset rs =
            db->OpenRecordset("SELECT * FROM " + table + " ORDER BY " + NameColumn(table) + ";");
        for (; !rs.Eof(); rs.MoveNext()) {
            const std::int32_t id = rs.Get("ID").ToLong();
            std::string name = rs.Get(NameColumn(table)).ToText();
            if (name.empty()) name = "(" + std::string(kGroupCaptions[Group()]) + " " + std::to_string(id) + ")";
            cbxSelect.AddItem(name, id);
        }
    }
    cbxSelect.SetListIndex(0);
    busy_ = was_busy;
}

void frmProjectView::DateEmptyOnlyClicked(DateTab& tab) {
    if (busy_) return;
    busy_ = true;
    const bool only = tab.empty_only.Checked();
    if (only) tab.empty_without.SetChecked(false);
    tab.empty_without.SetEnabled(!only);
    tab.range.Enabled(!only);
    busy_ = false;
    Rebuild();
}

void frmProjectView::ExportClicked() {
    if (busy_) return;
    const bool on = chkExport.Checked();
    busy_ = true;
    chkExportClearBefore.SetEnabled(on);
    chkExportMakeOneFile.SetEnabled(on);
    btnFormats.SetEnabled(on);
    if (!on) {
        chkExportClearBefore.SetChecked(false);
        chkExportMakeOneFile.SetChecked(false);
    }
    busy_ = false;
    if (on && lblProjectExportFormats.Caption().empty()) FormatsClicked();
}

void frmProjectView::FormatsClicked() {
    exporter_.SetFormats(lblProjectExportFormats.Caption());
    if (exporter_.Choose()) lblProjectExportFormats.SetCaption(exporter_.Formats());
    if (lblProjectExportFormats.Caption().empty()) chkExport.SetChecked(false);
}

void frmProjectView::Export() {
    const char* const title = "Geschäfts-Export";
    try {
        if (goReporting == nullptr || goReporting->Projects() == nullptr) throw std::runtime_error("Keine Datenbank");
        const std::int32_t n = goReporting->Projects()->ExportExec(
            sql_, "export", "export", chkExportMakeOneFile.Checked(), chkExportClearBefore.Checked(),
            lblProjectExportFormats.Caption());
        ui::MsgBox("Exportierte Einträge: " + std::to_string(n), ui::Buttons::Ok, ui::Icon::Information, title);
    } catch (const std::exception& e) {
        ui::MsgBox(std::string(e.what()) + "\r\n" + "Fehler beim exportieren!", ui::Buttons::Ok, ui::Icon::Critical,
                   title);
    }
}

void frmProjectView::Rebuild() {
    if (busy_) return;
    order_.clear();
    where_.clear();
    sql_.clear();
    description_.clear();
    std::vector<std::string> conditions;

    const int group = Group();
    const std::string table = GroupTable(group);
    if (chkSelect.Checked() && !table.empty()) {
        const int i = cbxSelect.ListIndex();
        if (i <= 0)
            conditions.push_back(table + "ID = 0");
        else
            conditions.push_back(table + "ID=" + std::to_string(cbxSelect.ItemData(i)));
        order_ = SortClause();
        Join(description_, std::string(kGroupCaptions[group]) + ": " + cbxSelect.Text(), " / ");
    } else if (group != 0) {
        order_ = table + "ID, " + SortClause();
        Join(description_, std::string("Gruppiert: ") + kGroupCaptions[group], " / ");
    } else {
        order_ = SortClause();
    }
    const int order = Order();
    Join(description_,
         std::string("Sortiert: ") + kOrderCaptions[order] + (chkDesc.Checked() ? " (absteigend)" : "") +
             (order >= 2 ? ", Konto" : ""),
         " / ");

    for (const DateTab& tab : date_tabs_) {
        const std::string field = tab.field;
        std::string condition;
        std::string text;
        const std::string range = tab.range.SQL(field);
        if (tab.empty_only.Checked()) {
            condition = field + " Is Null";
            text = "Nur leeres Datum";
        } else if (!range.empty()) {
            condition = range;
            text = tab.range.Description();
        } else if (tab.empty_without.Checked()) {
            condition = "NOT (" + field + " Is Null)";
            text = "Ohne leeres Datum";
        }
        if (!condition.empty()) conditions.push_back(condition);
        if (!text.empty()) Join(description_, tab.frame.Caption() + ": " + text, " / ");
    }

    if (optClient[1].Value()) {
        conditions.emplace_back("Project.ClientID>0");
        Join(description_, "Klienten-Adresse: Mit Eintrag", " / ");
    } else if (optClient[2].Value()) {
        conditions.emplace_back("Project.ClientID=0");
        Join(description_, "Klienten-Adresse: Ohne Eintrag", " / ");
    }
    if (optFibu[1].Value()) {
        conditions.emplace_back("NOT (Code Is Null)");
        Join(description_, "Fibu-Klientenkonto: Mit Eintrag", " / ");
    } else if (optFibu[2].Value()) {
        conditions.emplace_back("Code Is Null");
        Join(description_, "Fibu-Klientenkonto: Ohne Eintrag", " / ");
    }

    for (const auto& c : conditions) where_ += (where_.empty() ? "(" : " AND (") + c + ")";
    std::string clauses;
    if (!where_.empty())
        clauses = "WHERE (" + where_ + ")";
    else
        Join(description_, "Alle", " / ");
    if (!order_.empty()) clauses += (where_.empty() ? "" : " ") + std::string("ORDER BY ") + order_;

    const std::string a = source_.accounts_table ? source_.accounts_table() : std::string("Accounts");
    sql_ = "SELECT Project.*, ProjectType.*, Department.*, Person.*, [" + a + "].* " + "FROM " + a +
           " RIGHT JOIN (Department RIGHT JOIN (Person RIGHT JOIN " +
           "(ProjectType RIGHT JOIN Project ON ProjectType.ID = Project.ProjectTypeID) " +
           "ON Person.ID = Project.PersonID) ON Department.ID = Project.DepartmentID) ON " + "[" + a +
           "].Code = Project.AccountCode " + clauses + ";";

    count_ = -1;
    db::Database* db = source_.database ? source_.database() : nullptr;
    if (db != nullptr) {
        TraceWrite({"SQL=" + sql_, "AnalyzeCount", "frmProjectView"});
        try {
            db::Recordset rs = db->OpenRecordset(sql_);
            if (!rs.Eof()) rs.MoveLast();
            count_ = rs.Eof() && rs.Bof() ? 0 : rs.RecordCount();
            Join(description_, count_ == 0 ? std::string("Anzahl = 0!") : "Anzahl = " + std::to_string(count_),
                 " / ");
        } catch (const std::exception& e) {
            TraceWrite({"Err=" + std::string(e.what()), "AnalyzeCount", "frmProjectView"});
            ui::MsgBox("Err=" + std::string(e.what()) + "\r\n" + "Please report this error to the development team!",
                       ui::Buttons::Ok, ui::Icon::Critical, "Kelvora Reporting V4");
        }
    }
    lblDescription.SetCaption("Auswahl: " + description_);
}

}  // namespace tlx4r
