#pragma once

#include "host/report/ReportDocument.h"

#include <cstdint>
#include <string>

namespace tlx4r {
class EntriesRange;
}
namespace tlx4r::db {
class Database;
}

namespace tlx4r::report {

// The work report (range.WorkType) or the fee statement of one project: its entries of the
// types, dates and archive state the range dialog handed back, in booking order, addressed to
// the project's client, with the totals without VAT, the VAT and the total.
class WorkReport {
public:
    // The report's statement over the dialog's criteria.
    static std::string Statement(std::int32_t project_id, const EntriesRange& range);
    // "Arbeitsrapport" or "Gebührenauszug".
    static std::string Title(const EntriesRange& range);
    // The dates and record types chosen, e.g. "Datum: 01.01.2024 – … / Eintragsarten: GAN".
    static std::string Criteria(const EntriesRange& range);
    static ReportDocument Build(db::Database& db, std::int32_t project_id, const EntriesRange& range);
};

}  // namespace tlx4r::report
