#pragma once

#include <QWidget>

namespace tlx4r {
class frmArchive;
}

namespace tlx4r::qt {

class DateRangeView;
class FormBinder;

// The archive dialog's widgets: action and projects side by side, the date range control in
// its frame, the record-type boxes with their preset buttons, then OK and Abbrechen.
class ArchiveView : public QWidget {
    Q_OBJECT
public:
    explicit ArchiveView(frmArchive& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }
    DateRangeView& Range() const { return *range_; }

private:
    FormBinder* binder_ = nullptr;
    DateRangeView* range_ = nullptr;
};

}  // namespace tlx4r::qt
