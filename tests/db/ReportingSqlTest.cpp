// The component's own statements, exactly as it writes them, on a reporting database made the
// way the component makes it (DBReporting::DBNew: every table, index, relation and stored
// query), with a finance database beside it. Each case checks the rows the old engine gave.
#include "TempDb.h"
#include "support/TestPlace.h"

#include "core/DBReporting.h"
#include "core/FibuTables.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "entries/Entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>

namespace tlx4r::db {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

// One value as the expected rows spell it: Null, amounts with two decimals, Booleans as
// True/False, dates "dd.mm.yyyy", everything else as its text.
std::string Show(const Value& v) {
    switch (v.kind()) {
        case Value::Kind::Null:
            return "Null";
        case Value::Kind::Currency:
            return v.ToCurrency().Format(2, false);
        default:
            return v.ToText();
    }
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
    return parts;
}

// "a|b;c|d": the rows of rs, the named columns only (all without names). Rows of a statement
// without ORDER BY come in no defined order and are sorted.
std::string Rows(Recordset& rs, const char* columns, bool ordered) {
    std::vector<int> positions;
    if (columns) {
        for (const auto& name : Split(columns, ',')) positions.push_back(rs.FieldIndex(name));
    } else {
        for (std::size_t i = 0; i < rs.Fields().size(); ++i) positions.push_back(static_cast<int>(i));
    }
    std::vector<std::string> rows;
    for (; !rs.Eof(); rs.MoveNext()) {
        std::string row;
        for (std::size_t i = 0; i < positions.size(); ++i) row += (i ? "|" : "") + Show(rs.Get(positions[i]));
        rows.push_back(row);
    }
    if (!ordered) std::sort(rows.begin(), rows.end());
    std::string out;
    for (std::size_t i = 0; i < rows.size(); ++i) out += (i ? ";" : "") + rows[i];
    return out;
}

bool Contains(std::string_view text, std::string_view word) {
    auto upper = [](std::string_view s) {
        std::string u(s);
        for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return u;
    };
    return upper(text).find(upper(word)) != std::string::npos;
}

bool ReturnsRows(std::string_view sql) {
    const auto start = sql.find_first_not_of(" (");
    return start != std::string_view::npos && Contains(sql.substr(start, 7), "SELECT ");
}

struct SqlCase {
    const char* name;
    // The statements, one a line, as the component runs them one after the other; $FIN is the
    // finance database's path, $OLD another reporting file, $LINK the linked finance table
    // "Accounts". Only the last one is checked.
    const char* sql;
    // A row-returning last statement: the columns to show (nullptr: all). Otherwise a SELECT
    // whose rows show what the statement changed.
    const char* show;
    const char* expected;      // rows, or "error NNNN" when the last statement must fail
    long long affected = -1;   // rows the last statement changed (-1: a row-returning one)
    bool on_finance = false;   // run on the finance database instead
};

// ctest shows the printed parameter beside each test's name: the case's name keeps it stable.


// A small office: three persons (one with an umlaut first, one without any name), two
// departments and one without a name, projects with and without client, type and person,
// entries of several record types with categories, an archived one, one without project and
// some with persons that are gone.
void Fill(Database& db) {
    for (const char* sql : {
             "INSERT INTO Person (ID, PersonNameFull, PersonNameShort, PersonRate) VALUES (1, \"Anna Muster\", \"AM\", 180)",
             "INSERT INTO Person (ID, PersonNameFull, PersonNameShort, PersonRate) VALUES (2, \"Beat Huber\", \"BH\", 150)",
             "INSERT INTO Person (ID, PersonNameFull, PersonNameShort, PersonRate) VALUES (3, \"Ärni Zoë\", \"ÄZ\", 0)",
             "INSERT INTO Person (ID) VALUES (4)",
             "INSERT INTO Department (ID, DepartmentNameFull) VALUES (1, \"Notariat\")",
             "INSERT INTO Department (ID, DepartmentNameFull) VALUES (2, \"Advokatur\")",
             "INSERT INTO Department (ID) VALUES (3)",
             "INSERT INTO ProjectType (ID, ProjectTypeNameFull) VALUES (1, \"Erbteilung\")",
             "INSERT INTO Client (ID, KeyName, PersonID) VALUES (1, \"Müller AG\", 1)",
             "INSERT INTO Client (ID, KeyName, PersonID) VALUES (2, \"Zürcher Hans\", 7)",
             "INSERT INTO Project (ID, ClientID, ProjectTypeID, PersonID, DepartmentID, AccountCode, AccountName, "
             "DateBegin, PaymentLimit, Rate) VALUES (1, 1, 1, 2, 1, \"1100.01\", \"Müller AG\", #01/15/2024#, 60, 180)",
             "INSERT INTO Project (ID, ClientID, ProjectTypeID, PersonID, DepartmentID, AccountCode, AccountName, "
             "DateBegin, Rate) VALUES (2, 0, 0, 1, 2, \"1100.02\", \"Zürcher Hans\", #03/01/2024#, Null)",
             "INSERT INTO Project (ID, ClientID, ProjectTypeID, PersonID, DepartmentID, AccountCode, AccountName) "
             "VALUES (3, 9, 5, Null, 7, \"1100.09\", \"Alt\")",
             "INSERT INTO Entry (ID, ProjectID, PersonID, RecType, RecTypeText, BookDate, Text, Charges, TimeFrom, "
             "TimeTo, TimeBreak, Rate) VALUES (1, 1, 1, 3, \"A  \", #03/01/2024#, \"Besprechung Müller\", 100.1, "
             "#09:00#, #12:00#, #00:00#, 33.37)",
             "INSERT INTO Entry (ID, ProjectID, PersonID, RecType, RecTypeText, BookDate, Text, Charges, Expenses, "
             "TypeExpenses) VALUES (2, 1, 2, 1, \"G  \", #03/31/2024#, \"Gebühr Grundbuch\", 60, 12.5, Null)",
             "INSERT INTO Entry (ID, ProjectID, PersonID, RecType, RecTypeText, BookDate, Text, Charges, Archive, "
             "TypeCharges, TypeExpenses) VALUES (3, 2, Null, 3, \"AA0\", #04/30/2024#, \"Zürich Termin*\", 200, True, "
             "12, 2)",
             "INSERT INTO Entry (ID, ProjectID, PersonID, RecType, RecTypeText, BookDate, Text, TypeCharges) "
             "VALUES (4, 2, 9, 4, \"T  \", #04/18/2024#, \"Termin ohne Geschäft\", 0)",
             "INSERT INTO Entry (ID, ProjectID, PersonID, RecType, RecTypeText, BookDate, Text, Billed, TypeCharges) "
             "VALUES (5, 2, 0, 2, \"R  \", #05/31/2024#, \"Rechnung \"\"100%\"\"\", 230, 38)",
             "INSERT INTO Entry (ID, ProjectID, PersonID, RecType, RecTypeText, BookDate, Text, VAT, TypeCharges) "
             "VALUES (6, 0, 1, 7, \"M  \", #06/30/2024#, \"MWST\", 17.7, Null)",
         }) {
        db.Execute(sql);
    }
    // The columns an older release named differently, as a file of that release still has them.
    TableDef templates = db.TableDefs().Item("Template");
    templates.AppendField(Field("TemplateName", FieldType::Text, 255));
    templates.AppendField(Field("Charges", FieldType::Currency));
    templates.AppendField(Field("TypeCharges", FieldType::Long));
    db.Execute("INSERT INTO Template (ID, TemplateNameFull, TemplateCharges, TemplateTypeCharges, TemplateName, "
               "Charges, TypeCharges) VALUES (1, \"Beglaubigung\", 20, 1, \"Beglaubigung alt\", 25, 3)");
    db.Execute("INSERT INTO Template (ID, TemplateNameFull, TemplateCharges, TemplateTypeCharges, TemplateName, "
               "Charges, TypeCharges) VALUES (2, Null, Null, Null, \"Grundbuchauszug\", 15.5, 1)");
}

void CreateFinance(const std::string& path) {
    Database fin = Database::Create(path);
    TableDef accounts("Accounts");
    accounts.AppendField(Field("ID", FieldType::Long));
    accounts.AppendField(Field("Code", FieldType::Text, 50));
    accounts.AppendField(Field("Name", FieldType::Text, 50));
    accounts.AppendField(Field("WorkedBalance", FieldType::Currency).SetDefaultValue("0"));
    accounts.AppendField(Field("IsGeneralLedger", FieldType::Boolean).SetDefaultValue("False"));
    accounts.AppendField(Field("DeleteOnCloture", FieldType::Boolean).SetDefaultValue("False"));
    accounts.AppendIndex(Index("PrimaryKey", {"ID"}, true, true));
    accounts.AppendIndex(Index("Code", {"Code"}, true));
    fin.TableDefs().Append(accounts);
    fin.Execute("INSERT INTO Accounts (ID, Code, Name, WorkedBalance) VALUES (1, \"1100.01\", \"Müller AG neu\", 5)");
    fin.Execute("INSERT INTO Accounts (ID, Code, Name, WorkedBalance, DeleteOnCloture) VALUES (2, \"1100.02\", "
                "\"Zürcher Hans\", 7, True)");
    fin.Execute("INSERT INTO Accounts (ID, Code, Name, IsGeneralLedger) VALUES (3, \"1000\", \"Kasse\", True)");
}

// A reporting file of an older release: its Person table has the columns in another order and
// no rate yet.
void CreateOld(const std::string& path) {
    Database old = Database::Create(path);
    TableDef person("Person");
    person.AppendField(Field("ID", FieldType::Long));
    person.AppendField(Field("PersonNameShort", FieldType::Text, 10));
    person.AppendField(Field("PersonNameFull", FieldType::Text, 255));
    person.AppendIndex(Index("PrimaryKey", {"ID"}, true, true));
    old.TableDefs().Append(person);
    old.Execute("INSERT INTO Person (ID, PersonNameShort, PersonNameFull) VALUES (11, \"XY\", \"Xaver Yz\")");
    old.Execute("INSERT INTO Person (ID) VALUES (12)");
}

// A case on one engine.
struct EngineCase {
    test::EngineKind kind;
    SqlCase c;
};

void PrintTo(const EngineCase& c, std::ostream* out) { *out << c.c.name; }

// The office the cases start from: made once per engine. On a file each case works on copies
// of the files; on the server each case works inside transactions that end undone, since the
// schemas cannot be copied as cheaply.
struct Office {
    std::unique_ptr<TempDir> dir;
    std::unique_ptr<test::TestPlace> place;
    std::string reporting, finance, old;
};

class ReportingSql : public ::testing::TestWithParam<EngineCase> {
public:
    static void TearDownTestSuite() {
        for (auto& office : offices_) office = Office{};
    }

protected:
    static Office& OfficeFor(test::EngineKind kind) {
        Office& office = offices_[kind == test::EngineKind::File ? 0 : 1];
        if (office.place) return office;
        office.dir = std::make_unique<TempDir>();
        office.place = std::make_unique<test::TestPlace>(kind);
        office.reporting = office.place->Name("Kanzlei.tdb4r");
        office.finance = office.place->Name("Kanzlei.tdb4f");
        office.old = office.place->Name("Kanzlei_comp_.tdb4r");
        CreateFinance(office.finance);
        CreateOld(office.old);
        DBReporting layer;
        layer.DBNew(office.reporting);
        Fill(*layer.Database());
        layer.DBClose();
        return office;
    }

    void SetUp() override {
        TLX4R_SKIP_WITHOUT_SERVER(GetParam().kind);
        Office& office = OfficeFor(GetParam().kind);
        on_server_ = GetParam().kind == test::EngineKind::Server;
        reporting_ = office.reporting;
        finance_ = office.finance;
        old_ = office.old;
        if (!on_server_) {
            reporting_ = office.dir->File("case.tdb4r");
            finance_ = office.dir->File("case.tdb4f");
            fs::copy_file(office.reporting, reporting_, fs::copy_options::overwrite_existing);
            fs::copy_file(office.finance, finance_, fs::copy_options::overwrite_existing);
        }
        db_ = Database::Open(reporting_);
        if (on_server_) db_.BeginTrans();  // ends undone when the connection closes
        fibu_ = std::make_unique<FibuTables>(db_, [this] { return finance_; });
    }
    void TearDown() override {
        fibu_.reset();
        db_.Close();
    }

    std::string Expand(std::string sql) {
        auto replace = [&](const std::string& key, const std::string& with) {
            for (std::size_t p; (p = sql.find(key)) != std::string::npos;) sql.replace(p, key.size(), with);
        };
        replace("$FIN", finance_);
        replace("$OLD", old_);
        if (sql.find("$LINK") != std::string::npos) replace("$LINK", fibu_->Item("Accounts"));
        return sql;
    }

    static Office offices_[2];
    bool on_server_ = false;
    std::string reporting_, finance_, old_;
    Database db_;
    std::unique_ptr<FibuTables> fibu_;
};

Office ReportingSql::offices_[2];

TEST_P(ReportingSql, GivesTheRowsTheOldEngineGave) {
    const SqlCase& c = GetParam().c;
    std::vector<std::string> lines = Split(Expand(c.sql), '\n');
    ASSERT_FALSE(lines.empty());
    const std::string last = lines.back();
    lines.pop_back();
    Database finance;
    if (c.on_finance) {
        finance = Database::Open(finance_);
        if (on_server_) finance.BeginTrans();
    }
    Database& db = c.on_finance ? finance : db_;
    for (const auto& line : lines) db.Execute(line);
    SCOPED_TRACE(last);
    std::string rows;
    try {
        if (ReturnsRows(last)) {
            auto rs = db.OpenRecordset(last, RecordsetType::Snapshot);
            rows = Rows(rs, c.show, Contains(last, "ORDER BY"));
            EXPECT_EQ(c.affected, -1);
        } else {
            EXPECT_EQ(db.Execute(last), c.affected);
            auto rs = db.OpenRecordset(c.show, RecordsetType::Snapshot);
            rows = Rows(rs, nullptr, Contains(c.show, "ORDER BY"));
        }
    } catch (const DbError& e) {
        rows = "error " + std::to_string(e.Number());
        EXPECT_EQ(rows, c.expected) << e.Description();
        return;
    }
    EXPECT_EQ(rows, c.expected);
}

// The entries selection's computed columns, as it puts them before "Entry.*, Project.*, …".
#define SELECTION_COLUMNS                                                                                          \
    "Project.ID AS ItemID, Project.AccountCode AS ItemCode, Project.AccountName AS ItemName, "                    \
    "Person.PersonNameShort AS ItemShort, Entry.ID AS EntryID, Entry.PersonID AS PersonID, Entry.Archive AS "      \
    "Archive, Entry.Text AS TextLine, [Charges]+[Expenses]+[Adapted]+[Vat]-[Billed] AS Amount, "                   \
    "[TimeTo]-[TimeFrom]-[TimeBreak] AS Hours, Entry.*, Project.*, Person.* FROM Person RIGHT JOIN (Project RIGHT " \
    "JOIN Entry ON Project.ID = Entry.ProjectID) ON Person.ID = Entry.PersonID "

const SqlCase kCases[] = {
    // --- Stored queries: nested RIGHT JOINs keep what has no partner; shared names are qualified.
    {"vEntry", "SELECT Entry.*, Person.PersonNameShort FROM Person RIGHT JOIN Entry ON Person.ID = Entry.PersonID;",
     "ID,PersonNameShort", "1|AM;2|BH;3|Null;4|Null;5|Null;6|AM"},
    {"vEntryFull",
     "SELECT Entry.*, Person_1.*, Project.*, ProjectType.*, Person.*, Department.* FROM Person AS Person_1 RIGHT JOIN "
     "(Department RIGHT JOIN (Person RIGHT JOIN (ProjectType RIGHT JOIN (Project INNER JOIN Entry ON Project.ID = "
     "Entry.ProjectID) ON ProjectType.ID = Project.ProjectTypeID) ON Person.ID = Project.PersonID) ON Department.ID = "
     "Project.DepartmentID) ON Person_1.ID = Entry.PersonID;",
     "Entry.ID,Person_1.PersonNameShort,Project.ID,AccountCode,Person.PersonNameShort,DepartmentNameFull,"
     "ProjectTypeNameFull",
     "1|AM|1|1100.01|BH|Notariat|Erbteilung;2|BH|1|1100.01|BH|Notariat|Erbteilung;3|Null|2|1100.02|AM|Advokatur|Null;"
     "4|Null|2|1100.02|AM|Advokatur|Null;5|Null|2|1100.02|AM|Advokatur|Null"},
    {"vProjectFull",
     "SELECT Project.*, ProjectType.*, Person.*, Department.* FROM Person RIGHT JOIN (ProjectType RIGHT JOIN "
     "(Department RIGHT JOIN Project ON Department.ID = Project.DepartmentID) ON ProjectType.ID = "
     "Project.ProjectTypeID) ON Person.ID = Project.PersonID;",
     "Project.ID,PersonNameShort,DepartmentNameFull,ProjectTypeNameFull",
     "1|BH|Notariat|Erbteilung;2|AM|Advokatur|Null;3|Null|Null|Null"},
    {"stored_query_by_name", "SELECT * FROM vEntryFull;", "Entry.ID,Entry.Text,Project.Text,Person_1.PersonNameFull",
     "1|Besprechung Müller|Null|Anna Muster;2|Gebühr Grundbuch|Null|Beat Huber;3|Zürich Termin*|Null|Null;"
     "4|Termin ohne Geschäft|Null|Null;5|Rechnung \"100%\"|Null|Null"},

    // --- Repairs run when a database is opened and verified.
    {"entry_assert_type_charges",
     "UPDATE Entry SET TypeCharges = 1 WHERE ((TypeCharges Is Null) OR (TypeCharges < 1) OR (TypeCharges > 37));",
     "SELECT ID, TypeCharges FROM Entry ORDER BY ID", "1|1;2|1;3|12;4|1;5|1;6|1", 3},
    {"entry_assert_type_expenses",
     "UPDATE Entry SET TypeExpenses = 1 WHERE ((TypeExpenses Is Null) OR (TypeExpenses < 1) OR (TypeExpenses > 37));",
     "SELECT ID, TypeExpenses FROM Entry ORDER BY ID", "1|1;2|1;3|2;4|1;5|1;6|1", 1},
    {"entry_person_repair",
     "UPDATE Entry SET Entry.PersonID = 0 WHERE (Entry.PersonID Is Null);\n"
     "UPDATE Entry SET Entry.PersonID = 0 WHERE (((Entry.PersonID)<>0 And (Entry.PersonID) Not In (SELECT ID FROM "
     "Person;)));",
     "SELECT ID, PersonID FROM Entry ORDER BY ID", "1|1;2|2;3|0;4|0;5|0;6|1", 1},
    {"client_person_repair",
     "UPDATE Client SET Client.PersonID = 0 WHERE (Client.PersonID Is Null);\n"
     "UPDATE Client SET Client.PersonID = 0 WHERE (((Client.PersonID)<>0 And (Client.PersonID) Not In (SELECT ID FROM "
     "Person;)));",
     "SELECT ID, PersonID FROM Client ORDER BY ID", "1|1;2|0", 1},
    {"project_foreign_key_repair",
     "UPDATE Project SET Project.ClientID = 0 WHERE (Project.ClientID Is Null);\n"
     "UPDATE Project SET Project.ClientID = 0 WHERE (((Project.ClientID)<>0 And (Project.ClientID) Not In (SELECT ID "
     "FROM Client;)));\n"
     "UPDATE Project SET Project.ProjectTypeID = 0 WHERE (Project.ProjectTypeID Is Null);\n"
     "UPDATE Project SET Project.ProjectTypeID = 0 WHERE (((Project.ProjectTypeID)<>0 And (Project.ProjectTypeID) Not "
     "In (SELECT ID FROM ProjectType;)));\n"
     "UPDATE Project SET Project.PersonID = 0 WHERE (Project.PersonID Is Null);\n"
     "UPDATE Project SET Project.PersonID = 0 WHERE (((Project.PersonID)<>0 And (Project.PersonID) Not In (SELECT ID "
     "FROM Person;)));\n"
     "UPDATE Project SET Project.DepartmentID = 0 WHERE (Project.DepartmentID Is Null);\n"
     "UPDATE Project SET Project.DepartmentID = 0 WHERE (((Project.DepartmentID)<>0 And (Project.DepartmentID) Not In "
     "(SELECT ID FROM Department;)));",
     "SELECT ID, ClientID, ProjectTypeID, PersonID, DepartmentID FROM Project ORDER BY ID",
     "1|1|1|2|1;2|0|0|1|2;3|0|0|0|0", 1},
    {"project_payment_limit", "UPDATE Project SET PaymentLimit = 30 WHERE (PaymentLimit Is Null);",
     "SELECT ID, PaymentLimit FROM Project ORDER BY ID", "1|60;2|30;3|30", 2},
    {"project_rate", "UPDATE Project SET Rate = 0 WHERE (Rate Is Null);", "SELECT ID, Rate FROM Project ORDER BY ID",
     "1|180.00;2|0.00;3|0.00", 1},

    // --- Projects and the accounting: another database file, by path and with IN.
    {"projects_to_be_deleted",
     "SELECT Count(ID) AS ToBeDeleted FROM Project WHERE (AccountCode NOT IN (SELECT Code FROM [$FIN].Accounts) );",
     nullptr, "1"},
    {"projects_without_account",
     "DELETE * FROM Project WHERE Project.AccountCode NOT IN (SELECT DISTINCTROW Accounts.Code FROM Accounts IN "
     "\"$FIN\";);",
     "SELECT ID FROM Project ORDER BY ID", "1;2", 1},
    {"projects_without_entries",
     "DELETE * FROM Project WHERE (Project.ID NOT IN (SELECT DISTINCTROW Entry.ProjectID FROM Entry GROUP BY "
     "Entry.ProjectID;));",
     "SELECT ID FROM Project ORDER BY ID", "1;2", 1},
    {"project_names_from_accounts",
     "UPDATE Project INNER JOIN [$FIN].Accounts ON Project.AccountCode = Accounts.Code SET Project.AccountName "
     "=Accounts.Name;",
     "SELECT ID, AccountName FROM Project ORDER BY ID", "1|Müller AG neu;2|Zürcher Hans;3|Alt", 2},
    {"deleting_a_project_deletes_its_entries", "DELETE * FROM Project WHERE (ID = 2);",
     "SELECT ID FROM Entry ORDER BY ID", "1;2;6", 1},
    {"export_of_client",
     "SELECT Project.*, Client.* FROM Project LEFT JOIN Client ON Project.ClientID = Client.ID WHERE (Client.ID=1) "
     "ORDER BY Project.AccountCode;",
     "Project.ID,Client.ID,AccountCode,KeyName,Project.PersonID,Client.PersonID", "1|1|1100.01|Müller AG|2|1"},
    {"export_of_project",
     "SELECT Project.*, Client.* FROM Project LEFT JOIN Client ON Project.ClientID = Client.ID WHERE (Project.ID=2) ;",
     "Project.ID,Client.ID,AccountCode,KeyName", "2|Null|1100.02|Null"},
    {"export_all",
     "SELECT Project.*, Client.* FROM Project LEFT JOIN Client ON Project.ClientID = Client.ID ORDER BY "
     "Project.AccountCode;",
     "Project.ID,Client.ID,Project.Archive,Client.Archive", "1|1|False|False;2|Null|False|Null;3|Null|False|Null"},

    // --- Client form: projects of no client, searched with the dialect's wildcards.
    {"client_unassigned_projects_search",
     "SELECT * FROM Project WHERE ((Project.ClientID = 0) AND ((Project.AccountCode LIKE \"*ZÜR*\") OR "
     "(Project.AccountName LIKE \"*ZÜR*\"))) ORDER BY Project.AccountCode;",
     "ID,AccountName", "2|Zürcher Hans"},
    {"client_own_projects_search",
     "SELECT * FROM Project WHERE ((Project.ClientID = 1) AND ((Project.AccountCode LIKE \"*müller ag*\") OR "
     "(Project.AccountName LIKE \"*müller ag*\"))) ORDER BY Project.AccountCode;",
     "ID,AccountName", "1|Müller AG"},
    {"client_other_projects_digit_wildcard",
     "SELECT * FROM Project WHERE ((Project.ClientID > 0) AND (Project.ClientID <> 1) AND ((Project.AccountCode LIKE "
     "\"*00.0#*\") OR (Project.AccountName LIKE \"*00.0#*\"))) ORDER BY Project.AccountCode;",
     "ID,AccountCode", "3|1100.09"},
    {"client_link", "UPDATE Project SET ClientID = 2 WHERE (ID = 2);", "SELECT ID, ClientID FROM Project ORDER BY ID",
     "1|1;2|2;3|9", 1},

    // --- Lookup tables: verification, synchronisation, an older layout's columns, the chooser.
    {"lookup_without_names", "DELETE * FROM Person WHERE ((PersonNameFull Is Null) AND (PersonNameShort Is Null));",
     "SELECT ID FROM Person ORDER BY ID", "1;2;3", 1},
    {"lookup_without_full_name", "DELETE * FROM Department WHERE (DepartmentNameFull Is Null);",
     "SELECT ID FROM Department ORDER BY ID", "1;2", 1},
    {"lookup_missing_type", "UPDATE Template SET TemplateTypeCharges=1 WHERE (TemplateTypeCharges IS NULL);",
     "SELECT ID, TemplateTypeCharges FROM Template ORDER BY ID", "1|1;2|1", 1},
    {"lookup_sync_persons_of_entries",
     "SELECT PersonID FROM Entry WHERE ((PersonID NOT IN (Select ID FROM Person;)) AND PersonID > 0) GROUP BY "
     "PersonID;",
     nullptr, "9"},
    {"lookup_sync_departments_of_projects",
     "SELECT DepartmentID FROM Project WHERE ((DepartmentID NOT IN (Select ID FROM Department;)) AND DepartmentID > 0) "
     "GROUP BY DepartmentID;",
     nullptr, "7"},
    {"lookup_older_layout",
     "UPDATE Template SET [TemplateCharges] = 0 WHERE ([TemplateCharges] Is Null);\n"
     "UPDATE Template SET [TemplateTypeCharges] = 1 WHERE ([TemplateTypeCharges] Is Null);\n"
     "UPDATE Template SET [TemplateCharges] = [Charges] WHERE (([TemplateCharges] = 0) AND ([Charges] <> 0));\n"
     "UPDATE Template SET [TemplateTypeCharges] = [TypeCharges] WHERE (([TemplateTypeCharges] = 1) AND ([TypeCharges] "
     "> 1));\n"
     "UPDATE Template SET [TemplateNameFull] = [TemplateName] WHERE (([TemplateNameFull] Is Null) AND (NOT "
     "([TemplateName] Is Null)));\n"
     "UPDATE Template SET [TemplateName] = [TemplateNameFull];",
     "SELECT ID, TemplateNameFull, TemplateCharges, TemplateTypeCharges, TemplateName FROM Template ORDER BY ID",
     "1|Beglaubigung|20.00|3|Beglaubigung;2|Grundbuchauszug|15.50|1|Grundbuchauszug", 2},
    {"lookup_chooser_words", "SELECT * FROM Person WHERE (PersonNameFull Like \"bea* hu*\") ORDER BY PersonNameFull;",
     "ID,PersonNameFull", "2|Beat Huber"},
    {"lookup_chooser_umlauts_sort_beside_their_letter", "SELECT * FROM Person ORDER BY PersonNameFull;",
     "ID,PersonNameFull", "4|Null;1|Anna Muster;3|Ärni Zoë;2|Beat Huber"},

    // --- Tariff catalogues: seeded by the component; a row that exists refuses the insert.
    {"tariff_insert_existing", "INSERT INTO TypeCharges( ID, TypeChargesCode ) SELECT 5 AS MyID, \"3\" AS MyCode;",
     nullptr, "error 3022"},
    {"tariff_trim",
     "INSERT INTO TypeCharges( ID, TypeChargesCode ) SELECT 40 AS MyID, \"#\" AS MyCode;\n"
     "DELETE * FROM TypeCharges WHERE ((ID > 37) OR (ID < 1));",
     "SELECT Count(*) AS N, Max(ID) AS M FROM TypeCharges", "37|37", 1},
    {"tariff_code", "UPDATE TypeExpenses SET TypeExpensesCode = \"0\" WHERE (ID = 2);",
     "SELECT TypeExpensesCode FROM TypeExpenses WHERE (ID = 2)", "0", 1},
    {"tariff_name_only_if_empty",
     "UPDATE TypeCharges SET TypeChargesName = Null,TypeChargesAccount = Null WHERE ((ID = 3));\n"
     "UPDATE TypeCharges SET TypeChargesName = \"Beglaubigung\",TypeChargesAccount = \"3400\" WHERE ((ID = 3) AND "
     "(TypeChargesName Is Null));\n"
     "UPDATE TypeCharges SET TypeChargesName = \"Andere\" WHERE ((ID = 3) AND (TypeChargesName Is Null));",
     "SELECT TypeChargesName, TypeChargesAccount FROM TypeCharges WHERE ID = 3", "Beglaubigung|3400", 0},

    // --- Entry form: the project's balance up to a date.
    {"balance_invoice",
     "SELECT DISTINCTROW SUM([Charges]+[Expenses]+[Adapted]-[Billed]+[VAT]) AS [Saldo] FROM Entry WHERE "
     "(((Entry.BookDate) <= #04/30/2024# )) GROUP BY Entry.ProjectID HAVING (((Entry.ProjectID)=2));",
     nullptr, "200"},
    {"balance_fees",
     "SELECT DISTINCTROW SUM([Charges]) AS [Saldo] FROM Entry WHERE (((Entry.BookDate) <= #03/31/2024# )) GROUP BY "
     "Entry.ProjectID HAVING (((Entry.ProjectID)=1));",
     nullptr, "160.1"},
    {"balance_without_rows",
     "SELECT DISTINCTROW SUM([Charges]) AS [Saldo] FROM Entry WHERE (((Entry.BookDate) <= #03/31/2024# )) GROUP BY "
     "Entry.ProjectID HAVING (((Entry.ProjectID)=3));",
     nullptr, ""},

    // --- Transfer to the accounting.
    {"transfer_reset", "UPDATE Accounts SET Accounts.WorkedBalance=0;",
     "SELECT Code, WorkedBalance FROM Accounts ORDER BY ID", "1100.01|0.00;1100.02|0.00;1000|0.00", 3, true},
    {"transfer_sums",
     "SELECT  First(Project.AccountCode) as AccountCode, SUM(Entry.Charges+Entry.Expenses+Entry.Adapted-Entry.Billed) "
     "AS WorkedBalance FROM Project INNER JOIN Entry ON Project.ID = Entry.ProjectID WHERE((Entry.Archive = False)) "
     "GROUP BY Entry.ProjectID;",
     nullptr, "1100.01|172.6;1100.02|-230"},
    {"transfer_sums_up_to_date",
     "SELECT  First(Project.AccountCode) as AccountCode, SUM(Entry.Charges+Entry.Expenses+Entry.Adapted-Entry.Billed) "
     "AS WorkedBalance FROM Project INNER JOIN Entry ON Project.ID = Entry.ProjectID WHERE((Entry.Archive = False) AND "
     "(Entry.BookDate<=#03/31/2024#)) GROUP BY Entry.ProjectID;",
     nullptr, "1100.01|172.6"},
    {"transfer_accounts",
     "SELECT Accounts.Code As AccountCode, Accounts.WorkedBalance AS WorkedBalance FROM Accounts WHERE "
     "Accounts.IsGeneralLedger=FALSE ORDER BY Accounts.Code;",
     nullptr, "1100.01|5.00;1100.02|7.00", -1, true},

    // --- Archive.
    {"archive_marked_for_deletion",
     "UPDATE Entry Set Entry.Archive=True WHERE ((ProjectID IN (SELECT Project.ID FROM Project WHERE "
     "Project.AccountCode IN (SELECT DISTINCTROW Accounts.Code FROM Accounts IN \"$FIN\" WHERE "
     "(Accounts.DeleteOnCloture = True);))) AND (BookDate BETWEEN #04/01/2024# AND #04/30/2024#) AND (RecType IN "
     "(3,4)));",
     "SELECT ID, Archive FROM Entry ORDER BY ID", "1|False;2|False;3|True;4|True;5|False;6|False", 2},
    {"archive_one_project_on_a_day", "UPDATE Entry Set Entry.Archive=True WHERE ((ProjectID=1) AND (BookDate = #03/31/2024#));",
     "SELECT ID FROM Entry WHERE Archive = True ORDER BY ID", "2;3", 1},
    {"reactivate_all", "UPDATE Entry Set Entry.Archive=False;", "SELECT Count(*) AS N FROM Entry WHERE Archive = True",
     "0", 6},
    {"delete_archive", "DELETE * FROM Entry WHERE (Entry.Archive<>0);", "SELECT ID FROM Entry ORDER BY ID",
     "1;2;4;5;6", 1},

    // --- Conversion: rows of another reporting file, matched by column name.
    {"convert_import",
     "INSERT INTO Person SELECT * FROM [$OLD].Person WHERE (NOT ((PersonNameFull Is Null) AND (PersonNameShort Is "
     "Null)));",
     "SELECT ID, PersonNameFull, PersonNameShort, PersonRate FROM Person WHERE ID > 10", "11|Xaver Yz|XY|0.00", 1},

    // --- Entries selection: TOP, the computed columns, record-type letters, Booleans, dates, LIKE.
    {"selection_default",
     "SELECT " SELECTION_COLUMNS
     "WHERE((Entry.RecTypeText IN(\"G\",\"R\",\"A\",\"N\",\"M\")) AND (Entry.Archive = FALSE)) ORDER BY "
     "Entry.BookDate,Entry.ID;",
     "EntryID,ItemCode,ItemShort,RecTypeText,Amount,Hours,Archive,Entry.Archive",
     "1|1100.01|AM|A  |100.1|0.125|False|False;2|1100.01|BH|G  |72.5|Null|False|False;5|1100.02|Null|R  |-230|Null|"
     "False|False;6|Null|AM|M  |17.7|Null|False|False"},
    {"selection_last_100",
     "SELECT TOP 2 " SELECTION_COLUMNS "ORDER BY Entry.ID DESC,Entry.BookDate DESC;",
     "EntryID,ItemCode,ItemShort,TextLine", "6|Null|AM|MWST;5|1100.02|Null|Rechnung \"100%\""},
    {"selection_work_report_archived_with_text",
     "SELECT " SELECTION_COLUMNS
     "WHERE((Entry.BookDate BETWEEN #03/01/2024# AND #04/30/2024#) AND (Entry.RecTypeText IN(\"A\")) AND "
     "(Entry.Archive = TRUE) AND (Entry.Text LIKE \"*ZÜRICH T*\")) ORDER BY Entry.BookDate,Entry.ID;",
     "EntryID,RecTypeText,ItemName,Entry.Text", "3|AA0|Zürcher Hans|Zürich Termin*"},
    {"selection_text_begins_with",
     "SELECT " SELECTION_COLUMNS "WHERE((Entry.Text LIKE \"gebühr*\")) ORDER BY Entry.BookDate,Entry.ID;", "EntryID",
     "2"},
    {"selection_text_ends_with_quotes",
     "SELECT " SELECTION_COLUMNS "WHERE((Entry.Text LIKE \"*\"\"100%\"\"\")) ORDER BY Entry.BookDate,Entry.ID;",
     "EntryID", "5"},
    {"selection_text_exact",
     "SELECT " SELECTION_COLUMNS
     "WHERE((Entry.Text = \"besprechung MÜLLER  \") AND (Entry.PersonID = 1)) ORDER BY Entry.BookDate,Entry.ID;",
     "EntryID", "1"},
    {"selection_no_types",
     "SELECT " SELECTION_COLUMNS "WHERE(FALSE AND (Entry.Archive = FALSE)) ORDER BY Entry.BookDate,Entry.ID;",
     "EntryID", ""},
    {"selection_project_and_day",
     "SELECT " SELECTION_COLUMNS
     "WHERE((Entry.BookDate = #04/18/2024#) AND (Entry.ProjectID = 2)) ORDER BY Entry.ID DESC,Entry.BookDate DESC;",
     "EntryID,ItemShort,Entry.PersonID", "4|Null|9"},

    // --- Project overview over the linked accounts table.
    {"project_overview",
     "SELECT Project.*, ProjectType.*, Department.*, Person.*, [$LINK].* FROM $LINK RIGHT JOIN (Department RIGHT JOIN "
     "(Person RIGHT JOIN (ProjectType RIGHT JOIN Project ON ProjectType.ID = Project.ProjectTypeID) ON Person.ID = "
     "Project.PersonID) ON Department.ID = Project.DepartmentID) ON [$LINK].Code = Project.AccountCode ORDER BY "
     "AccountCode;",
     "Project.ID,Name,PersonNameShort,DepartmentNameFull,WorkedBalance",
     "1|Müller AG neu|BH|Notariat|5.00;2|Zürcher Hans|AM|Advokatur|7.00;3|Null|Null|Null|Null"},
    {"project_overview_group_sorted",
     "SELECT Project.*, ProjectType.*, Department.*, Person.*, [$LINK].* FROM $LINK RIGHT JOIN (Department RIGHT JOIN "
     "(Person RIGHT JOIN (ProjectType RIGHT JOIN Project ON ProjectType.ID = Project.ProjectTypeID) ON Person.ID = "
     "Project.PersonID) ON Department.ID = Project.DepartmentID) ON [$LINK].Code = Project.AccountCode WHERE "
     "((DateBegin >= #01/01/2024#)) ORDER BY DepartmentID, DateBegin DESC, AccountCode;",
     "Project.ID,DateBegin", "1|15.01.2024;2|01.03.2024"},
    // The group list names a column the tables do not have: the old engine asked for a
    // parameter and failed; here it is the unknown field's error.
    {"project_overview_group_list", "SELECT * FROM Person ORDER BY Name;", nullptr, "error 3061"},
};

// SELECT * over the stored query names every column the same way on every open: plainly when
// no other column has its name, "Table.Field" (with the alias, Person_1) when several share it;
// the entries' field listing shows the same names.
TEST(ReportingSqlNames, EntryFullColumnsAreQualifiedWhereSharedAndTheSameOnEveryOpen) {
    TempDir dir;
    const std::string path = dir.File("Namen.tdb4r");
    std::vector<std::string> first, second;
    std::string listing;
    {
        DBReporting layer;
        layer.DBNew(path);
        auto rs = layer.Database()->OpenRecordset("SELECT * FROM vEntryFull", RecordsetType::Snapshot);
        for (const auto& f : rs.Fields()) first.push_back(f.Name());
    }
    {
        DBReporting layer;
        layer.DBOpen(path);
        auto rs = layer.Database()->OpenRecordset("vEntryFull");
        for (const auto& f : rs.Fields()) second.push_back(f.Name());
        listing = layer.Entries()->EntryFullFields();
    }
    EXPECT_EQ(first, second);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.front(), "Entry.ID");
    auto position = [&](const std::string& name) {
        return std::find(first.begin(), first.end(), name) - first.begin();
    };
    // in the order of the SELECT list: the entry, its person, the project, its type, person, department
    const char* in_order[] = {"Entry.ID",     "ProjectID",       "Entry.PersonID",   "Entry.Archive", "Entry.Text",
                              "Entry.Rate",   "Person_1.ID",     "Person_1.PersonNameShort", "Project.ID",
                              "Project.PersonID", "AccountCode", "Project.Text",     "Project.Rate",  "ProjectType.ID",
                              "ProjectTypeNameFull", "Person.ID", "Person.PersonNameShort", "Department.ID",
                              "DepartmentNameFull"};
    for (std::size_t i = 0; i < std::size(in_order); ++i) {
        ASSERT_LT(position(in_order[i]), static_cast<long>(first.size())) << in_order[i];
        if (i) {
            EXPECT_LT(position(in_order[i - 1]), position(in_order[i])) << in_order[i];
        }
    }
    std::vector<std::string> sorted = first;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "a name appears twice";
    for (const auto& name : first) {
        EXPECT_EQ(name.find(':'), std::string::npos) << name;  // no engine-made suffixes
        EXPECT_NE(name, "ID");
    }
    std::string expected_listing;
    for (std::size_t i = 0; i < first.size(); ++i) expected_listing += "\t' " + std::to_string(i) + " " + first[i] + "\r\n";
    EXPECT_EQ(listing, expected_listing);
}

std::vector<EngineCase> OnBothEngines() {
    std::vector<EngineCase> cases;
    for (auto kind : {test::EngineKind::File, test::EngineKind::Server})
        for (const auto& c : kCases) cases.push_back({kind, c});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Statements, ReportingSql, ::testing::ValuesIn(OnBothEngines()), [](const auto& test_case) {
    return std::string(test_case.param.c.name) +
           (test_case.param.kind == test::EngineKind::File ? "" : "_on_server");
});

}  // namespace
}  // namespace tlx4r::db
