#pragma once

#include "core/Creatable.h"

#include <memory>
#include <string>

namespace tlx4r {

class frmProjectView;

// The project overview selection as hosts use it: Choose shows the dialog; the statement, its
// description and the grouping the report is to use are read back. The dialog is made on first
// use (on the open reporting database, with the export tab when the host's option
// "EnableExporter" is set) and kept, so the criteria survive between calls.
class ProjectView : public Creatable {
public:
    ProjectView();
    ~ProjectView() override;

    void Choose();
    std::string Description();
    std::string SQL();
    bool DialogCanceled();
    std::string GroupByField();
    std::string GroupByText();
    std::string GroupByValueNull();

    frmProjectView& Form();

private:
    std::unique_ptr<frmProjectView> form_;
};

}  // namespace tlx4r
