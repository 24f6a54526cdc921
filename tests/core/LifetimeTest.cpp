// Objects a host keeps across closes and reopens of the database, and opening that either
// completes or leaves nothing open.
#include "core/DBSettings.h"
#include "core/Reporting.h"
#include "core/TableCursor.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "entries/Entries.h"
#include "masterdata/Clients.h"
#include "masterdata/Datas.h"
#include "masterdata/MasterDataFixture.h"
#include "masterdata/Projects.h"
#include "types/AppError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <limits>

namespace tlx4r {
namespace {

namespace fs = std::filesystem;
using test::MasterDataTest;

// The error number of action, 0 when it succeeds.
long ErrorOf(const std::function<void()>& action) {
    try {
        action();
        return 0;
    } catch (const AppError& e) {
        return e.Number();
    } catch (const db::DbError& e) {
        return e.Number();
    }
}

TEST_F(MasterDataTest, ObjectsTakenBeforeACloseFailCleanlyAfterIt) {
    Entry entry;
    entry.ClearAll();
    entry.BookDate = Date::FromYmd(2024, 3, 5);
    entry.SetRecType(Entry::kCharges);
    entry.Charges = Currency::FromInt(10);
    const std::int32_t entry_id = root.Entries()->Add(entry);
    Project project(*root.Projects());
    project.AccountCode = "1020";
    project.Update();
    Client client(*root.Clients());
    client.KeyName = "Keller";
    client.Update();
    DBSettings* settings = root.DBSettings();

    // compacting reopens the same file: what was taken before goes on working
    ASSERT_TRUE(root.DatabaseCompact(std::string("quiet")));
    entry.Text = "nach dem Komprimieren";
    EXPECT_EQ(ErrorOf([&] { entry.Update(); }), 0);
    EXPECT_EQ(root.Entries()->Item(entry_id).Text, "nach dem Komprimieren");
    EXPECT_EQ(ErrorOf([&] { project.Update(); }), 0);
    EXPECT_EQ(ErrorOf([&] { settings->Value("A", db::Value(1)); }), 0);

    // another database, none, and none ever again: error 91, never freed memory
    const std::string other = dir.File("Andere.tdb4r");
    ui.ExpectMessageContaining("unterbrechen?", ui::Answer::Yes);
    root.DatabaseNew(other);
    ASSERT_NE(root.Database(), nullptr);
    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"Entry.Update", [&] { entry.Update(); }},
        {"Project.Update", [&] { project.Text = "x"; project.Update(); }},
        {"Client.Update", [&] { client.City = "Bern"; client.Update(); }},
    };
    for (const auto& [name, call] : calls) EXPECT_EQ(ErrorOf(call), 91) << name << " on another file";
    EXPECT_EQ(root.Projects()->Count(), 0) << "nothing reached the other file";

    ui.ExpectMessageContaining("unterbrechen?", ui::Answer::Yes);
    root.DatabaseClose();
    ASSERT_EQ(root.Database(), nullptr);
    for (const auto& [name, call] : calls) EXPECT_EQ(ErrorOf(call), 91) << name << " after the close";
    EXPECT_EQ(ErrorOf([&] { settings->Value("A", db::Value(2)); }), 91);
    EXPECT_EQ(ErrorOf([&] { settings->Value("A"); }), 91);

    root.Tini();
    EXPECT_EQ(root.DBSettings(), settings) << "still there for hosts that kept it";
    EXPECT_EQ(ErrorOf([&] { settings->Delete("A"); }), 91);
    for (const auto& [name, call] : calls) EXPECT_EQ(ErrorOf(call), 91) << name << " after Tini";
    EXPECT_EQ(ErrorOf([&] { root.DatabaseOpen(path); }), 91);
    EXPECT_EQ(ErrorOf([&] { root.Verify(std::string("quiet")); }), 91);
    EXPECT_EQ(ErrorOf([&] { root.DatabaseCompact(std::string("quiet")); }), 91);
    EXPECT_EQ(root.Database(), nullptr);
    EXPECT_EQ(root.ProgOption(), nullptr);
}

TEST_F(MasterDataTest, AWriteProtectedDatabaseOpensForReadingAndRefusesWritesByName) {
    TLX4R_FILES_ONLY();
    Project project(*root.Projects());
    project.AccountCode = "1020";
    project.Update();
    ui.ExpectMessageContaining("unterbrechen?", ui::Answer::Yes);
    root.DatabaseClose();
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    std::vector<std::string> opened;
    auto token = root.Events().DatabaseOpen.Subscribe([&] { opened.push_back(root.DatabaseName()); });

    root.DatabaseOpen(path);
    ASSERT_NE(root.Database(), nullptr) << "opens for reading";
    EXPECT_EQ(opened, std::vector<std::string>{path});
    EXPECT_EQ(root.Projects()->Count(), 1);
    EXPECT_EQ(root.Projects()->ExportAll(true, false, "CSV", dir.Path().string()), 1) << "exports work";
    Project again(*root.Projects());
    again.AccountCode = "1030";
    try {
        again.Update();
        ADD_FAILURE() << "written";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.Number(), 3027);
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_THROW(Db().Execute("DELETE FROM Project"), db::DbError);
    EXPECT_EQ(root.Projects()->Count(), 1);

    // a step of opening that fails after the file is open leaves nothing open, and says why
    ui.ExpectMessageContaining("unterbrechen?", ui::Answer::Yes);
    root.DatabaseClose();
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    auto failing = root.Events().DatabaseOpen.Subscribe([] { throw AppError(5, "Host", "Der Host kann nicht."); });
    ui.ExpectMessageContaining("Der Host kann nicht.");
    root.DatabaseOpen(path);
    EXPECT_EQ(root.Database(), nullptr);
    EXPECT_EQ(goDatabase, nullptr);
}

TEST_F(MasterDataTest, IdsStopAtTheLargestLongWithAClearErrorAndNeverWrap) {
    TableCursor cursor(Db(), "Department");
    cursor.Open();
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    Db().Execute("INSERT INTO Department (ID) VALUES (" + std::to_string(max - 1) + ")");
    EXPECT_EQ(NextIDGet(cursor.Get()), max);
    Db().Execute("INSERT INTO Department (ID) VALUES (" + std::to_string(max) + ")");
    try {
        NextIDGet(cursor.Get());
        ADD_FAILURE() << "an ID past the largest";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Number(), 6);
        EXPECT_NE(e.Description().find("Department"), std::string::npos) << e.Description();
    }
    EXPECT_EQ(NextIDGet(cursor.Get(), true), 1) << "the first gap is still free";
    EXPECT_EQ(ErrorOf([&] { root.Departments()->Add(); }), 6);
    EXPECT_EQ(Scalar("SELECT Count(*) FROM Department").ToLong(), 2);
}

TEST_F(MasterDataTest, AnyFinanceDatabasePathWorks) {
    TLX4R_FILES_ONLY();
    for (const char* name : {"Fibu ]2024[.tdb4f", "Fibu \"Müller\"; 'Zürich'.tdb4f", "a]]b].tdb4f"}) {
        SCOPED_TRACE(name);
        const std::string finance = dir.File(name);
        {
            db::Database fibu = db::Database::Create(finance);
            db::TableDef accounts("Accounts");
            accounts.AppendField(db::Field("ID", db::FieldType::Long));
            accounts.AppendField(db::Field("Code", db::FieldType::Text, 20));
            accounts.AppendField(db::Field("Name", db::FieldType::Text, 50));
            fibu.TableDefs().Append(accounts);
            fibu.Execute("INSERT INTO Accounts (ID, Code, Name) VALUES (1, \"1020\", \"Keller neu\")");
        }
        Db().Execute("DELETE FROM Project");
        Project project(*root.Projects());
        project.AccountCode = "1020";
        project.AccountName = "alt";
        project.Update();
        Project orphan(*root.Projects());
        orphan.AccountCode = "9999";
        orphan.Update();
        root.Projects()->Verify(false, finance);
        EXPECT_EQ(Scalar("SELECT AccountName FROM Project WHERE AccountCode = \"1020\"").ToText(), "Keller neu");
        root.Projects()->Verify(true, finance);
        EXPECT_EQ(Scalar("SELECT Count(*) FROM Project").ToLong(), 0) << "neither project has entries";
        auto link = Db().OpenRecordset("SELECT Count(*) FROM " + Bracket(finance) + ".Accounts",
                                       db::RecordsetType::Snapshot);
        EXPECT_EQ(link.Get(0).ToLong(), 1);
    }
}

}  // namespace
}  // namespace tlx4r
