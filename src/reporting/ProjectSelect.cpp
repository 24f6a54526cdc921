#include "reporting/ProjectSelect.h"

#include "core/modReporting.h"
#include "reporting/frmProjectSelect.h"

namespace tlx4r {

namespace {

int Mode(const ui::ControlArray<ui::OptionButton>& options) {
    if (options[1].Value()) return 1;
    if (options[2].Value()) return -1;
    return 0;
}

}  // namespace

void ProjectSelect::Choose() {
    // A new form each time, so that the options never carry over from the last call.
    frmProjectSelect form;
    FormShowModal(form);
    DialogCanceled = form.DialogCanceled();
    SortName = form.optSort[1].Value();
    ClientMode = Mode(form.optClient);
    FibuMode = Mode(form.optFibu);
}

}  // namespace tlx4r
