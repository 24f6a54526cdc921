#pragma once

#include "JetTestDb.h"

#include <memory>
#include <string>

struct pg_conn;

namespace tlx4r::db::test {

// The dialect suite's database on the test server: the same tables and rows as JetTestDb in a
// schema of their own, the finance tables in a second schema, and the translation for the server.
// The names of the schema are the server's (lower case); the spelling the translator shows in
// result names comes from a JetTestDb twin, which holds the same tables.
class JetServerDb : public SchemaLookup, public DialectDb {
public:
    JetServerDb();
    ~JetServerDb() override;
    JetServerDb(const JetServerDb&) = delete;
    JetServerDb& operator=(const JetServerDb&) = delete;

    std::optional<std::vector<std::string>> ColumnsOf(std::string_view table) const override;

    Translation Translate(std::string_view jet) override { return jet_.Translate(jet); }
    void Exec(const std::string& sql) override;
    std::string Rows(const std::string& sql, std::vector<std::string>* columns = nullptr) override;
    void CreateTempView(const std::string& name, const std::string& select) override;
    // Quoted names in lower case, as the server keeps them.
    std::string Check(const std::string& sql) const override;
    const std::string& finance_path() const override { return finance_path_; }

private:
    std::string schema_, finance_schema_, finance_path_;
    pg_conn* conn_ = nullptr;
    JetTestDb twin_;
    JetSql jet_;
};

}  // namespace tlx4r::db::test
