#include "Command.h"
#include "CsvText.h"
#include "db/Database.h"

#include <iostream>

namespace tlx4r::cli {

namespace {

std::string CsvValue(const db::Value& value) {
    switch (value.kind()) {
        case db::Value::Kind::Null:
            return {};
        case db::Value::Kind::Currency: {
            auto amount = value.ToCurrency();
            int decimals = 4;
            for (auto units = amount.Units(); decimals > 2 && units % 10 == 0; units /= 10) --decimals;
            return amount.Format(decimals, false);
        }
        case db::Value::Kind::Date: {
            auto date = value.ToDate();
            return date.TimeOfDay() == 0 ? date.Format("yyyy-mm-dd") : date.Format("yyyy-mm-ddTHH:nn:ss");
        }
        default:
            return value.ToText();  // Booleans read True/False
    }
}

}  // namespace

// Runs one statement of the component's dialect against a reporting database: rows as CSV
// with a header line, anything else as the number of rows it changed.
int RunSql(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::cerr << "usage: tlx4r sql FILE \"STATEMENT\"\n";
        return 1;
    }
    db::Database database = db::Database::Open(args[0]);
    const std::string& statement = args[1];
    if (!database.GetEngine().Translate(statement).returns_rows) {
        std::cout << database.Execute(statement) << "\n";
        return 0;
    }
    auto rs = database.OpenRecordset(statement, db::RecordsetType::Snapshot);
    std::vector<std::string> line;
    for (const auto& field : rs.Fields()) line.push_back(field.Name());
    std::cout << CsvLine(line) << "\r\n";
    for (; !rs.Eof(); rs.MoveNext()) {
        for (std::size_t i = 0; i < line.size(); ++i) line[i] = CsvValue(rs.Get(static_cast<int>(i)));
        std::cout << CsvLine(line) << "\r\n";
    }
    return 0;
}

}  // namespace tlx4r::cli
