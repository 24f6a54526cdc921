#include "reporting/EntriesRange.h"

#include "reporting/frmEntriesRange.h"

namespace tlx4r {

EntriesRange::EntriesRange() = default;
EntriesRange::~EntriesRange() = default;

frmEntriesRange& EntriesRange::Form() {
    if (!form_) form_ = std::make_unique<frmEntriesRange>();
    return *form_;
}

void EntriesRange::Choose() {
    frmEntriesRange& form = Form();
    form.WorkType = WorkType;
    form.Topic = Topic;
    form.SelectedName = SelectedName;
    form.Choose();
    DialogCanceled = form.DialogCanceled();
    DateFrom = form.DateFrom();
    DateTo = form.DateTo();
    EntryType = form.EntryType();
    Archive = form.Archive();
}

}  // namespace tlx4r
