#pragma once

#include <QWidget>

namespace tlx4r {
class frmEntriesRange;
}

namespace tlx4r::qt {

class FormBinder;

// The entries-by-range dialog: the item, the date range, the record types and OK/cancel.
class EntriesRangeView : public QWidget {
    Q_OBJECT
public:
    explicit EntriesRangeView(frmEntriesRange& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }

private:
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
