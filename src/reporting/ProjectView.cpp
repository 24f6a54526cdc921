#include "reporting/ProjectView.h"

#include "core/FibuTables.h"
#include "core/Reporting.h"
#include "core/modReporting.h"
#include "hostapi/Interface.h"
#include "reporting/frmProjectView.h"

namespace tlx4r {

namespace {

// The accounting's accounts table as the reporting database reaches it; without a finance
// database the name the link would have, so that the statement stays complete (counting it then
// reports the missing table).
std::string AccountsTable() {
    try {
        if (goReporting != nullptr && goReporting->FibuTables() != nullptr)
            return goReporting->FibuTables()->Item("Accounts");
    } catch (const std::exception&) {
    }
    return "Accounts";
}

}  // namespace

ProjectView::ProjectView() = default;
ProjectView::~ProjectView() = default;

frmProjectView& ProjectView::Form() {
    if (!form_) {
        const bool with_export = goInterface != nullptr && goInterface->OptionBoolean("EnableExporter");
        form_ = std::make_unique<frmProjectView>(frmProjectView::Source{[] { return goDatabase; }, AccountsTable}, with_export);
    }
    return *form_;
}

void ProjectView::Choose() { Form().Choose(); }
std::string ProjectView::Description() { return Form().Description(); }
std::string ProjectView::SQL() { return Form().SQL(); }
bool ProjectView::DialogCanceled() { return Form().DialogCanceled(); }
std::string ProjectView::GroupByField() { return Form().GroupByField(); }
std::string ProjectView::GroupByText() { return Form().GroupByText(); }
std::string ProjectView::GroupByValueNull() { return frmProjectView::GroupByValueNull(); }

}  // namespace tlx4r
