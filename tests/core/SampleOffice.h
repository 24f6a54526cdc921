#pragma once

// A small office on a reporting database for the tests of whole-file operations: a little of
// everything the users keep, so that losing a row shows in the counts.
#include "db/Database.h"
#include "db/Recordset.h"

#include <string>

namespace tlx4r::test {

inline long long Count(db::Database& db, const std::string& sql) {
    auto rs = db.OpenRecordset(sql, db::RecordsetType::Snapshot);
    return rs.Get(0).ToLong();
}

// A little of everything the users keep, so that losing a row shows.
inline void FillSample(db::Database& db) {
    db.Execute("INSERT INTO Person (ID, PersonNameFull, PersonNameShort, PersonRate) VALUES (1, \"Anna Muster\", \"AM\", 180)");
    db.Execute("INSERT INTO Person (ID, PersonNameShort) VALUES (2, \"XY\")");
    db.Execute("INSERT INTO Department (ID, DepartmentNameFull) VALUES (1, \"Notariat\")");
    db.Execute("INSERT INTO ProjectType (ID, ProjectTypeNameFull) VALUES (1, \"Erbteilung\")");
    db.Execute("INSERT INTO Template (ID, TemplateNameFull, TemplateCharges) VALUES (1, \"Beglaubigung\", 20)");
    db.Execute("INSERT INTO Client (ID, KeyName, PersonID) VALUES (1, \"Müller AG\", 1)");
    db.Execute("INSERT INTO Project (ID, ClientID, PersonID, AccountCode, AccountName) VALUES (1, 1, 1, \"1100.01\", \"Müller AG\")");
    db.Execute("INSERT INTO Project (ID, AccountCode, AccountName) VALUES (2, \"1100.02\", \"Meier\")");
    for (int i = 1; i <= 50; ++i)
        db.Execute("INSERT INTO Entry (ID, ProjectID, PersonID, RecType, Text, Charges) VALUES (" + std::to_string(i) +
                   ", " + std::to_string(1 + i % 2) + ", 1, 3, \"Besprechung " + std::to_string(i) + "\", 12.35)");
}

struct SampleCounts {
    long long entries, projects, persons, clients, charges_rappen;
};

inline SampleCounts Counts(db::Database& db) {
    auto sum = db.OpenRecordset("SELECT Sum(Charges) AS S FROM Entry", db::RecordsetType::Snapshot);
    return {Count(db, "SELECT Count(*) FROM Entry"), Count(db, "SELECT Count(*) FROM Project"),
            Count(db, "SELECT Count(*) FROM Person"), Count(db, "SELECT Count(*) FROM Client"),
            sum.Get(0).IsNull() ? 0 : sum.Get(0).ToCurrency().Units() / 100};
}

}  // namespace tlx4r::test
