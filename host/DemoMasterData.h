#pragma once

namespace tlx4r {

class Reporting;

// The demo office's master data, added to the open reporting database of root: departments,
// project types, persons with their hourly rates, text templates with fees and disbursements,
// and for every project without a client a client with a Swiss address, made from the project's
// account name, with the project linked to it, a responsible person, a project type and a
// department. Tables that have rows already are left alone, and so are projects with a client,
// so that a second call adds nothing. Throws AppError 91 when no reporting database is open.
void AddDemoMasterData(Reporting& root);

}  // namespace tlx4r
