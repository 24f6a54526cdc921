#include "TempDb.h"
#include "support/TestPlace.h"
#include "TestName.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Transaction.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tlx4r::db {
namespace {

using test::ErrorNumber;

Currency Amount(const char* text) { return *Currency::Parse(text); }

class RecordsetBase : public ::testing::Test {
protected:
    void Open(test::EngineKind kind) {
        place.emplace(kind);
        db = Database::Create(place->Name("rs.tdb4r"));
        test::CreateSampleSchema(db);
        // names in an order that differs from their IDs
        const char* names[] = {"Zürcher", "Aebi", "Müller", "meier", "Ödön"};
        auto rs = db.OpenRecordset("Person");
        for (int i = 0; i < 5; ++i) {
            rs.AddNew();
            rs.Set("ID", Value(i + 1));
            rs.Set("PersonNameFull", Value(names[i]));
            rs.Update();
        }
    }

    std::optional<test::TestPlace> place;
    Database db;
};

// On both engines.
class RecordsetTest : public RecordsetBase, public ::testing::WithParamInterface<test::EngineKind> {
protected:
    void SetUp() override {
        TLX4R_SKIP_WITHOUT_SERVER(GetParam());
        Open(GetParam());
    }
};

INSTANTIATE_TEST_SUITE_P(Engines, RecordsetTest,
                         ::testing::Values(test::EngineKind::File, test::EngineKind::Server), test::EngineName);

TEST_P(RecordsetTest, TableRecordsetWalksInIndexOrder) {
    auto rs = db.OpenRecordset("Person");
    EXPECT_EQ(rs.Type(), RecordsetType::Table);
    EXPECT_EQ(rs.RecordCount(), 5);
    rs.SetIndex("PersonNameFull");
    EXPECT_EQ(rs.Index(), "PersonNameFull");
    rs.MoveFirst();
    std::vector<std::string> seen;
    while (!rs.Eof()) {
        seen.push_back(rs.Get("PersonNameFull").ToText());
        rs.MoveNext();
    }
    // the general sort order: case-insensitive, umlauts beside their base letters
    EXPECT_EQ(seen, (std::vector<std::string>{"Aebi", "meier", "Müller", "Ödön", "Zürcher"}));
    EXPECT_EQ(ErrorNumber([&] { rs.MoveNext(); }), 3021);
    rs.MovePrevious();
    EXPECT_EQ(rs.Get("PersonNameFull").ToText(), "Zürcher");
    rs.MoveFirst();
    rs.MovePrevious();
    EXPECT_TRUE(rs.Bof());
    EXPECT_EQ(ErrorNumber([&] { rs.Get("ID"); }), 3021);
    EXPECT_EQ(ErrorNumber([&] { rs.SetIndex("NoSuchIndex"); }), 3800);

    auto empty = db.OpenRecordset("Project");
    EXPECT_TRUE(empty.Bof());
    EXPECT_TRUE(empty.Eof());
    EXPECT_EQ(empty.RecordCount(), 0);
    EXPECT_EQ(ErrorNumber([&] { empty.MoveLast(); }), 3021);
}

TEST_P(RecordsetTest, LongWalksSeeChangesMadeOnTheWay) {
    {
        Transaction t(db);
        auto rs = db.OpenRecordset("Entry");
        for (int i = 1; i <= 300; ++i) {
            rs.AddNew();
            rs.Set("ID", Value(i));
            rs.Set("ProjectID", Value(301 - i));  // the index order runs against the IDs
            rs.Update();
        }
        t.Commit();
    }
    auto rs = db.OpenRecordset("Entry");
    rs.SetIndex("ProjectID");
    rs.MoveFirst();
    EXPECT_EQ(rs.Get("ID"), Value(300));
    // a row ahead, in a block read after the walk showed it reads only ID and ProjectID
    db.Execute("UPDATE Entry SET Text = \"later\" WHERE ID = 200");
    int walked = 0;
    for (; !rs.Eof(); rs.MoveNext()) {
        ++walked;
        EXPECT_EQ(rs.Get("ProjectID"), Value(301 - rs.Get("ID").ToLong()));
        if (rs.Get("ID") == Value(200)) {
            EXPECT_EQ(rs.Get("Text").ToText(), "later");
        }
        if (rs.Get("ID") == Value(100)) {
            rs.Edit();
            rs.Set("Text", Value("edited"));
            rs.Update();
        }
    }
    EXPECT_EQ(walked, 300);
    int back = 0;
    for (rs.MoveLast(); !rs.Bof(); rs.MovePrevious()) {
        EXPECT_EQ(rs.Get("ID"), Value(back + 1));
        if (rs.Get("ID") == Value(100)) {
            EXPECT_EQ(rs.Get("Text").ToText(), "edited");
        }
        ++back;
    }
    EXPECT_EQ(back, 300);
}

// A table recordset keeps the order of its rows; a statement, another recordset or a rollback
// that changes the table must show on its next move or count, without choosing the index again.
TEST_P(RecordsetTest, TableRecordsetsFollowWhatOthersWriteToTheirTable) {
    auto rs = db.OpenRecordset("Person");
    rs.SetIndex("PersonNameFull");
    rs.MoveLast();
    EXPECT_EQ(rs.RecordCount(), 5);
    db.Execute("INSERT INTO Person (ID, PersonNameFull) VALUES (6, \"Baumann\")");
    EXPECT_EQ(rs.RecordCount(), 6);
    EXPECT_EQ(rs.Get("PersonNameFull").ToText(), "Zürcher");  // still on its row
    rs.MoveFirst();
    rs.MoveNext();
    EXPECT_EQ(rs.Get("PersonNameFull").ToText(), "Baumann");  // in its place in index order

    // the row before goes: the recordset stays on its row
    db.Execute("DELETE * FROM Person WHERE ID = 2");
    EXPECT_EQ(rs.Get("PersonNameFull").ToText(), "Baumann");
    rs.MovePrevious();
    EXPECT_TRUE(rs.Bof());

    // its own row goes: reading it fails, moving on reaches the next row
    rs.MoveFirst();
    db.Execute("DELETE * FROM Person WHERE ID = 6");
    EXPECT_EQ(ErrorNumber([&] { rs.Get("ID"); }), 3167);
    EXPECT_EQ(ErrorNumber([&] { rs.Edit(); }), 3167);
    rs.MoveNext();
    EXPECT_EQ(rs.Get("PersonNameFull").ToText(), "meier");

    // a row found with Seek shows a value a statement wrote since
    rs.SetIndex("PrimaryKey");
    rs.Seek("=", Value(3));
    EXPECT_EQ(rs.Get("PersonNameFull").ToText(), "Müller");
    db.Execute("UPDATE Person SET PersonNameFull = \"Müller-Frei\" WHERE ID = 3");
    EXPECT_EQ(rs.Get("PersonNameFull").ToText(), "Müller-Frei");

    // another recordset on the same table
    {
        auto other = db.OpenRecordset("Person");
        other.AddNew();
        other.Set("ID", Value(9));
        other.Update();
    }
    rs.MoveLast();
    EXPECT_EQ(rs.Get("ID"), Value(9));

    // a rolled-back transaction takes its rows along
    {
        Transaction t(db);
        db.Execute("INSERT INTO Person (ID) VALUES (10)");
        db.Execute("INSERT INTO Person (ID) VALUES (11)");
        EXPECT_EQ(rs.RecordCount(), 7);
    }
    EXPECT_EQ(rs.RecordCount(), 5);
    rs.MoveLast();
    EXPECT_EQ(rs.Get("ID"), Value(9));

    // emptied by a statement without WHERE (SQLite then drops the rows without visiting them)
    db.Execute("DELETE * FROM Person;");
    EXPECT_EQ(rs.RecordCount(), 0);
    rs.MoveFirst();
    EXPECT_TRUE(rs.Eof());

    // its own writes while walking keep it on its way without reading the keys again
    for (int id = 1; id <= 3; ++id) db.Execute("INSERT INTO Person (ID) VALUES (" + std::to_string(id) + ")");
    int walked = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        rs.Edit();
        rs.Set("PersonNameFull", Value("P" + std::to_string(++walked)));
        rs.Update();
    }
    EXPECT_EQ(walked, 3);
}

struct SeekCase {
    const char* comparison;
    int key;
    int found;  // 0: NoMatch
};

void PrintTo(const SeekCase& c, std::ostream* out) { *out << "Seek " << c.comparison << " " << c.key; }

class SeekTest : public RecordsetBase, public ::testing::WithParamInterface<SeekCase> {
protected:
    void SetUp() override { Open(test::EngineKind::File); }
};

TEST_P(SeekTest, SeekOnThePrimaryKey) {
    db.Execute("DELETE FROM Person WHERE ID = 3");
    const auto& c = GetParam();
    // Inside a transaction, a row sought by its key is first looked for by the call that needs
    // it; with Edit and Update that is their write.
    for (const bool edit_in_transaction : {false, true}) {
        SCOPED_TRACE(edit_in_transaction ? "edited inside a transaction" : "outside a transaction");
        std::optional<Transaction> t;
        if (edit_in_transaction) t.emplace(db);
        auto rs = db.OpenRecordset("Person");
        rs.SetIndex("PrimaryKey");
        rs.Seek(c.comparison, Value(c.key));
        if (edit_in_transaction) {
            const long error = ErrorNumber([&] {
                rs.Edit();
                rs.Set("PersonNameFull", Value("Neu"));
                rs.Update();
            });
            EXPECT_EQ(error, c.found ? 0 : 3021);
        }
        EXPECT_EQ(rs.NoMatch(), c.found == 0);
        if (c.found) {
            EXPECT_EQ(rs.Get("ID"), Value(c.found));
            if (edit_in_transaction) {
                EXPECT_EQ(rs.Get("PersonNameFull"), Value("Neu"));
            }
            // the position found is a place in index order to walk on from
            rs.MoveNext();
            if (c.found < 5) {
                EXPECT_EQ(rs.Get("ID"), Value(c.found == 2 ? 4 : c.found + 1));
            }
        } else {
            EXPECT_EQ(ErrorNumber([&] { rs.Get("ID"); }), 3021);
            EXPECT_EQ(rs.GetEditMode(), Recordset::EditMode::None);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Comparisons, SeekTest,
                         ::testing::Values(SeekCase{"=", 2, 2}, SeekCase{"=", 3, 0}, SeekCase{">=", 3, 4},
                                           SeekCase{">", 4, 5}, SeekCase{">", 5, 0}, SeekCase{"<", 4, 2},
                                           SeekCase{"<=", 3, 2}, SeekCase{"<", 1, 0}, SeekCase{"<=", 9, 5}),
                         [](const auto& test_case) {
                             const std::string& op = test_case.param.comparison;
                             const char* word = op == "=" ? "Equal" : op == "<" ? "Less" : op == "<=" ? "LessOrEqual"
                                                                   : op == ">" ? "Greater" : "GreaterOrEqual";
                             return std::string(word) + "_" + std::to_string(test_case.param.key) +
                                    (test_case.param.found ? "_finds_" + std::to_string(test_case.param.found) : "_finds_none");
                         });

TEST_P(RecordsetTest, SeekOnATextIndexAndItsMisuse) {
    auto rs = db.OpenRecordset("Person");
    EXPECT_EQ(ErrorNumber([&] { rs.Seek("=", Value(1)); }), 3019);  // no index chosen
    rs.SetIndex("PersonNameFull");
    rs.Seek("=", Value("MÜLLER"));
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Get("ID"), Value(3));
    rs.Seek(">=", Value("N"));
    EXPECT_EQ(rs.Get("PersonNameFull").ToText(), "Ödön");
    EXPECT_EQ(ErrorNumber([&] { rs.Seek("~", Value("x")); }), 3001);
    EXPECT_EQ(ErrorNumber([&] { rs.Seek("=", std::vector<Value>{Value("a"), Value(1)}); }), 3001);
    auto dynaset = db.OpenRecordset("SELECT * FROM Person", RecordsetType::Dynaset);
    EXPECT_EQ(ErrorNumber([&] { dynaset.Seek("=", Value(1)); }), 3251);
}

TEST_P(RecordsetTest, FindWithCriteriaInTheDialect) {
    auto rs = db.OpenRecordset("SELECT * FROM Person ORDER BY ID", RecordsetType::Dynaset);
    rs.FindFirst("PersonNameFull Like \"m*\"");
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Get("ID"), Value(3));
    rs.FindNext("PersonNameFull Like \"m*\"");
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Get("ID"), Value(4));
    rs.FindNext("PersonNameFull Like \"m*\"");
    EXPECT_TRUE(rs.NoMatch());
    EXPECT_EQ(rs.Get("ID"), Value(4));  // a search that fails leaves the row where it was
    rs.FindLast("ID < 3");
    EXPECT_EQ(rs.Get("ID"), Value(2));
    rs.FindPrevious("ID < 3");
    EXPECT_EQ(rs.Get("ID"), Value(1));
    rs.FindFirst("PersonNameFull = \"Nobody\"");
    EXPECT_TRUE(rs.NoMatch());
    EXPECT_NE(ErrorNumber([&] { rs.FindFirst("NoSuchField = 1"); }), 0);

    // a table recordset finds in its index order
    auto table = db.OpenRecordset("Person");
    table.SetIndex("PersonNameFull");
    table.FindFirst("ID > 1");
    EXPECT_EQ(table.Get("PersonNameFull").ToText(), "Aebi");
    // rows of several tables cannot be told apart by a key: no search
    auto joined = db.OpenRecordset("SELECT Count(*) AS N FROM Person", RecordsetType::Snapshot);
    EXPECT_EQ(ErrorNumber([&] { joined.FindFirst("N > 0"); }), 3251);
}

TEST_P(RecordsetTest, AddEditDeleteAndBookmarks) {
    auto rs = db.OpenRecordset("Person");
    rs.SetIndex("PrimaryKey");
    rs.Seek("=", Value(2));
    const auto mark = rs.GetBookmark();
    rs.Edit();
    rs.Set("PersonNameShort", Value("AE"));
    EXPECT_EQ(rs.Get("PersonNameShort").ToText(), "AE");  // the buffer shows the new value
    rs.Update();
    EXPECT_EQ(rs.LastModified(), mark);
    rs.MoveLast();
    rs.SetBookmark(mark);
    EXPECT_EQ(rs.Get("PersonNameShort").ToText(), "AE");

    rs.Edit();
    rs.Set("PersonNameShort", Value("XX"));
    rs.CancelUpdate();
    EXPECT_EQ(rs.Get("PersonNameShort").ToText(), "AE");
    EXPECT_EQ(ErrorNumber([&] { rs.Update(); }), 3020);
    EXPECT_EQ(ErrorNumber([&] { rs.Set("PersonNameShort", Value("YY")); }), 3020);

    rs.AddNew();
    EXPECT_EQ(rs.Get("PersonRate"), Value(Currency()));  // the field's default
    rs.Set("ID", Value(10));
    rs.Set("PersonRate", Value(Amount("195.50")));
    rs.Update();
    EXPECT_EQ(rs.Get("ID"), Value(2));  // a table recordset stays on its row
    EXPECT_EQ(rs.LastModified(), 10);
    EXPECT_EQ(rs.RecordCount(), 6);

    rs.Delete();
    EXPECT_EQ(ErrorNumber([&] { rs.Get("ID"); }), 3167);
    rs.MoveNext();
    EXPECT_EQ(rs.Get("ID"), Value(3));
    EXPECT_EQ(rs.RecordCount(), 5);
    EXPECT_EQ(ErrorNumber([&] { rs.SetBookmark(mark); }), 3159);

    // a dynaset of one table is updatable; new rows appear at its end
    auto dyn = db.OpenRecordset("SELECT ID, PersonNameFull FROM Person WHERE ID >= 3 ORDER BY ID");
    ASSERT_TRUE(dyn.Updatable());
    dyn.Edit();
    dyn.Set("PersonNameFull", Value("Müller-Frei"));
    dyn.Update();
    dyn.AddNew();
    dyn.Set("ID", Value(11));
    dyn.Set("PersonNameFull", Value("Neu"));
    dyn.Update();
    dyn.MoveLast();
    EXPECT_EQ(dyn.Get("PersonNameFull").ToText(), "Neu");
    EXPECT_EQ(dyn.RecordCount(), 5);
    EXPECT_EQ(db.OpenRecordset("SELECT PersonNameFull FROM Person WHERE ID = 3").Get(0).ToText(), "Müller-Frei");

    auto snapshot = db.OpenRecordset("Person", RecordsetType::Snapshot);
    EXPECT_EQ(ErrorNumber([&] { snapshot.Edit(); }), 3027);
    auto computed = db.OpenRecordset("SELECT ID, PersonRate * 2 AS Double FROM Person");
    computed.Edit();
    EXPECT_EQ(ErrorNumber([&] { computed.Set("Double", Value(1)); }), 3164);
}

struct WriteCase {
    const char* field;
    Value value;
    long error;  // 0: accepted
    Value read_back;
};

void PrintTo(const WriteCase& c, std::ostream* out) {
    *out << c.field << " = ";
    PrintTo(c.value, out);
}

class WriteTest : public RecordsetBase, public ::testing::WithParamInterface<WriteCase> {
protected:
    void SetUp() override { Open(test::EngineKind::File); }
};

TEST_P(WriteTest, FieldsTakeOnlyValuesOfTheirType) {
    auto rs = db.OpenRecordset("Entry");
    rs.AddNew();
    rs.Set("ID", Value(1));
    const auto& c = GetParam();
    std::string description;
    EXPECT_EQ(ErrorNumber([&] { rs.Set(c.field, c.value); }, &description), c.error) << description;
    if (c.error) {
        EXPECT_NE(description.find(std::string("Entry.") + c.field), std::string::npos) << description;
        return;
    }
    rs.Update();
    auto back = db.OpenRecordset("SELECT * FROM Entry WHERE ID = 1");
    EXPECT_EQ(back.Get(c.field), c.read_back);
}

INSTANTIATE_TEST_SUITE_P(
    Types, WriteTest,
    ::testing::Values(
        WriteCase{"ProjectID", Value("12"), 3421, Value()}, WriteCase{"ProjectID", Value("abc"), 3421, Value()},
        WriteCase{"ProjectID", Value(Date::FromYmd(2024, 1, 2)), 3421, Value()},
        WriteCase{"ProjectID", Value(2.5), 0, Value(2)}, WriteCase{"ChargesType", Value(40000), 6, Value()},
        WriteCase{"Charges", Value("10.00"), 3421, Value()}, WriteCase{"Charges", Value(0.1), 0, Value(Amount("0.1"))},
        WriteCase{"Charges", Value(12.34567), 0, Value(Amount("12.3457"))},
        WriteCase{"Archive", Value("True"), 3421, Value()}, WriteCase{"Archive", Value(true), 0, Value(true)},
        WriteCase{"Archive", Value(-1), 0, Value(true)}, WriteCase{"BookDate", Value("1.2.2024"), 3421, Value()},
        WriteCase{"BookDate", Value(Date()), 0, Value()},  // the date 0 is stored as Null
        WriteCase{"BookDate", Value(Date::FromYmd(2024, 2, 1)), 0, Value(Date::FromYmd(2024, 2, 1))},
        WriteCase{"Hours", Value("1.5"), 3421, Value()}, WriteCase{"Hours", Value(Amount("1.25")), 0, Value(1.25)},
        WriteCase{"Text", Value(std::string(256, 'x')), 3163, Value()},
        WriteCase{"Text", Value(std::string(255, 'x')), 0, Value(std::string(255, 'x'))},
        WriteCase{"Info", Value(std::string(5000, 'y')), 0, Value(std::string(5000, 'y'))},
        WriteCase{"Text", Value(42), 0, Value("42")}),
    [](const auto& param_info) { return std::string(param_info.param.field) + std::to_string(param_info.index); });

TEST_P(RecordsetTest, ResultNamesAndTotalsAreExact) {
    db.Execute("INSERT INTO Project (ID, PersonID, AccountCode) VALUES (1, 1, \"1020\")");
    {
        Transaction t(db);
        auto rs = db.OpenRecordset("Entry");
        for (int i = 1; i <= 1000; ++i) {
            rs.AddNew();
            rs.Set("ID", Value(i));
            rs.Set("ProjectID", Value(1));
            rs.Set("PersonID", Value(1 + i % 5));
            rs.Set("Charges", Value(Amount("0.10")));
            rs.Set("Expenses", Value(Amount("0.20")));
            rs.Set("Adapted", Value(Amount("-0.05")));
            rs.Set("VAT", Value(Amount("0.0077")));
            rs.Set("Billed", Value(Amount("0.01")));
            rs.Update();
        }
        t.Commit();
    }
    auto sum = db.OpenRecordset("SELECT Sum(Charges) AS Total, Count(*) AS N FROM Entry", RecordsetType::Snapshot);
    EXPECT_EQ(sum.Get("Total").ToCurrency(), Currency::FromInt(100));
    EXPECT_EQ(sum.Get("Total").ToDouble(), 100.0);
    EXPECT_EQ(sum.Get("N"), Value(1000));
    auto balance = db.OpenRecordset("SELECT [Charges]+[Expenses]+[Adapted]+[Vat]-[Billed] AS Open FROM Entry");
    EXPECT_EQ(balance.Get("Open").ToCurrency(), Amount("0.2477"));
    auto total = db.OpenRecordset(
        "SELECT Sum([Charges]+[Expenses]+[Adapted]+[Vat]-[Billed]) AS Open FROM Entry WHERE ProjectID = 1");
    EXPECT_EQ(total.Get("Open").ToCurrency(), Amount("247.70"));

    // columns of the same name are told apart by their table; unique names stay plain
    auto joined = db.OpenRecordset(
        "SELECT Entry.ID, Person.ID, PersonNameFull FROM Person INNER JOIN Entry ON Person.ID = Entry.PersonID "
        "WHERE Entry.ID = 7");
    ASSERT_EQ(joined.Fields().size(), 3u);
    EXPECT_EQ(joined.Fields()[0].Name(), "Entry.ID");
    EXPECT_EQ(joined.Fields()[1].Name(), "Person.ID");
    EXPECT_EQ(joined.Fields()[2].Name(), "PersonNameFull");
    EXPECT_EQ(joined.Fields()[2].Type(), FieldType::Text);
    EXPECT_EQ(joined.Fields()[2].Size(), 255);
    EXPECT_EQ(joined.Get("entry.id"), Value(7));
    EXPECT_EQ(joined.Get("Person.ID"), Value(3));
    EXPECT_EQ(joined.Get(2).ToText(), "Müller");
    EXPECT_EQ(ErrorNumber([&] { joined.Get("ID"); }), 3265);
    EXPECT_EQ(ErrorNumber([&] { joined.Get(3); }), 3265);

    joined.MoveLast();
    EXPECT_EQ(joined.RecordCount(), 1);
    joined.Close();
    EXPECT_EQ(ErrorNumber([&] { joined.Get(0); }), 3420);
    EXPECT_EQ(ErrorNumber([&] { joined.AddNew(); }), 3420);
}

TEST_P(RecordsetTest, ForwardOnlyWalksReadWhatSnapshotsHoldAndLetGoOfTheFileAtTheirEnd) {
    db.Execute("INSERT INTO Project (ID, PersonID, AccountCode) VALUES (1, 1, \"1020\")");
    {
        Transaction t(db);
        auto rs = db.OpenRecordset("Entry");
        for (int i = 1; i <= 300; ++i) {
            rs.AddNew();
            rs.Set("ID", Value(i));
            rs.Set("ProjectID", Value(1));
            rs.Set("PersonID", Value(1 + i % 5));
            rs.Set("Charges", Value(Amount("0.0101") * i));
            rs.Set("BookDate", Value(Date::FromYmd(2024, 1, 1).AddDays(i)));
            rs.Update();
        }
        t.Commit();
    }
    const char* const sources[] = {
        "SELECT Entry.*, Person.PersonNameFull FROM Person RIGHT JOIN Entry ON Person.ID = Entry.PersonID "
        "ORDER BY Entry.BookDate DESC",
        "Person",
        "SELECT Sum(Charges) AS Total FROM Entry",
    };
    for (const char* source : sources) {
        SCOPED_TRACE(source);
        auto held = db.OpenRecordset(source, RecordsetType::Snapshot);
        auto walk = db.OpenRecordset(source, RecordsetType::ForwardOnly);
        ASSERT_EQ(walk.Fields().size(), held.Fields().size());
        long long rows = 0;
        for (; !walk.Eof(); walk.MoveNext(), held.MoveNext()) {
            ASSERT_FALSE(held.Eof());
            for (int i = 0; i < static_cast<int>(held.Fields().size()); ++i) ASSERT_EQ(walk.Get(i), held.Get(i)) << i;
            EXPECT_EQ(walk.RecordCount(), ++rows);
        }
        EXPECT_TRUE(held.Eof());
        EXPECT_FALSE(walk.Bof());
        EXPECT_EQ(ErrorNumber([&] { walk.Get(0); }), 3021);
        EXPECT_EQ(ErrorNumber([&] { walk.MoveNext(); }), 3021);
    }

    // At its end the walk no longer holds the file: another program writes without waiting.
    {
        auto walk = db.OpenRecordset("SELECT ID FROM Entry", RecordsetType::ForwardOnly);
        while (!walk.Eof()) walk.MoveNext();
        Database other = Database::Open(db.Name(), {.read_only = false, .busy_timeout_ms = 0});
        EXPECT_EQ(other.Execute("UPDATE Entry SET Charges = 1 WHERE ID = 1"), 1);
    }

    auto walk = db.OpenRecordset("SELECT * FROM Entry WHERE ID > 1000", RecordsetType::ForwardOnly);
    EXPECT_TRUE(walk.Bof());
    EXPECT_TRUE(walk.Eof());
    EXPECT_EQ(walk.RecordCount(), 0);
    auto entries = db.OpenRecordset("Entry", RecordsetType::ForwardOnly);
    EXPECT_FALSE(entries.Updatable());
    for (const auto& refused : std::vector<std::function<void()>>{
             [&] { entries.MovePrevious(); }, [&] { entries.MoveFirst(); }, [&] { entries.MoveLast(); },
             [&] { entries.GetBookmark(); }, [&] { entries.FindFirst("ID = 3"); }, [&] { entries.Seek("=", Value(1)); }})
        EXPECT_EQ(ErrorNumber(refused), 3251);
    EXPECT_EQ(ErrorNumber([&] { entries.Edit(); }), 3027);
}

// Rows written one after the other through the same buffer (the engine may refer to the
// buffer's texts while it writes them): each keeps its own values, a refused value leaves the one
// set before, and the fields not set take their defaults, in a dynaset's own copy of the row too.
TEST_P(RecordsetTest, RowsWrittenInTurnKeepTheirOwnValues) {
    const std::string long_name(40, 'L');  // past the room a short text has inside its value
    const std::vector<std::pair<int, Value>> names = {
        {20, Value("Kurz")}, {21, Value(long_name)}, {22, Value()}, {23, Value("Zweite")}};
    {
        Transaction t(db);
        auto rs = db.OpenRecordset("Person");
        for (const auto& [id, name] : names) {
            rs.AddNew();
            rs.Set("ID", Value(id));
            rs.Set("PersonNameShort", Value(std::to_string(id)));
            EXPECT_EQ(ErrorNumber([&] { rs.Set("PersonNameShort", Value(std::string(11, 'x'))); }), 3163);
            rs.Set("PersonNameFull", name);
            rs.Update();
        }
        // and edited in turn, each found by its key only when written
        rs.SetIndex("PrimaryKey");
        for (int id : {20, 21}) {
            rs.Seek("=", Value(id));
            rs.Edit();
            rs.Set("PersonNameFull", Value(std::string(static_cast<std::size_t>(id), 'e')));
            rs.Update();
        }
        t.Commit();
    }
    auto back = db.OpenRecordset("SELECT ID, PersonNameFull, PersonNameShort, PersonRate FROM Person WHERE ID >= 20 "
                                 "ORDER BY ID",
                                 RecordsetType::Snapshot);
    for (const auto& [id, name] : names) {
        SCOPED_TRACE(id);
        ASSERT_FALSE(back.Eof());
        EXPECT_EQ(back.Get("ID"), Value(id));
        EXPECT_EQ(back.Get("PersonNameFull"), id <= 21 ? Value(std::string(static_cast<std::size_t>(id), 'e')) : name);
        EXPECT_EQ(back.Get("PersonNameShort"), Value(std::to_string(id)));
        EXPECT_EQ(back.Get("PersonRate"), Value(Currency()));
        back.MoveNext();
    }

    auto dyn = db.OpenRecordset("SELECT ID, PersonNameFull, PersonRate FROM Person ORDER BY ID");
    dyn.AddNew();
    dyn.Set("ID", Value(30));
    dyn.Set("PersonRate", Value(Amount("12.50")));
    dyn.Update();
    dyn.AddNew();
    EXPECT_EQ(dyn.Get("PersonRate"), Value(Currency()));  // the default again, not the row before's
    dyn.Set("ID", Value(31));
    dyn.Update();
    dyn.MoveLast();
    EXPECT_EQ(dyn.Get("ID"), Value(31));
    EXPECT_EQ(dyn.Get("PersonRate"), Value(Currency()));
    EXPECT_TRUE(dyn.Get("PersonNameFull").IsNull());
}

TEST_P(RecordsetTest, InsideATransactionOnlyValuesThatDifferFromTheRowAreWritten) {
    // The trigger notes every update that writes the name column.
    db.GetEngine().CreateTable("NameWrites", {Field("PersonID", FieldType::Long)});
    if (GetParam() == test::EngineKind::File) {
        db.GetEngine().Exec(
            "CREATE TRIGGER NameWritten AFTER UPDATE OF PersonNameFull ON Person BEGIN INSERT INTO NameWrites "
            "VALUES (new.ID); END");
    } else {
        db.GetEngine().Exec(
            "CREATE FUNCTION namewritten() RETURNS trigger LANGUAGE plpgsql AS $f$ BEGIN INSERT INTO namewrites "
            "VALUES (NEW.id); RETURN NEW; END $f$; CREATE TRIGGER namewritten AFTER UPDATE OF personnamefull ON "
            "person FOR EACH ROW EXECUTE FUNCTION namewritten()");
    }
    struct Step {
        const char* name;  // set together with a new rate, on the same recordset one after the other
        bool written;
    };
    const auto run = [&](bool in_transaction, const std::vector<Step>& steps) {
        db.Execute("UPDATE Person SET PersonNameFull = \"Aebi\" WHERE ID = 2");
        db.Execute("DELETE FROM NameWrites");
        std::optional<Transaction> t;
        if (in_transaction) t.emplace(db);
        auto rs = db.OpenRecordset("Person");
        rs.SetIndex("PrimaryKey");
        int rate = 100;
        long long writes = 0;
        for (const Step& step : steps) {
            SCOPED_TRACE(step.name);
            rs.Seek("=", Value(2));
            EXPECT_FALSE(rs.Get("PersonNameFull").IsNull());  // the row as read: what the writes compare with
            rs.Edit();
            rs.Set("PersonNameFull", Value(step.name));
            rs.Set("PersonRate", Value(Currency::FromInt(++rate)));
            rs.Update();
            auto check = db.OpenRecordset("SELECT PersonNameFull, PersonRate FROM Person WHERE ID = 2",
                                          RecordsetType::Snapshot);
            EXPECT_EQ(check.Get(0).ToText(), step.name);
            EXPECT_EQ(check.Get(1).ToCurrency(), Currency::FromInt(rate));
            writes += step.written ? 1 : 0;
            EXPECT_EQ(db.OpenRecordset("SELECT Count(*) FROM NameWrites", RecordsetType::Snapshot).Get(0).ToLong(),
                      writes);
        }
        if (t) t->Commit();
    };
    run(true, {{"Aebi", false}, {"Aebi-Zaugg", true}, {"Aebi-Zaugg", false}, {"Aebi", true}});
    run(false, {{"Aebi", true}, {"Aebi-Zaugg", true}});
}

}  // namespace
}  // namespace tlx4r::db
