#pragma once

#include "types/Date.h"

namespace tlx4r {

class Reporting;

// The demo office's time and expense entries, added to the open reporting database of root: a
// few hundred entries of every record type (working time, fees, notary tariff, appointments,
// documents, invoices, VAT), spread over the working days of the two years before today, on
// the projects and by the persons that are there already, a few of them pro forma and the
// oldest partly archived. The same today gives the same entries. An entry table that has rows
// already is left alone. Returns the number of entries added. Throws AppError 91 when no
// reporting database is open, 5 when it has no projects.
int AddDemoEntries(Reporting& root, Date today = Date::Today());

}  // namespace tlx4r
