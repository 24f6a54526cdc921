#include "TempDb.h"

#include "db/DbError.h"
#include "db/Transaction.h"

namespace tlx4r::db::test {

long ErrorNumber(const std::function<void()>& action, std::string* description) {
    try {
        action();
    } catch (const DbError& e) {
        if (description) *description = e.Description();
        return e.Number();
    }
    return 0;
}

void CreateSampleSchema(Database& db) {
    Transaction t(db);
    TableDef person("Person");
    person.AppendField(Field("ID", FieldType::Long).SetDefaultValue("0").SetValidationRule("> 0"));
    person.AppendField(Field("PersonNameFull", FieldType::Text, 255));
    person.AppendField(Field("PersonNameShort", FieldType::Text, 10));
    person.AppendField(Field("PersonRate", FieldType::Currency).SetDefaultValue("0"));
    person.AppendIndex(Index("PrimaryKey", {"ID"}, true, true));
    person.AppendIndex(Index("PersonNameFull", {"PersonNameFull"}));
    db.TableDefs().Append(person);

    TableDef project("Project");
    project.AppendField(Field("ID", FieldType::Long).SetDefaultValue("0").SetValidationRule("> 0"));
    project.AppendField(Field("PersonID", FieldType::Long).SetDefaultValue("0"));
    project.AppendField(Field("AccountCode", FieldType::Text, 50));
    project.AppendField(Field("Archive", FieldType::Boolean).SetDefaultValue("False"));
    project.AppendIndex(Index("PrimaryKey", {"ID"}, true, true));
    project.AppendIndex(Index("AccountCode", {"AccountCode"}, true));
    project.AppendIndex(Index("PersonID", {"PersonID"}));
    db.TableDefs().Append(project);

    TableDef entry("Entry");
    entry.AppendField(Field("ID", FieldType::Long).SetDefaultValue("0").SetValidationRule("> 0"));
    entry.AppendField(Field("ProjectID", FieldType::Long).SetDefaultValue("0"));
    entry.AppendField(Field("PersonID", FieldType::Long).SetDefaultValue("0"));
    entry.AppendField(Field("ChargesType", FieldType::Integer).SetDefaultValue("0"));
    entry.AppendField(Field("BookDate", FieldType::Date));
    entry.AppendField(Field("Text", FieldType::Text, 255));
    entry.AppendField(Field("Info", FieldType::Memo));
    entry.AppendField(Field("Charges", FieldType::Currency).SetDefaultValue("0"));
    entry.AppendField(Field("Expenses", FieldType::Currency).SetDefaultValue("0"));
    entry.AppendField(Field("Adapted", FieldType::Currency).SetDefaultValue("0"));
    entry.AppendField(Field("VAT", FieldType::Currency).SetDefaultValue("0"));
    entry.AppendField(Field("Billed", FieldType::Currency).SetDefaultValue("0"));
    entry.AppendField(Field("Hours", FieldType::Double));
    entry.AppendField(Field("Archive", FieldType::Boolean).SetDefaultValue("False"));
    entry.AppendIndex(Index("PrimaryKey", {"ID"}, true, true));
    entry.AppendIndex(Index("ProjectID", {"ProjectID"}));
    db.TableDefs().Append(entry);
    t.Commit();
}

}  // namespace tlx4r::db::test
