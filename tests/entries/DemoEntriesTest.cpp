#include "host/DemoEntries.h"

#include "entries/Entries.h"
#include "host/DemoMasterData.h"
#include "masterdata/Data.h"
#include "masterdata/MasterDataFixture.h"
#include "masterdata/Project.h"
#include "masterdata/Projects.h"
#include "types/AppError.h"

#include <set>

namespace tlx4r::test {
namespace {

using EntriesWithRoot = MasterDataTest;

void AddProjects(Reporting& root, int count) {
    for (int n = 1; n <= count; ++n) {
        Project p(*root.Projects());
        p.AccountCode = "1100.00" + std::to_string(n);
        p.AccountName = "Klient " + std::to_string(n);
        p.Update();
    }
}

TEST_F(EntriesWithRoot, AnEntryFetchesItsProjectAndPersonWhenAsked) {
    AddProjects(root, 2);
    AddDemoMasterData(root);
    Entry e = root.Entries()->Item(0);
    EXPECT_EQ(e.Project().ID(), 0) << "no project yet: a cleared one";
    EXPECT_EQ(e.Person().ID, 0);
    e.SetProjectID(2);
    e.SetPersonID(1);
    EXPECT_EQ(e.Project().AccountCode, "1100.002");
    EXPECT_EQ(e.Person().NameShort, "AK");
    e.SetRecType(Entry::kCharges);
    const std::int32_t id = root.Entries()->Add(e);
    Entry back = root.Entries()->Item(id);
    EXPECT_EQ(back.Project().AccountName, "Klient 2");
    back.Restore();
    back.SetProjectID(1);
    EXPECT_EQ(back.Project().AccountCode, "1100.001");
    back.Restore();
    EXPECT_EQ(back.Project().ID(), 2) << "Restore goes through the writer";
    back.SetProjectID(99);
    EXPECT_EQ(back.Project().ID(), 0) << "a project that is not there";
}

TEST_F(EntriesWithRoot, DemoEntriesCoverEveryRecordTypeOverTwoYears) {
    EXPECT_THROW(AddDemoEntries(root), AppError) << "no projects";
    AddProjects(root, 6);
    AddDemoMasterData(root);
    const Date today = Date::FromYmd(2024, 6, 14);
    const int added = AddDemoEntries(root, today);
    EXPECT_GE(added, 200);
    EXPECT_EQ(root.Entries()->Count(), added);
    std::set<long> types;
    auto rs = Db().OpenRecordset("SELECT RecType, BookDate, ChargesType, Archive FROM Entry", db::RecordsetType::Snapshot);
    int pro_forma = 0, archived = 0;
    for (; !rs.Eof(); rs.MoveNext()) {
        types.insert(rs.Get(0).ToLong());
        const Date day = rs.Get(1).ToDate();
        EXPECT_LT(day, today);
        EXPECT_GE(day, today.AddDays(-731));
        EXPECT_LE(day.Weekday(), 5);
        pro_forma += rs.Get(2).ToLong() != 0;
        archived += rs.Get(3).ToBool();
    }
    EXPECT_EQ(types, (std::set<long>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_GT(pro_forma, 0);
    EXPECT_GT(archived, 0);
    EXPECT_EQ(Scalar("SELECT Count(*) FROM Entry WHERE PersonID Not In (SELECT ID FROM Person)").ToLong(), 0);

    // the demo is already normalised: a check changes nothing
    const auto totals = [&] {
        return Scalar("SELECT Sum(Charges) + Sum(Expenses) + Sum(Billed) + Sum(VAT) FROM Entry").ToCurrency();
    };
    const Currency before = totals();
    root.Entries()->Verify();
    EXPECT_EQ(totals(), before);
    EXPECT_EQ(AddDemoEntries(root, today), 0) << "a second call adds nothing";
}

}  // namespace
}  // namespace tlx4r::test
