#include "core/ReportingSchema.h"

#include "db/Relation.h"

namespace tlx4r::schema {

namespace {

using db::FieldType;
constexpr IndexKind kIdx = IndexKind::Indexed;
constexpr IndexKind kUnique = IndexKind::Unique;

FieldDecl LongField(std::string name, std::string dflt = "0", IndexKind index = IndexKind::None) {
    return {std::move(name), FieldType::Long, 0, std::move(dflt), index};
}
FieldDecl TextField(std::string name, int size, IndexKind index = IndexKind::None) {
    return {std::move(name), FieldType::Text, size, "", index};
}
FieldDecl AmountField(std::string name) { return {std::move(name), FieldType::Currency, 0, "0", IndexKind::None}; }
FieldDecl DateField(std::string name) { return {std::move(name), FieldType::Date, 0, "", IndexKind::None}; }
FieldDecl FlagField(std::string name, std::string dflt = "False") {
    return {std::move(name), FieldType::Boolean, 0, std::move(dflt), IndexKind::None};
}

}  // namespace

std::string RelationDecl::Name() const {
    return std::string(kRelationPrefix) + table + "-" + field + "_" + foreign_table + "-" + foreign_field;
}

long RelationDecl::Attributes() const {
    return enforced ? (db::Relation::kUpdateCascade | db::Relation::kDeleteCascade) : db::Relation::kDontEnforce;
}

const TableDecl& EntryTable() {
    static const TableDecl table{
        "Entry",
        {
            LongField("ProjectID", "0", kIdx),
            LongField("PersonID", "0", kIdx),
            LongField("RecType", "0", kIdx),
            TextField("RecTypeText", 10),
            FlagField("Archive"),
            // Selections, the transfer and the archive narrow entries by date.
            {"BookDate", FieldType::Date, 0, "", kIdx},
            TextField("Text", 255),
            {"Info", FieldType::Memo, 0, "", IndexKind::None},
            TextField("Visum", 50),
            TextField("DispValue1", 50),
            TextField("DispValue2", 50),
            {"ChargesType", FieldType::Integer, 0, "0", IndexKind::None},
            FlagField("IsBaseCharge", "0"),
            AmountField("Charges"),
            LongField("TypeCharges", "1"),
            AmountField("Charges1"),
            AmountField("Expenses"),
            LongField("TypeExpenses", "1"),
            AmountField("Expenses1"),
            AmountField("Adapted"),
            AmountField("Adapted1"),
            AmountField("Billed"),
            AmountField("Billed1"),
            AmountField("VAT"),
            AmountField("VAT1"),
            DateField("TimeFrom"),
            DateField("TimeTo"),
            DateField("TimeBreak"),
            AmountField("Rate"),
            TextField("DocLink", 255),
            LongField("CalcType"),
            AmountField("CalcValue1"),
            AmountField("CalcValue2"),
            AmountField("CalcValue3"),
            AmountField("CalcValue4"),
            DateField("CalcDate1"),
            DateField("CalcDate2"),
        },
        // The transfer sums the entries not archived project by project: along this index it
        // reads only their rows (four fifths of a large office's entries are archived), and a
        // project's selection finds its entries by it as well as by ProjectID.
        {{"ProjectIDArchive", {"ProjectID", "Archive"}}}};
    return table;
}

const TableDecl& ProjectTable() {
    static const TableDecl table{"Project",
                                 {
                                     LongField("ClientID", "0", kIdx),
                                     LongField("ProjectTypeID", "0", kIdx),
                                     LongField("PersonID", "0", kIdx),
                                     LongField("DepartmentID", "0", kIdx),
                                     FlagField("Archive"),
                                     TextField("AccountCode", 50, kUnique),
                                     TextField("AccountName", 50),
                                     LongField("AccountID", "0", kIdx),
                                     LongField("AccountReferenceNr"),
                                     DateField("DateBegin"),
                                     DateField("DateEnd"),
                                     DateField("DateBilled"),
                                     TextField("Text", 255),
                                     AmountField("Rate"),
                                     LongField("OldID", "", kIdx),
                                     LongField("PaymentLimit", ""),
                                     TextField("ProjExt1", 255),
                                     TextField("ProjExt2", 255),
                                     TextField("ProjExt3", 255),
                                     TextField("ProjExt4", 255),
                                     TextField("ProjExt5", 255),
                                 }};
    return table;
}

const TableDecl& ClientTable() {
    static const TableDecl table = [] {
        TableDecl t{"Client",
                    {TextField("KeyName", 255, kIdx), LongField("PersonID", "0", kIdx), FlagField("Archive"),
                     TextField("Company", 255)}};
        for (const char* name : {"Title", "FirstName", "LastName", "Address1", "Address2", "ZipCode", "City", "Country"})
            t.fields.push_back(TextField(name, 50));
        t.fields.push_back(TextField("Email", 100));
        t.fields.push_back(TextField("Homepage", 100));
        t.fields.push_back(TextField("Fone", 50));
        t.fields.push_back(TextField("Fax", 50));
        for (int i = 1; i <= 5; ++i) t.fields.push_back(TextField("KlieExt" + std::to_string(i), 255));
        return t;
    }();
    return table;
}

TableDecl DataTable(const std::string& flavor, bool charges_and_expenses, bool name_short) {
    TableDecl t{flavor, {TextField(flavor + "NameFull", 255, kIdx)}};
    if (charges_and_expenses) {
        t.fields.push_back(AmountField(flavor + "Charges"));
        t.fields.push_back(AmountField(flavor + "Expenses"));
        t.fields.push_back(LongField(flavor + "TypeCharges", "1"));
        t.fields.push_back(LongField(flavor + "TypeExpenses", "1"));
    } else {
        t.fields.push_back(AmountField(flavor + "Rate"));
        if (name_short) t.fields.push_back(TextField(flavor + "NameShort", 10));
    }
    return t;
}

TableDecl TypeTable(const std::string& name) {
    return {name, {TextField(name + "Code", 10, kUnique), TextField(name + "Name", 255, kIdx),
                   TextField(name + "Account", 50, kIdx)}};
}

const TableDecl& DBSettingsTable() {
    static const TableDecl table{"DBSettings",
                                 {
                                     TextField("Setting", 255, kIdx),
                                     LongField("ValType", "0", kIdx),
                                     LongField("ValLong", "", kIdx),
                                     {"ValDate", FieldType::Date, 0, "", kIdx},
                                     {"ValCurrency", FieldType::Currency, 0, "", kIdx},
                                     {"ValDouble", FieldType::Double, 0, "", kIdx},
                                     TextField("ValString", 255),
                                 }};
    return table;
}

const TableDecl& VatRateTable() {
    static const TableDecl table{"VatRate",
                                 {
                                     {"ValidFrom", FieldType::Date, 0, "", kUnique},
                                     {"RatePercent", FieldType::Currency, 0, "0", IndexKind::None},
                                 }};
    return table;
}

std::vector<TableDecl> AllTables() {
    return {EntryTable(),
            ProjectTable(),
            DataTable("ProjectType", false, false),
            DataTable("Department", false, false),
            ClientTable(),
            DataTable("Template", true, false),
            DataTable("Person", false, true),
            DBSettingsTable(),
            TypeTable("TypeCharges"),
            TypeTable("TypeExpenses"),
            VatRateTable()};
}

const std::vector<RelationDecl>& Relations() {
    static const std::vector<RelationDecl> relations{
        {"Person", "ID", "Project", "PersonID", false},
        {"Person", "ID", "Entry", "PersonID", false},
        {"Project", "ID", "Entry", "ProjectID", true},
        {"Department", "ID", "Project", "DepartmentID", false},
        {"ProjectType", "ID", "Project", "ProjectTypeID", false},
        {"Person", "ID", "Client", "PersonID", false},
        {"Client", "ID", "Project", "ClientID", false},
    };
    return relations;
}

const QueryDecl& EntryQuery() {
    static const QueryDecl q{
        "vEntry", "SELECT Entry.*, Person.PersonNameShort FROM Person RIGHT JOIN Entry ON Person.ID = Entry.PersonID;"};
    return q;
}

const QueryDecl& EntryFullQuery() {
    static const QueryDecl q{
        "vEntryFull",
        "SELECT Entry.*, Person_1.*, Project.*, ProjectType.*, Person.*, Department.* FROM Person AS Person_1 RIGHT "
        "JOIN (Department RIGHT JOIN (Person RIGHT JOIN (ProjectType RIGHT JOIN (Project INNER JOIN Entry ON "
        "Project.ID = Entry.ProjectID) ON ProjectType.ID = Project.ProjectTypeID) ON Person.ID = Project.PersonID) ON "
        "Department.ID = Project.DepartmentID) ON Person_1.ID = Entry.PersonID;"};
    return q;
}

const QueryDecl& ProjectFullQuery() {
    static const QueryDecl q{
        "vProjectFull",
        "SELECT Project.*, ProjectType.*, Person.*, Department.* FROM Person RIGHT JOIN (ProjectType RIGHT JOIN "
        "(Department RIGHT JOIN Project ON Department.ID = Project.DepartmentID) ON ProjectType.ID = "
        "Project.ProjectTypeID) ON Person.ID = Project.PersonID;"};
    return q;
}

}  // namespace tlx4r::schema
