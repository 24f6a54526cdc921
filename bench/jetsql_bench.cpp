// Translation and LIKE matching costs: a translation runs once per statement text (then it is
// cached), like() once per row compared.
#include "db/JetLike.h"
#include "db/JetSql.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace {

class FixedSchema : public tlx4r::db::SchemaLookup {
public:
    std::optional<std::vector<std::string>> ColumnsOf(std::string_view table) const override {
        static const std::map<std::string, std::vector<std::string>, std::less<>> tables = {
            {"Entry",
             {"ID", "ProjectID", "PersonID", "RecType", "RecTypeText", "Archive", "BookDate",
              "Text", "Charges", "Expenses", "Adapted", "Billed", "VAT", "TimeFrom", "TimeTo",
              "TimeBreak"}},
            {"Person", {"ID", "PersonNameFull", "PersonRate", "PersonNameShort"}},
            {"Project",
             {"ID", "ClientID", "ProjectTypeID", "PersonID", "DepartmentID", "Archive",
              "AccountCode", "AccountName", "DateBegin", "DateEnd", "Text", "Rate"}},
            {"ProjectType", {"ID", "ProjectTypeNameFull", "ProjectTypeRate"}},
            {"Department", {"ID", "DepartmentNameFull", "DepartmentRate"}},
        };
        auto it = tables.find(table);
        if (it == tables.end()) return std::nullopt;
        return it->second;
    }
};

void TranslateEntryFull(benchmark::State& state) {
    FixedSchema schema;
    tlx4r::db::JetSql jet(schema, nullptr);
    const char* sql =
        "SELECT Entry.*, Person_1.*, Project.*, ProjectType.*, Person.*, Department.* FROM Person "
        "AS Person_1 RIGHT "
        "JOIN (Department RIGHT JOIN (Person RIGHT JOIN (ProjectType RIGHT JOIN (Project INNER "
        "JOIN Entry ON "
        "Project.ID = Entry.ProjectID) ON ProjectType.ID = Project.ProjectTypeID) ON Person.ID = "
        "Project.PersonID) ON "
        "Department.ID = Project.DepartmentID) ON Person_1.ID = Entry.PersonID;";
    for (auto _ : state) {
        jet.ClearCache();
        benchmark::DoNotOptimize(jet.Translate(sql));
    }
}
BENCHMARK(TranslateEntryFull);

void LikeManyStars(benchmark::State& state) {
    std::string pattern;
    for (int i = 0; i < 20; ++i) pattern += "*a";
    pattern += "*b";
    tlx4r::db::JetLike like(pattern);
    const std::string text(static_cast<std::size_t>(state.range(0)), 'a');
    for (auto _ : state) benchmark::DoNotOptimize(like.Matches(text));
}
BENCHMARK(LikeManyStars)->Arg(100)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
