#pragma once

#include "host/report/ReportDocument.h"

namespace tlx4r {
class ProjectView;
}
namespace tlx4r::db {
class Database;
}

namespace tlx4r::report {

// The project overview: one line per project of the overview dialog's statement, in its order,
// with the project's open balance (charges + expenses + adapted − billed + VAT of all its
// entries). Grouped when the dialog groups: a heading per person, department or project type
// ("(ohne Zuordnung)" for projects without one) and a subtotal under each group.
class ProjectsReport {
public:
    static ReportDocument Build(db::Database& db, ProjectView& view);
};

}  // namespace tlx4r::report
