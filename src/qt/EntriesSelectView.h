#pragma once

#include <QWidget>

namespace tlx4r {
class frmEntriesSelect;
}

namespace tlx4r::qt {

class FormBinder;

// The entries selection's widgets: the tab bar over the five criteria frames (one shown at a
// time), the summary and OK/cancel.
class EntriesSelectView : public QWidget {
    Q_OBJECT
public:
    explicit EntriesSelectView(frmEntriesSelect& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }

private:
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
