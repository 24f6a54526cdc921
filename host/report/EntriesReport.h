#pragma once

#include "host/report/ReportDocument.h"

#include <string>

namespace tlx4r::db {
class Database;
}

namespace tlx4r::report {

// The entries report: the rows of an entries selection's statement (as the selection dialog
// hands it back) with its summary of the criteria as the subtitle, and a total line with the
// number of entries, their hours and their amounts.
class EntriesReport {
public:
    static ReportDocument Build(db::Database& db, const std::string& sql, const std::string& selected);
};

}  // namespace tlx4r::report
