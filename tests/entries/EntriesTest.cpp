#include "entries/Entries.h"

#include "EntriesDb.h"
#include "core/modStringLibrary.h"
#include "types/AppError.h"
#include "db/QueryDef.h"
#include "entries/EntryTypes.h"
#include "entries/modTypeBase.h"

#include <gtest/gtest.h>

namespace tlx4r::test {
namespace {

using EntriesOnFile = EntriesDb;

TEST_F(EntriesOnFile, AddItemRemoveAndCount) {
    EXPECT_EQ(Entries().Count(), 0);

    // what a cleared entry holds is checked in EntryTest
    Entry blank = Entries().Item(0);
    EXPECT_EQ(blank.ID(), 0);
    EXPECT_EQ(blank.RecType(), Entry::kNone);
    EXPECT_EQ(blank.BookDate, Date::Today());
    EXPECT_EQ(Entries().Item(77).ID(), 0) << "a missing row gives a cleared entry";

    Entry e = Entries().Item(0);
    e.SetRecType(Entry::kCharges);
    e.Text = "Beurkundung";
    e.Charges = C("480");
    EXPECT_EQ(Entries().Add(e), 1);
    EXPECT_EQ(e.ID(), 1);
    EXPECT_EQ(Entries().Count(), 1);
    for (int i = 0; i < 4; ++i) {
        Entry more = Entries().Item(0);
        Entries().Add(more);
    }
    EXPECT_EQ(Entries().Count(), 5);

    // Add of a loaded entry stores a copy and binds the object to it; row 5 stays as it was
    Entry five = Entries().Item(5);
    ASSERT_EQ(five.ID(), 5);
    five.Text = "Kopie";
    EXPECT_EQ(Entries().Add(five), 6);
    EXPECT_EQ(five.ID(), 6);
    EXPECT_EQ(Entries().Item(5).Text, "");
    EXPECT_EQ(Entries().Item(6).Text, "Kopie");
    // and later saves of the object go to the copy
    five.Text = "Kopie 2";
    five.Update();
    EXPECT_EQ(Entries().Item(6).Text, "Kopie 2");
    EXPECT_EQ(Entries().Count(), 6);

    Entries().Remove(3);
    Entries().Remove(3);  // no row, no effect
    Entries().Remove(0);
    EXPECT_EQ(Entries().Count(), 5);
    EXPECT_EQ(Entries().Item(3).ID(), 0);
    EXPECT_EQ(Entries().Item(1).Text, "Beurkundung");

    Entries().DeleteArchiveExec();
    EXPECT_EQ(Entries().Count(), 5) << "nothing is archived";
    Db().Execute("UPDATE Entry SET Archive = True WHERE ID IN (1, 2);");
    Entries().DeleteArchiveExec();
    Entries().Refresh();
    EXPECT_EQ(Entries().Count(), 3);
    EXPECT_EQ(Entries().Item(1).ID(), 0);
}

TEST_F(EntriesOnFile, AssertQueryDefsReplacesAnOutdatedQueryOnlyWhenForced) {
    auto& queries = Db().QueryDefs();
    queries.Delete("vEntry");
    queries.Append(db::QueryDef("vEntry", "SELECT Entry.ID FROM Entry;"));
    Entries().AssertQueryDefs();
    EXPECT_EQ(queries.Item("vEntry").SQL(), "SELECT Entry.ID FROM Entry;");
    EXPECT_EQ(Entries().EntryFields(), "ID;");
    Entries().AssertQueryDefs(true);
    EXPECT_EQ(queries.Item("vEntry").SQL(), Entries::EntrySql());
    EXPECT_EQ(queries.Item("vEntryFull").SQL(), Entries::EntryFullSql());

    queries.Delete("vEntryFull");
    Entries().AssertQueryDefs();
    EXPECT_TRUE(queries.Exists("vEntryFull")) << "a missing query is made without force";
}

TEST_F(EntriesOnFile, ListsTheColumnsOfTheStoredQueries) {
    const std::string fields = Entries().EntryFields();
    EXPECT_EQ(fields.rfind("ID;ProjectID;PersonID;RecType;RecTypeText;", 0), 0u) << fields;
    EXPECT_TRUE(fields.ends_with(";CalcDate2;PersonNameShort;")) << fields;

    const std::string full = Entries().EntryFullFields();
    EXPECT_EQ(full.rfind("\t' 0 Entry.ID\r\n\t' 1 ProjectID\r\n", 0), 0u) << full.substr(0, 80);
    EXPECT_NE(full.find(" Person_1.ID\r\n"), std::string::npos) << "the entry's person is Person_1";
    auto rs = Db().OpenRecordset("vEntryFull", db::RecordsetType::Snapshot);
    const std::string last = "\t' " + std::to_string(rs.Fields().size() - 1) + " ";
    EXPECT_NE(full.find(last), std::string::npos);
    EXPECT_TRUE(full.ends_with("\r\n"));

    db::Database closed;
    tlx4r::Entries without_database(closed);
    EXPECT_EQ(without_database.EntryFields(), "");
    EXPECT_EQ(without_database.EntryFullFields(), "");
}

// Rows as an older release or a foreign program may leave them: wrong codes and display texts,
// unknown types and categories, persons that are gone.
TEST_F(EntriesOnFile, VerifyNormalisesEveryRowAndRepairsThePersons) {
    Db().Execute("INSERT INTO Person (ID, PersonNameFull, PersonNameShort) VALUES (1, \"Anna Muster\", \"AM\")");
    Db().Execute("INSERT INTO Entry (ID, PersonID, RecType, RecTypeText, TimeFrom, Rate, DispValue1) "
                 "VALUES (1, 1, 3, \"X\", #12/30/1899 01:30#, 100, \"alt\")");
    Db().Execute("INSERT INTO Entry (ID, PersonID, RecType, Charges, TypeCharges) VALUES (2, 99, 9, 12.5, 13)");
    Db().Execute("INSERT INTO Entry (ID, PersonID, RecType, TimeFrom, TimeTo) "
                 "VALUES (3, Null, 4, #12/30/1899 16:00#, #12/30/1899 09:00#)");
    Db().Execute("INSERT INTO Entry (ID, PersonID, RecType, CalcValue1, CalcValue2, VAT, BookDate) "
                 "VALUES (4, 0, 7, 0.081, 2000, 162, #01/15/2024#)");
    Db().Execute("INSERT INTO Entry (ID, PersonID, RecType, DocLink) VALUES (5, 1, 5, \"C:\\Akten\\Brief.doc\")");
    Entries().Refresh();
    // the type repair runs on open: Null and 38 become 1
    Db().Execute("UPDATE Entry SET TypeExpenses = 38 WHERE ID = 2;");
    const int pumps = ui.EventPumps();

    Entries().Verify();

    EXPECT_GE(ui.EventPumps() - pumps, 5) << "the user interface stays responsive";
    auto rs = Db().OpenRecordset("SELECT * FROM Entry ORDER BY ID", db::RecordsetType::Snapshot);
    struct Expected {
        const char* rec_type_text;
        const char* disp1;
        const char* disp2;
        std::int32_t person;
    };
    const Expected expected[] = {
        {"A  ", "01:30x100.00", "150.00", 1},
        {"GB ", "12.50", "0.00", 0},
        {"T  ", "09:00", "16:00", 0},
        {"M  ", "8.10 %", "2,000.00", 0},
        {"D  ", "???", "???", 1},
    };
    for (const Expected& x : expected) {
        ASSERT_FALSE(rs.Eof());
        SCOPED_TRACE(rs.Get("ID").ToText());
        EXPECT_EQ(rs.Get("RecTypeText").ToText(), x.rec_type_text);
        EXPECT_EQ(NullToString(rs.Get("DispValue1")), x.disp1);
        EXPECT_EQ(NullToString(rs.Get("DispValue2")), x.disp2);
        EXPECT_EQ(rs.Get("PersonID").ToLong(), x.person);
        EXPECT_FALSE(rs.Get("BookDate").IsNull()) << "a missing date becomes today";
        rs.MoveNext();
    }
    EXPECT_EQ(Scalar("SELECT RecType FROM Entry WHERE ID = 2").ToLong(), 1);
    EXPECT_EQ(Scalar("SELECT TypeExpenses FROM Entry WHERE ID = 2").ToLong(), 1);
    EXPECT_EQ(Scalar("SELECT Text FROM Entry WHERE ID = 5").ToText(), "Brief.doc");
    EXPECT_EQ(Scalar("SELECT BookDate FROM Entry WHERE ID = 4").ToDate(), Date::FromYmd(2024, 1, 15));
    EXPECT_EQ(Db().QueryDefs().Item("vEntry").SQL(), Entries::EntrySql());

    // a second run changes nothing any more
    Entries().Verify();
    auto again = Db().OpenRecordset("SELECT RecTypeText, DispValue1 FROM Entry WHERE ID = 1", db::RecordsetType::Snapshot);
    EXPECT_EQ(again.Get("DispValue1").ToText(), "01:30x100.00");
}

TEST_F(EntriesOnFile, CursorWorkNeedsAnOpenCursor) {
    Entries().rsClose();
    Entries().rsClose();  // closing twice is no fault
    EXPECT_THROW(Entries().Count(), AppError);
    EXPECT_THROW(Entries().Item(1), AppError);
    Entries().rsOpen();
    EXPECT_EQ(Entries().Count(), 0);
}

}  // namespace
}  // namespace tlx4r::test
