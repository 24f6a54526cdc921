#include "WorkEntries.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "db/Transaction.h"
#include "types/Currency.h"
#include "types/Date.h"

#include <string>

namespace tlx4r::bench {

void FillWorkEntries(db::Database& db, int rows) {
    db::Transaction tx(db);
    for (int p = 1; p <= 10; ++p)
        db.Execute("INSERT INTO Person (ID, PersonNameFull, PersonNameShort) VALUES (" + std::to_string(p) +
                   ", \"Person " + std::to_string(p) + "\", \"P" + std::to_string(p) + "\")");
    for (int p = 1; p <= 50; ++p)
        db.Execute("INSERT INTO Project (ID, AccountCode, AccountName) VALUES (" + std::to_string(p) + ", \"1100." +
                   std::to_string(100 + p) + "\", \"Klient " + std::to_string(p) + " AG\")");
    auto rs = db.OpenRecordset("Entry", db::RecordsetType::Table);
    const Date first = Date::FromYmd(2023, 1, 2);
    for (int i = 1; i <= rows; ++i) {
        rs.AddNew();
        rs.Set("ID", db::Value(i));
        rs.Set("ProjectID", db::Value(1 + i % 50));
        rs.Set("PersonID", db::Value(1 + i % 10));
        rs.Set("RecType", db::Value(3));
        rs.Set("RecTypeText", db::Value("A  "));
        rs.Set("Archive", db::Value(false));
        rs.Set("BookDate", db::Value(first.AddDays(i % 700)));
        rs.Set("Text", db::Value("Besprechung mit Klient, Entwurf Vertrag " + std::to_string(i)));
        rs.Set("Charges", db::Value(Currency::FromUnits(1000000 + i)));
        rs.Set("Expenses", db::Value(Currency()));
        rs.Set("Adapted", db::Value(Currency()));
        rs.Set("Billed", db::Value(Currency()));
        rs.Set("VAT", db::Value(Currency::FromUnits(81000)));
        rs.Set("TimeFrom", db::Value(Date::FromTime(8, i % 60)));
        rs.Set("TimeTo", db::Value(Date::FromTime(10, i % 45)));
        rs.Set("Rate", db::Value(Currency::FromInt(180)));
        rs.Update();
    }
    rs.Close();
    tx.Commit();
}

}  // namespace tlx4r::bench
