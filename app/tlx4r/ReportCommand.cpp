// tlx4r report: the reports a host builds from the selection dialogs, made on the command line by
// filling those dialogs' controls and pressing OK; the statements come from the dialogs alone.
#include "Command.h"
#include "CsvText.h"
#include "FillingUi.h"
#include "HostSession.h"
#include "PdfOutput.h"
#include "ReportOptions.h"
#include "TextTable.h"

#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "entries/Entries.h"
#include "host/report/EntriesReport.h"
#include "host/report/ProjectsReport.h"
#include "host/report/ReportText.h"
#include "host/report/WorkReport.h"
#include "reporting/EntriesRange.h"
#include "reporting/EntriesSelect.h"
#include "reporting/ProjectView.h"
#include "reporting/frmEntriesRange.h"
#include "reporting/frmEntriesSelect.h"
#include "reporting/frmEntriesShow.h"
#include "reporting/frmProjectView.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace tlx4r::cli {

namespace {

struct Found {
    std::int32_t id;
    std::string name;
};

// The first row's ID and second column of a look-up; nullopt when there is none.
std::optional<Found> LookUp(db::Database& db, const std::string& sql) {
    auto rs = db.OpenRecordset(sql, db::RecordsetType::Snapshot);
    if (rs.Eof()) return std::nullopt;
    return Found{rs.Get(0).ToLong(), rs.Get(1).ToText()};
}

Found ProjectOf(db::Database& db, const std::string& code) {
    auto p = LookUp(db, "SELECT ID, AccountName FROM Project WHERE AccountCode = " + Quote(code) + ";");
    if (!p) throw BadOption{"--project: no project with the account code '" + code + "'"};
    return *p;
}

Found PersonOf(db::Database& db, const std::string& short_name) {
    auto p = LookUp(db, "SELECT ID, PersonNameFull FROM Person WHERE PersonNameShort = " + Quote(short_name) + ";");
    if (!p) throw BadOption{"--person: no person with the short name '" + short_name + "'"};
    return *p;
}

// Clicks the archive box until it shows state (0 not archived, 1 archived, 2 both).
template <class F>
void ArchiveTo(F& form, ui::CheckBox& box, int state) {
    for (int i = 0; i < 3 && form.Archive() != (state == 2 ? std::nullopt : std::optional<int>(state)); ++i)
        box.UserClick();
}

std::string CsvCell(const frmEntriesShow::ColumnDef& column, const db::Recordset& rs) {
    const std::string format = column.format;
    if (format == "cur") {
        const db::Value& v = rs.Get(column.field);
        return v.IsNull() ? std::string() : v.ToCurrency().Format(2, false);
    }
    return frmEntriesShow::CellText(column, rs);
}

// Prints (or writes as CSV) the rows of an entries statement in the columns of the entries list,
// with a totals line under the amounts and hours.
void EntriesOut(db::Database& db, const std::string& sql, const std::vector<std::size_t>& columns,
                const std::optional<std::string>& csv) {
    const auto& table = frmEntriesShow::ColumnTable();
    std::vector<std::string> headers;
    std::vector<bool> right;
    for (std::size_t c : columns) {
        headers.emplace_back(table[c].header);
        right.push_back(*table[c].format != '\0');
    }
    std::ofstream file;
    if (csv) {
        file.open(*csv, std::ios::binary | std::ios::trunc);
        if (!file) throw std::runtime_error("cannot write " + *csv);
        file << CsvLine(headers) << "\r\n";
    }
    TextTable text(headers, right);
    Currency amount;
    double hours = 0;
    long count = 0;
    for (auto rs = db.OpenRecordset(sql, db::RecordsetType::ForwardOnly); !rs.Eof(); rs.MoveNext()) {
        std::vector<std::string> row;
        for (std::size_t c : columns) row.push_back(csv ? CsvCell(table[c], rs) : frmEntriesShow::CellText(table[c], rs));
        if (csv)
            file << CsvLine(row) << "\r\n";
        else
            text.Add(std::move(row));
        const db::Value& a = rs.Get("Amount");
        if (!a.IsNull()) amount = amount + a.ToCurrency();
        hours += frmEntriesShow::HoursOf(rs);
        ++count;
    }
    if (csv) {
        file.close();
        if (!file) throw std::runtime_error("cannot write " + *csv);
        return;
    }
    std::vector<std::string> totals;
    for (std::size_t c : columns) {
        const std::string format = table[c].format;
        if (format == "cur" && std::string(table[c].field) == "Amount")
            totals.push_back(amount.IsZero() ? "0.00" : AmountFormat(amount));
        else if (format == "tim")
            totals.push_back(hours == 0 ? "00:00" : frmEntriesShow::CellText("tim", db::Value(hours)));
        else
            totals.emplace_back();
    }
    totals[0] = "Total";
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (std::string(table[columns[i]].header) == "Text") totals[i] = std::to_string(count) + " Einträge";
    text.AddTotals(std::move(totals));
    text.Print(std::cout);
}

void CheckPdf(const ReportOptions& o) {
    if (o.Value("--pdf") && !PdfAvailable())
        throw BadOption{"--pdf: this build of tlx4r has no PDF output (it was built without Qt)"};
}

// Writes the report as a PDF file when --pdf asks for one; true iff it did.
bool PdfOut(HostSession& session, const ReportOptions& o, report::ReportDocument doc) {
    const auto file = o.Value("--pdf");
    if (!file) return false;
    doc.office = report::OfficeName(session.Host(), session.Root().DatabaseName());
    doc.printed = report::PrintedToday();
    WritePdf(doc, *file);
    std::cout << Full(*file) << "\n";
    return true;
}

bool Open(HostSession& session, const ReportOptions& o) {
    DatabaseArgs args;
    args.reporting = Full(o.Reporting());
    if (auto f = o.Value("--finance")) args.finance = Full(*f);
    return session.Open(args);
}

// ---- entries ----------------------------------------------------------------------------

int ReportEntries(const std::vector<std::string>& args) {
    const ReportOptions o(args, {"--sql", "--reverse"},
                          {"--finance", "--from", "--to", "--types", "--archive", "--project", "--person", "--text",
                           "--match", "--sort", "--max", "--csv", "--pdf"});
    const auto from = o.DateOf("--from");
    const auto to = o.DateOf("--to");
    const auto types = o.Types("--types");
    const auto archive = o.Choice("--archive", {"no", "yes", "all"});
    const auto match = o.Choice("--match", {"contains", "begins", "ends", "exact"});
    const auto sort = o.Choice("--sort", {"date", "entry"});
    const auto max = o.Choice("--max", {"all", "10", "20", "50", "100", "200", "500", "1000"});
    if (match && !o.Value("--text")) throw BadOption{"--match needs --text"};
    if ((o.Flag("--sql") ? 1 : 0) + (o.Value("--csv") ? 1 : 0) + (o.Value("--pdf") ? 1 : 0) > 1)
        throw BadOption{"--sql, --csv and --pdf exclude each other"};
    CheckPdf(o);

    HostSession session;
    if (!Open(session, o)) return 1;
    db::Database& db = *session.Root().Database();
    std::optional<Found> project, person;
    if (auto code = o.Value("--project")) project = ProjectOf(db, *code);
    if (auto name = o.Value("--person")) person = PersonOf(db, *name);

    FillingUi filling(ui::Current());
    filling.Fill("frmEntriesSelect", [&](ui::Form& form) {
        auto& f = dynamic_cast<frmEntriesSelect&>(form);
        if (types) f.SetEntryType(*types);
        if (archive) {
            f.tabSelect.UserSelect(3);  // the box is on the record types' tab
            ArchiveTo(f, f.cbArchive, *archive);
        }
        if (auto text = o.Value("--text")) {
            f.txtTextSearch.SetText(*text);
            f.optText[match.value_or(0)].SetValue(true);
        }
        if (sort) f.optSortItem[*sort].SetValue(true);
        if (o.Flag("--reverse")) f.SortReverseSet();
        if (max) f.cbxCount.SetListIndex(*max);
        if (from || to) f.DateRange.SetFromTo(from, to);
        if (project) f.SetProject(project->id);
        if (person) f.SetPerson(person->id);
        f.btnOk.UserClick();
    });
    EntriesSelect& select = session.Root().Entries()->EntriesSelect();
    select.Choose(false);
    if (select.DialogCanceled) throw std::runtime_error("the selection was cancelled");
    if (o.Flag("--sql")) {
        std::cout << select.SQL << "\n" << select.Selected << "\n";
        return 0;
    }
    if (PdfOut(session, o, report::EntriesReport::Build(db, select.SQL, select.Selected))) return 0;
    std::vector<std::size_t> all;
    for (std::size_t i = 0; i < frmEntriesShow::ColumnTable().size(); ++i) all.push_back(i);
    if (!o.Value("--csv")) std::cout << select.Selected << "\n\n";
    EntriesOut(db, select.SQL, all, o.Value("--csv"));
    return 0;
}

// ---- work report and fee statement -----------------------------------------------------

int ReportWork(const std::vector<std::string>& args) {
    const ReportOptions o(args, {"--fees"},
                          {"--finance", "--project", "--from", "--to", "--types", "--archive", "--pdf"});
    const auto from = o.DateOf("--from");
    const auto to = o.DateOf("--to");
    const auto types = o.Types("--types");
    const auto archive = o.Choice("--archive", {"no", "yes", "all"});
    if (!o.Value("--project")) throw BadOption{"--project is required"};
    CheckPdf(o);

    HostSession session;
    if (!Open(session, o)) return 1;
    db::Database& db = *session.Root().Database();
    const std::string code = *o.Value("--project");
    const Found project = ProjectOf(db, code);

    FillingUi filling(ui::Current());
    filling.Fill("frmEntriesRange", [&](ui::Form& form) {
        auto& f = dynamic_cast<frmEntriesRange&>(form);
        if (types)
            f.SetEntryType(*types);
        else
            f.btnSelDefault.UserClick();
        if (archive) ArchiveTo(f, f.cbArchive, *archive);
        if (from || to) f.DateRange.SetFromTo(from, to);
        f.btnOk.UserClick();
    });
    EntriesRange& range = session.Root().Entries()->EntriesRange();
    range.Topic = "Geschäft";
    range.SelectedName = code + " " + project.name;
    range.WorkType = !o.Flag("--fees");
    range.Choose();
    if (range.DialogCanceled) throw std::runtime_error("the selection was cancelled");

    if (PdfOut(session, o, report::WorkReport::Build(db, project.id, range))) return 0;
    std::cout << report::WorkReport::Title(range) << ": " << range.SelectedName << "\n";
    std::cout << report::WorkReport::Criteria(range) << "\n\n";
    const std::string sql = report::WorkReport::Statement(project.id, range);
    // ID, Kurz, Datum, Typ, Text, Total, Stunden, Ansatz, Person
    EntriesOut(db, sql, {0, 1, 2, 3, 4, 5, 6, 7, 10}, std::nullopt);
    return 0;
}

// ---- project overview -------------------------------------------------------------------

void DateTab(const ReportOptions& o, const std::string& option, ctlDateRange& range, ui::CheckBox& empty_only,
             ui::CheckBox& empty_without, bool words) {
    auto v = o.Value(option);
    if (!v) return;
    if (words && *v == "empty") {
        empty_only.SetChecked(true);
    } else if (words && *v == "notempty") {
        empty_without.SetChecked(true);
    } else {
        auto r = ReportOptions::ParseRange(option, *v);
        range.SetFromTo(r.from, r.to);
    }
}

int ReportProjects(const std::vector<std::string>& args) {
    const ReportOptions o(args, {"--desc", "--sql"},
                          {"--finance", "--group", "--order", "--opened", "--closed", "--billed", "--clients",
                           "--accounts", "--pdf"});
    const auto group = o.Choice("--group", {"person", "department", "type"});
    const auto order = o.Choice("--order", {"code", "name", "opened", "closed", "billed"});
    const auto clients = o.Choice("--clients", {"with", "without"});
    const auto accounts = o.Choice("--accounts", {"with", "without"});
    // Check every range before anything is opened.
    if (auto v = o.Value("--opened")) ReportOptions::ParseRange("--opened", *v);
    for (const char* option : {"--closed", "--billed"})
        if (auto v = o.Value(option); v && *v != "empty" && *v != "notempty") ReportOptions::ParseRange(option, *v);
    if (o.Flag("--sql") && o.Value("--pdf")) throw BadOption{"--sql and --pdf exclude each other"};
    CheckPdf(o);

    HostSession session;
    if (!Open(session, o)) return 1;
    db::Database& db = *session.Root().Database();
    FillingUi filling(ui::Current());
    filling.Fill("frmProjectView", [&](ui::Form& form) {
        auto& f = dynamic_cast<frmProjectView&>(form);
        if (group) f.optGroup[*group + 1].SetValue(true);
        if (order) f.optOrder[*order].SetValue(true);
        if (o.Flag("--desc")) f.chkDesc.SetChecked(true);
        DateTab(o, "--opened", f.DateRange2, f.chkDateEmptyOnly2, f.chkDateEmptyWithout2, false);
        DateTab(o, "--closed", f.DateRange3, f.chkDateEmptyOnly3, f.chkDateEmptyWithout3, true);
        DateTab(o, "--billed", f.DateRange4, f.chkDateEmptyOnly4, f.chkDateEmptyWithout4, true);
        if (clients) f.optClient[*clients + 1].SetValue(true);
        if (accounts) f.optFibu[*accounts + 1].SetValue(true);
        f.btnOk.UserClick();
    });
    ProjectView& view = *session.Root().ProjectView();
    view.Choose();
    if (view.DialogCanceled()) throw std::runtime_error("the selection was cancelled");
    if (o.Flag("--sql")) {
        std::cout << view.SQL() << "\n" << view.Description() << "\n";
        return 0;
    }
    if (PdfOut(session, o, report::ProjectsReport::Build(db, view))) return 0;
    const std::string field = view.GroupByField();
    std::vector<std::string> headers{"Konto", "Name", "Eröffnung", "Abschluss", "Rechnung"};
    if (!field.empty()) headers.insert(headers.begin(), view.GroupByText());
    TextTable table(headers, std::vector<bool>(headers.size(), false));
    long count = 0;
    for (auto rs = db.OpenRecordset(view.SQL(), db::RecordsetType::Snapshot); !rs.Eof(); rs.MoveNext()) {
        std::vector<std::string> row;
        if (!field.empty()) {
            std::string name = rs.Get(field + "NameFull").ToText();
            row.push_back(name.empty() ? view.GroupByValueNull() : name);
        }
        for (const char* c : {"AccountCode", "AccountName", "DateBegin", "DateEnd", "DateBilled"})
            row.push_back(rs.Get(c).ToText());
        table.Add(std::move(row));
        ++count;
    }
    std::cout << view.Description() << "\n\n";
    table.Print(std::cout);
    std::cout << count << " Geschäfte\n";
    return 0;
}

}  // namespace

int RunReport(const std::vector<std::string>& args) {
    const std::string kind = args.empty() ? std::string() : args[0];
    const std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    try {
        if (kind == "entries") return ReportEntries(rest);
        if (kind == "work") return ReportWork(rest);
        if (kind == "projects") return ReportProjects(rest);
        std::cerr << "tlx4r report: the kind of report is missing or unknown (entries, work, projects)\n";
    } catch (const BadOption& bad) {
        std::cerr << "tlx4r report " << kind << ": " << bad.message << "\n";
    }
    return 2;
}

}  // namespace tlx4r::cli
