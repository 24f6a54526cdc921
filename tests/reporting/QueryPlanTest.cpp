// The statements that walk entries must use an index wherever one narrows or orders the walk: on
// a large office a full scan of Entry costs seconds where a search costs milliseconds.

#include "core/frmArchive.h"
#include "core/frmTransfer.h"
#include "reporting/ReportsDb.h"
#include "reporting/ProjectView.h"
#include "reporting/frmEntriesSelect.h"
#include "reporting/frmProjectView.h"

#include <functional>

namespace tlx4r::test {
namespace {

// SQLite's plan for a statement of the component's dialect, one line per step.
std::vector<std::string> Plan(db::Database& db, const std::string& statement) {
    const db::Translation translation = db.GetEngine().Translate(statement);
    auto explain = db.GetEngine().Prepare("EXPLAIN QUERY PLAN " + translation.sql);
    std::vector<std::string> lines;
    while (explain->Step()) lines.push_back(explain->Get(3).ToText());
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) text += l + "\n";
    return text;
}

// A step that reads every row of table in the order it is stored: no index helps it.
bool ScansWhole(const std::vector<std::string>& plan, const std::string& table) {
    for (const auto& line : plan) {
        if (line.rfind("SCAN " + table, 0) != 0) continue;
        const std::string rest = line.substr(5 + table.size());
        if (rest.empty() || rest.rfind(" USING", 0) != 0) return true;
    }
    return false;
}

bool Searches(const std::vector<std::string>& plan, const std::string& table) {
    for (const auto& line : plan)
        if (line.rfind("SEARCH " + table + " ", 0) == 0) return true;
    return false;
}

bool SortsInTemp(const std::vector<std::string>& plan) {
    for (const auto& line : plan)
        if (line.rfind("USE TEMP B-TREE", 0) == 0) return true;
    return false;
}

class QueryPlan : public ReportsDb {
protected:
    void SetUp() override {
        if (db::test::TestPlace::ServerRun()) GTEST_SKIP() << "SQLite's query plans; the server plans its own way";
        ReportsDb::SetUp();
        // The finance database's accounts, as the overview joins them (code index included).
        Db().Execute("CREATE TABLE Accounts (ID Long, Code Text(20), Name Text(100))");
        Db().Execute("CREATE UNIQUE INDEX Code ON Accounts (Code)");
    }
};

TEST_F(QueryPlan, StatementsOverEntriesSearchByIndexWhereTheyNarrow) {
    const Date from = Date::FromYmd(2024, 1, 1);
    const Date to = Date::FromYmd(2024, 12, 31);
    const auto selection = [](const std::function<void(frmEntriesSelect&)>& criteria) {
        frmEntriesSelect form;
        form.Show(false);
        criteria(form);
        const std::string sql = form.SQL();
        form.Hide();
        return sql;
    };
    const auto archive = [](const std::function<void(frmArchive&)>& criteria) {
        frmArchive form;
        criteria(form);
        return form.Statement();
    };
    struct Case {
        const char* name;
        std::string statement;
        bool narrows;  // true: Entry must be searched; false: walked along an index, never sorted whole
    };
    const Case cases[] = {
        {"selection of one year, all types",
         selection([&](frmEntriesSelect& f) {
             f.tabSelect.UserSelect(3);
             f.DateRange.SetFromTo(from, to);
         }),
         true},
        {"selection of one project, all years", selection([](frmEntriesSelect& f) { f.SetProject(2); }), true},
        {"selection of one person in a year",
         selection([&](frmEntriesSelect& f) {
             f.SetPerson(1);
             f.DateRange.SetFromTo(from, std::nullopt);
         }),
         true},
        {"selection of everything, by date", selection([](frmEntriesSelect& f) { f.tabSelect.UserSelect(3); }),
         false},
        {"transfer", frmTransfer::SumsStatement(std::nullopt), false},
        {"transfer up to a day", frmTransfer::SumsStatement(to), false},
        {"archive a year", archive([&](frmArchive& f) { f.DateRange.SetFromTo(from, to); }), true},
        {"reactivate fees of a quarter",
         archive([&](frmArchive& f) {
             f.optArchive[1].UserClick();
             f.SetTypeNone();
             f.EntryType({"G"});
             f.DateRange.SetFromTo(from, from.AddDays(90));
         }),
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto plan = Plan(Db(), c.statement);
        EXPECT_FALSE(ScansWhole(plan, "Entry")) << c.statement << "\n" << Joined(plan);
        if (c.narrows)
            EXPECT_TRUE(Searches(plan, "Entry")) << c.statement << "\n" << Joined(plan);
        else
            EXPECT_FALSE(SortsInTemp(plan)) << c.statement << "\n" << Joined(plan);
    }
}

TEST_F(QueryPlan, ProjectOverviewLooksUpWhatItJoinsByKey) {
    frmProjectView& form = root.ProjectView()->Form();
    form.Show(false);
    for (int group : {0, 1, 2, 3}) {
        SCOPED_TRACE(group);
        form.optGroup[group].UserClick();
        const auto plan = Plan(Db(), form.SQL());
        for (const char* table : {"Accounts", "Person", "Department", "ProjectType"})
            EXPECT_FALSE(ScansWhole(plan, table)) << table << "\n" << form.SQL() << "\n" << Joined(plan);
    }
    form.Hide();
}

}  // namespace
}  // namespace tlx4r::test
