#include "reporting/frmEntriesSelect.h"

#include "core/Finance.h"
#include "core/Reporting.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "masterdata/Datas.h"
#include "masterdata/Projects.h"

#include <array>
#include <cstring>

namespace tlx4r {

namespace {

constexpr std::array<const char*, 8> kCounts{"(Alle)", "10", "20", "50", "100", "200", "500", "1000"};
constexpr std::array<const char*, 4> kTextModes{"Enthält", "Beginnt mit", "Endet mit", "ist exakt"};
constexpr std::array<const char*, 4> kTextSummaries{"enthält ", "beginnt mit ", "endet mit ", "ist exakt "};
constexpr std::array<const char*, 5> kTabs{"Text", "Sortieren/Anzahl", "Datumsbereich", "Eintragstypen",
                                           "Geschäft/Person"};

// The person the user picks from the persons table's own list, current preselected; nullopt
// when cancelled. "(ohne Zuordnung)" gives 0, which means every person here.
std::optional<std::int32_t> PersonChoose(std::int32_t current) {
    if (goReporting == nullptr || goReporting->Persons() == nullptr) return std::nullopt;
    const std::int32_t id = goReporting->Persons()->Choose(current);
    if (id < 0) return std::nullopt;
    return id;
}

}  // namespace

frmEntriesSelect::frmEntriesSelect() : ui::Form("frmEntriesSelect", "Einträge auswählen") {
    busy_ = true;
    for (std::size_t i = 0; i < kTabs.size(); ++i) {
        fraSelect[static_cast<int>(i)].SetCaption(kTabs[i]);
        tabSelect.AddTab(std::string("&") + kTabs[i]);
    }
    for (int i = 0; i < 4; ++i) optText[i].SetCaption(kTextModes[static_cast<std::size_t>(i)]);
    optSortItem[0].SetCaption("Dat&um");
    optSortItem[1].SetCaption("Eint&rag");
    optSortDirection[0].SetCaption("&Vorwärts");
    optSortDirection[1].SetCaption("Rück&wärts");
    for (const char* c : kCounts) cbxCount.AddItem(c);
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    busy_ = false;

    auto summaries = [this] { Summaries(); };
    tabSelect.Click = [this] { ShowTab(tabSelect.SelectedIndex()); };
    txtTextSearch.Change = summaries;
    btnTextClear.Click = [this] { txtTextSearch.SetText(""); };
    for (int i : optText.Indexes()) optText[i].Click = summaries;
    for (int i : optSortItem.Indexes()) optSortItem[i].Click = summaries;
    for (int i : optSortDirection.Indexes()) optSortDirection[i].Click = summaries;
    cbxCount.Click = [this] {
        const int i = cbxCount.ListIndex();
        max_count_ = i <= 0 ? 0 : std::stol(cbxCount.List(i));
        Summaries();
    };
    btnSelectAll.Click = [this] { SortSelectAll(); };
    btnSelectLast100.Click = [this] { SortSelectLast100(); };
    DateRange.Changed = summaries;
    for (int i = 0; i < 7; ++i) TypeBox(i).Click = summaries;
    btnSelAll.Click = [this] { SetTypeAll(); };
    btnSelNone.Click = [this] { SetTypeNone(); };
    btnSelStd.Click = [this] { SetTypeStd(); };
    btnSelWork.Click = [this] { SetTypeWork(); };
    cbArchive.Click = [this] { ArchiveClicked(); };
    btnProjectSel.Click = [this] {
        const std::int32_t id = goReporting != nullptr && goReporting->Finance() != nullptr
                                    ? goReporting->Finance()->ProjectChoose()
                                    : 0;
        if (id > 0) SetProject(id);
    };
    btnProjectAll.Click = [this] { SetProject(0); };
    btnPersonSel.Click = [this] {
        if (auto id = PersonChoose(person_id_)) SetPerson(*id);
    };
    btnPersonAll.Click = [this] { SetPerson(0); };
    btnOk.Click = [this] {
        dialog_canceled_ = false;
        Hide();
    };
    btnCancel.Click = [this] { Hide(); };
    QueryUnload = [this](bool& cancel) {
        // Closing the window is cancelling: hide, keep the criteria.
        cancel = true;
        Hide();
    };
    ResetAll();
    tabSelect.SetSelectedIndex(0);
}

void frmEntriesSelect::ResetAll() {
    busy_ = true;
    archive_state_ = 0;
    ShowArchive();
    SortSelectAll();
    optText[0].SetValue(true);
    txtTextSearch.SetText("");
    SetTypeAll();
    project_id_ = 0;
    person_id_ = 0;
    busy_ = false;
    Summaries();
}

void frmEntriesSelect::Choose() {
    dialog_canceled_ = true;
    FormShowModal(*this);
}

std::optional<int> frmEntriesSelect::Archive() const {
    if (archive_state_ == 2) return std::nullopt;
    return archive_state_;
}

ui::CheckBox& frmEntriesSelect::TypeBox(int index) {
    return const_cast<ui::CheckBox&>(static_cast<const frmEntriesSelect&>(*this).TypeBox(index));
}

const ui::CheckBox& frmEntriesSelect::TypeBox(int index) const {
    const std::array<const ui::CheckBox*, 7> boxes{&cbG, &cbR, &cbA, &cbT, &cbD, &cbN, &cbM};
    return *boxes.at(static_cast<std::size_t>(index));
}

std::vector<std::string> frmEntriesSelect::EntryType() const {
    std::vector<std::string> codes;
    for (int i = 0; i < 7; ++i)
        if (TypeBox(i).Checked()) codes.emplace_back(1, kTypeCodes[i]);
    return codes;
}

void frmEntriesSelect::SetEntryType(const std::vector<std::string>& codes) {
    std::string letters;
    for (const auto& code : codes) letters += code;
    SetTypes(letters.c_str());
}

void frmEntriesSelect::SetTypes(const char* codes) {
    {
        ui::Form::EventScope scope(*this);
        const bool was_busy = busy_;
        busy_ = true;
        for (int i = 0; i < 7; ++i) TypeBox(i).SetChecked(std::strchr(codes, kTypeCodes[i]) != nullptr);
        busy_ = was_busy;
    }
    Summaries();
}

bool frmEntriesSelect::EntryTypeAll() const { return EntryType().size() == 7; }
bool frmEntriesSelect::EntryTypeNone() const { return EntryType().empty(); }
void frmEntriesSelect::SetTypeStd() { SetTypes("GRANM"); }
void frmEntriesSelect::SetTypeWork() { SetTypes("A"); }
void frmEntriesSelect::SetTypeAll() { SetTypes(kTypeCodes); }
void frmEntriesSelect::SetTypeNone() { SetTypes(""); }

void frmEntriesSelect::SortSelectAll() {
    const bool was_busy = busy_;
    busy_ = true;
    SortDateSet();
    SortForwardSet();
    cbxCount.SetListIndex(0);
    max_count_ = 0;
    busy_ = was_busy;
    Summaries();
}

void frmEntriesSelect::SortSelectLast100() {
    const bool was_busy = busy_;
    busy_ = true;
    SortIDSet();
    SortReverseSet();
    cbxCount.SetText("100");
    max_count_ = 100;
    busy_ = was_busy;
    Summaries();
}

void frmEntriesSelect::SetProject(std::int32_t id) {
    project_id_ = id;
    Summaries();
}

void frmEntriesSelect::SetPerson(std::int32_t id) {
    person_id_ = id;
    Summaries();
}

void frmEntriesSelect::ArchiveClicked() {
    if (busy_) return;
    archive_state_ = (archive_state_ + 1) % 3;
    ShowArchive();
    Summaries();
}

void frmEntriesSelect::ShowArchive() {
    // The box's own click has already toggled it; show the state instead. Its Click, fired by
    // the change, finds the form busy.
    const bool was_busy = busy_;
    busy_ = true;
    cbArchive.SetValue(static_cast<ui::CheckState>(archive_state_));
    busy_ = was_busy;
}

void frmEntriesSelect::ShowTab(int index) {
    for (int i : fraSelect.Indexes()) fraSelect[i].SetVisible(i == index);
}

// ---- statement ----------------------------------------------------------------------------

std::string frmEntriesSelect::SQL() const {
    return "SELECT " + SQLTop() + SQLFromSpecial() + SQLFrom() + SQLWhere() + SQLOrderBy() + ";";
}

std::string frmEntriesSelect::SQLTop() const {
    return max_count_ > 0 ? "TOP " + std::to_string(max_count_) + " " : std::string();
}

std::string frmEntriesSelect::SQLFromSpecial() {
    return "Project.ID AS ItemID, "
           "Project.AccountCode AS ItemCode, "
           "Project.AccountName AS ItemName, "
           "Person.PersonNameShort AS ItemShort, "
           "Entry.ID AS EntryID, "
           "Entry.PersonID AS PersonID, "
           "Entry.Archive AS Archive, "
           "Entry.Text AS TextLine, "
           "[Charges]+[Expenses]+[Adapted]+[Vat]-[Billed] AS Amount, "
           "[TimeTo]-[TimeFrom]-[TimeBreak] AS Hours, ";
}

std::string frmEntriesSelect::SQLFrom() {
    return "Entry.*, Project.*, Person.* FROM Person RIGHT JOIN (Project RIGHT JOIN Entry ON Project.ID = "
           "Entry.ProjectID) ON Person.ID = Entry.PersonID ";
}

std::string frmEntriesSelect::SQLWhere() const {
    std::vector<std::string> parts{SQLWhereDate(), SQLWhereEntryTypes(), SQLWhereArchive(), SQLWhereText()};
    if (project_id_ != 0) parts.push_back("(Entry.ProjectID = " + std::to_string(project_id_) + ")");
    if (person_id_ != 0) parts.push_back("(Entry.PersonID = " + std::to_string(person_id_) + ")");
    std::string where;
    for (const auto& p : parts) {
        if (p.empty()) continue;
        if (!where.empty()) where += " AND ";
        where += p;
    }
    return where.empty() ? std::string() : "WHERE(" + where + ") ";
}

std::string frmEntriesSelect::SQLWhereDate() const { return DateRange.SQL("Entry.BookDate"); }

std::string frmEntriesSelect::SQLWhereEntryTypes() const {
    const auto codes = EntryType();
    if (codes.size() == 7) return {};
    if (codes.empty()) return "FALSE";
    std::string list;
    for (const auto& c : codes) list += (list.empty() ? "" : ",") + Quote(c);
    return "(Entry.RecTypeText IN(" + list + "))";
}

std::string frmEntriesSelect::SQLWhereArchive() const {
    switch (archive_state_) {
        case 0: return "(Entry.Archive = FALSE)";
        case 1: return "(Entry.Archive = TRUE)";
        default: return {};
    }
}

std::string frmEntriesSelect::SQLWhereText() const {
    const std::string& text = txtTextSearch.Text();
    if (Trim(text).empty()) return {};
    std::string op;
    if (optText[1].Value()) {
        op = "LIKE " + Quote(text + "*");
    } else if (optText[2].Value()) {
        op = "LIKE " + Quote("*" + text);
    } else if (optText[3].Value()) {
        op = "= " + Quote(text);
    } else {
        op = "LIKE " + Quote("*" + text + "*");
    }
    return "(Entry.Text " + op + ")";
}

std::string frmEntriesSelect::SQLOrderBy() const {
    const std::string desc = SortReverse() ? " DESC" : "";
    const char* first = SortID() ? "Entry.ID" : "Entry.BookDate";
    const char* second = SortID() ? "Entry.BookDate" : "Entry.ID";
    return std::string("ORDER BY ") + first + desc + "," + second + desc;
}

// ---- summaries ----------------------------------------------------------------------------

void frmEntriesSelect::Summaries() {
    if (busy_) return;
    ui::Form::EventScope scope(*this);
    std::string project;
    if (project_id_ != 0 && goReporting != nullptr && goReporting->Projects() != nullptr) {
        const Project p = goReporting->Projects()->Item(project_id_);
        project = "Geschäft: " + p.AccountCode + " " + p.AccountName;
    } else if (project_id_ != 0) {
        project = "Geschäft: " + std::to_string(project_id_);
    }
    lblProject.SetCaption(project);

    std::string person;
    if (person_id_ != 0 && goReporting != nullptr && goReporting->Persons() != nullptr) {
        person = "Person: " + goReporting->Persons()->Item(person_id_).NameFull;
    } else if (person_id_ != 0) {
        person = "Person: " + std::to_string(person_id_);
    }
    lblPerson.SetCaption(person);

    std::string text;
    if (!txtTextSearch.Text().empty()) {
        int mode = 0;
        for (int i : optText.Indexes())
            if (optText[i].Value()) mode = i;
        text = std::string("Text: ") + kTextSummaries[static_cast<std::size_t>(mode)] + Quote(txtTextSearch.Text());
    }
    lblText.SetCaption(text);

    lblSort.SetCaption(std::string("Sortiert: ") + (SortReverse() ? "rückwärts " : "") + "nach " +
                       (SortID() ? "Eintrag" : "Datum"));
    lblMaxCount.SetCaption(max_count_ > 0 ? "Anzahl: maximal " + std::to_string(max_count_) : std::string());

    const auto codes = EntryType();
    std::string types;
    if (codes.empty()) {
        types = "Keine Eintragsarten";
    } else if (codes.size() < 7) {
        types = "Eintragsarten: ";
        for (const auto& c : codes) types += c;
    }
    lblType.SetCaption(types);
    lblArchive.SetCaption(archive_state_ == 0 ? "Archiviert: nein"
                                              : archive_state_ == 1 ? "Archiviert: ja" : std::string());

    std::string selected;
    for (const std::string& part : {lblProject.Caption(), lblPerson.Caption(), DateRange.Description(),
                                    lblText.Caption(), lblSort.Caption(), lblMaxCount.Caption(), lblType.Caption(),
                                    lblArchive.Caption()}) {
        if (part.empty()) continue;
        if (!selected.empty()) selected += " / ";
        selected += part;
    }
    lblSelected.SetCaption(selected);
}

}  // namespace tlx4r
