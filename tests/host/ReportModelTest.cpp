// The reports' lines and totals on the demonstration office, and where their pages break.
#include "host/report/EntriesReport.h"
#include "host/report/ProjectsReport.h"
#include "host/report/WorkReport.h"

#include "core/Reporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/TempDb.h"
#include "entries/Entries.h"
#include "host/DemoData.h"
#include "host/HostDocuments.h"
#include "host/HostInterface.h"
#include "host/HostOptions.h"
#include "host/HostTrace.h"
#include "platform/MemoryStore.h"
#include "reporting/EntriesRange.h"
#include "reporting/EntriesSelect.h"
#include "reporting/ProjectView.h"
#include "reporting/frmEntriesRange.h"
#include "reporting/frmEntriesSelect.h"
#include "reporting/frmProjectView.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

namespace tlx4r::report {
namespace {

using Kind = ReportLine::Kind;
const std::vector<std::string> kAllTypes{"G", "R", "A", "T", "D", "N", "M"};

// Clicks an archive box until both archived and current entries are chosen.
template <class F>
void BothArchives(F& form) {
    for (int i = 0; i < 3 && form.Archive(); ++i) form.cbArchive.UserClick();
}

Currency Amount(const std::string& cell) {
    if (cell.empty()) return {};
    auto parsed = Currency::Parse(cell);
    EXPECT_TRUE(parsed) << cell;
    return parsed.value_or(Currency());
}

long long Minutes(const std::string& cell) {
    if (cell.empty()) return 0;
    const auto colon = cell.find(':');
    return std::stoll(cell.substr(0, colon)) * 60 + std::stoll(cell.substr(colon + 1));
}

// The sums of one column of a report's rows.
Currency RowSum(const ReportDocument& doc, std::size_t column) {
    Currency sum;
    for (const auto& line : doc.Lines())
        if (line.kind == Kind::Row) sum += Amount(line.cells[column]);
    return sum;
}

std::vector<const ReportLine*> Totals(const ReportDocument& doc) {
    std::vector<const ReportLine*> totals;
    for (const auto& line : doc.Lines())
        if (line.kind == Kind::Total) totals.push_back(&line);
    return totals;
}

class ReportModel : public ::testing::Test {
protected:
    void SetUp() override {
        root.SetInterface(&host);
        DemoCreate(dir.File("demo"), host, root);
    }
    void TearDown() override {
        root.Tini();
        host.DatabaseClose();
    }
    db::Database& Db() { return *root.Database(); }
    Currency Sum(const std::string& sql) {
        auto rs = Db().OpenRecordset(sql, db::RecordsetType::Snapshot);
        return NullToCurrency(rs.Get(0));
    }
    // The entries report of the selection that the dialog makes after the clicks.
    ReportDocument Entries(const std::function<void(frmEntriesSelect&)>& clicks) {
        ui.OnForm("frmEntriesSelect", [&](ui::Form& form) {
            auto& f = dynamic_cast<frmEntriesSelect&>(form);
            f.SetEntryType(kAllTypes);
            f.tabSelect.UserSelect(3);
            BothArchives(f);
            clicks(f);
            f.btnOk.UserClick();
        });
        EntriesSelect& select = root.Entries()->EntriesSelect();
        select.Choose(false);
        EXPECT_FALSE(select.DialogCanceled);
        return EntriesReport::Build(Db(), select.SQL, select.Selected);
    }
    ReportDocument Work(const std::string& code, bool work) {
        ui.OnForm("frmEntriesRange", [&](ui::Form& form) {
            auto& f = dynamic_cast<frmEntriesRange&>(form);
            f.SetEntryType(kAllTypes);
            BothArchives(f);
            f.btnOk.UserClick();
        });
        EntriesRange& range = root.Entries()->EntriesRange();
        range.WorkType = work;
        range.Choose();
        EXPECT_FALSE(range.DialogCanceled);
        auto rs = Db().OpenRecordset("SELECT ID FROM Project WHERE AccountCode = " + Quote(code) + ";",
                                     db::RecordsetType::Snapshot);
        return WorkReport::Build(Db(), rs.Get(0).ToLong(), range);
    }

    db::test::TempDir dir;
    test::ScriptedUi ui;
    platform::MemoryStore user;
    platform::MemoryStore machine;
    HostOptions options{user, machine};
    HostTrace trace{dir.File("trace.log")};
    HostDocuments documents;
    HostInterface host{options, trace, documents};
    Reporting root{user, machine};
};

TEST_F(ReportModel, PrintedTotalsAreTheSumsOfTheRowsToTheRappen) {
    const std::string open = "Sum([Charges]+[Expenses]+[Adapted]+[VAT]-[Billed])";
    // Entries: every entry of the office; Stunden and Total are the last two columns.
    const ReportDocument all = Entries([](frmEntriesSelect&) {});
    auto totals = Totals(all);
    ASSERT_EQ(totals.size(), 1u);
    EXPECT_EQ(all.RowCount(), static_cast<std::size_t>(root.Entries()->Count()));
    EXPECT_EQ(totals[0]->cells[4], std::to_string(all.RowCount()) + " Einträge");
    EXPECT_EQ(Amount(totals[0]->cells[6]), RowSum(all, 6));
    EXPECT_EQ(Amount(totals[0]->cells[6]), Sum("SELECT " + open + " FROM Entry;"));
    long long minutes = 0;
    for (const auto& line : all.Lines())
        if (line.kind == Kind::Row) minutes += Minutes(line.cells[5]);
    EXPECT_GT(minutes, 0);
    EXPECT_EQ(Minutes(totals[0]->cells[5]), minutes);

    // Work report: rows without VAT, then the net total, the VAT and the total.
    const ReportDocument work = Work("1100.007", true);
    totals = Totals(work);
    ASSERT_EQ(totals.size(), 3u);
    const std::size_t amount = work.Columns().size() - 1;
    const Currency net = Amount(totals[0]->cells[amount]);
    const Currency vat = Amount(totals[1]->cells[amount]);
    EXPECT_EQ(net, RowSum(work, amount));
    EXPECT_EQ(vat, Sum("SELECT Sum(Entry.VAT) FROM Entry INNER JOIN Project ON Project.ID = Entry.ProjectID "
                       "WHERE AccountCode = \"1100.007\";"));
    EXPECT_EQ(Amount(totals[2]->cells[amount]), net + vat);
    EXPECT_EQ(net + vat, Sum("SELECT " + open +
                             " FROM Entry INNER JOIN Project ON Project.ID = Entry.ProjectID "
                             "WHERE AccountCode = \"1100.007\";"));
    EXPECT_FALSE(work.address.empty()) << "the client's address";
    EXPECT_EQ(work.Columns()[4].header, "Stunden");
    EXPECT_EQ(Work("1100.007", false).Columns().size(), 5u) << "the fee statement shows no hours or rates";

    // Project overview: the open balances add up to all entries with a project.
    ui.OnForm("frmProjectView", [](ui::Form& form) { dynamic_cast<frmProjectView&>(form).btnOk.UserClick(); });
    root.ProjectView()->Choose();
    const ReportDocument projects = ProjectsReport::Build(Db(), *root.ProjectView());
    ASSERT_EQ(Totals(projects).size(), 1u);
    EXPECT_EQ(Amount(Totals(projects)[0]->cells[5]), RowSum(projects, 5));
    EXPECT_EQ(RowSum(projects, 5),
              Sum("SELECT " + open + " FROM Entry INNER JOIN Project ON Project.ID = Entry.ProjectID;"));
}

TEST_F(ReportModel, EmptyReportsKeepTheirHeadingsAndSayKeineEintraege) {
    const ReportDocument none = Entries([](frmEntriesSelect& f) {
        f.tabSelect.UserSelect(0);
        f.txtTextSearch.SetText("kein Eintrag hat diesen Text");
    });
    EXPECT_EQ(none.RowCount(), 0u);
    ASSERT_EQ(none.Lines().size(), 2u);
    EXPECT_EQ(none.Lines()[0].kind, Kind::Empty);
    EXPECT_EQ(none.Lines()[0].cells[0], "Keine Einträge");
    EXPECT_EQ(none.Lines()[1].cells[6], "0.00");
    EXPECT_EQ(none.Columns()[0].header, "Datum");
    EXPECT_NE(none.subtitle.at(0).find("kein Eintrag hat diesen Text"), std::string::npos);

    Db().Execute("INSERT INTO Project (ID, AccountCode, AccountName) VALUES (900, \"1100.900\", \"Neu AG\")");
    const ReportDocument fresh = Work("1100.900", false);
    EXPECT_EQ(fresh.Lines()[0].cells[0], "Keine Einträge");
    EXPECT_EQ(fresh.subtitle.at(0), "1100.900 Neu AG");
}

TEST_F(ReportModel, OverviewGroupsUnderHeadingsWithTheNullGroupFirst) {
    Db().Execute("UPDATE Project SET PersonID = 0 WHERE AccountCode = \"1100.005\"");
    ui.OnForm("frmProjectView", [](ui::Form& form) {
        auto& f = dynamic_cast<frmProjectView&>(form);
        f.optGroup[1].SetValue(true);
        f.btnOk.UserClick();
    });
    ProjectView& view = *root.ProjectView();
    view.Choose();
    const ReportDocument doc = ProjectsReport::Build(Db(), view);
    const auto& lines = doc.Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].kind, Kind::Group);
    EXPECT_EQ(lines[0].cells[0], "Person: (ohne Zuordnung)");
    EXPECT_EQ(lines[1].cells[0], "1100.005");
    // Each group: heading, its projects, a subtotal of them; the subtotals make the total.
    Currency subtotals, group;
    std::size_t headings = 0, rows = 0;
    for (const auto& line : lines) {
        if (line.kind == Kind::Group) {
            ++headings;
            group = Currency();
        } else if (line.kind == Kind::Row) {
            group += Amount(line.cells[5]);
            ++rows;
        } else if (line.cells[0].empty()) {
            EXPECT_EQ(Amount(line.cells[5]), group) << line.cells[1];
            subtotals += group;
        } else {
            EXPECT_EQ(Amount(line.cells[5]), subtotals);
        }
    }
    EXPECT_EQ(rows, doc.RowCount());
    EXPECT_GE(headings, 3u);
    EXPECT_EQ(lines.back().cells[1], std::to_string(rows) + " Geschäfte");
}

TEST(ReportPages, BreakWithoutLosingLinesOrLeavingAHeadingAlone) {
    struct Case {
        const char* lines;  // r row, g group heading, t total
        int first, other;
        std::vector<std::size_t> ends;
    };
    const std::vector<Case> cases{
        {"", 5, 5, {1}},  // "Keine Einträge"
        {"rrrt", 5, 5, {4}},
        {"rrrrrrt", 3, 2, {3, 5, 7}},
        {"grrgrrt", 3, 3, {3, 6, 7}},
        {"grrrgrrt", 4, 3, {4, 7, 8}},  // the second heading moves to the next page
        {"rgrgrgrg", 2, 2, {1, 3, 5, 7, 8}},
        {"ggggr", 2, 2, {1, 2, 3, 5}},  // headings of empty groups still move on
    };
    for (const Case& c : cases) {
        ReportDocument doc("T", {{"A"}, {"B"}});
        for (const char* k = c.lines; *k != '\0'; ++k) {
            if (*k == 'r') doc.AddRow({"x", "1"});
            if (*k == 'g') doc.AddGroup("G");
            if (*k == 't') doc.AddTotal({"Total", "1"});
        }
        const auto pages = doc.Paginate(c.first, c.other);
        std::vector<std::size_t> ends;
        std::size_t next = 0;
        for (const auto& p : pages) {
            EXPECT_EQ(p.begin, next) << c.lines;
            next = p.end;
            ends.push_back(p.end);
        }
        EXPECT_EQ(ends, c.ends) << c.lines;
    }
    ReportDocument doc("T", {{"A"}, {"B"}});
    EXPECT_THROW(doc.AddRow({"only one"}), std::invalid_argument);
    EXPECT_THROW(doc.Paginate(1, 5), std::invalid_argument);
}

}  // namespace
}  // namespace tlx4r::report
