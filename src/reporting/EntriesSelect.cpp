#include "reporting/EntriesSelect.h"

#include "reporting/frmEntriesSelect.h"

namespace tlx4r {

EntriesSelect::EntriesSelect() = default;
EntriesSelect::~EntriesSelect() = default;

frmEntriesSelect& EntriesSelect::Form() {
    if (!form_) form_ = std::make_unique<frmEntriesSelect>();
    return *form_;
}

void EntriesSelect::Choose(bool type_work) {
    frmEntriesSelect& form = Form();
    if (type_work)
        form.SetTypeWork();
    else
        form.SetTypeStd();
    form.Choose();
    DialogCanceled = form.DialogCanceled();
    SQL = form.SQL();
    Selected = form.lblSelected.Caption();
}

}  // namespace tlx4r
