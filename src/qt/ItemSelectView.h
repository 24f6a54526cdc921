#pragma once

#include <QWidget>

namespace tlx4r {
class frmItemSelect;
}

namespace tlx4r::qt {

class FormBinder;

// The lookup-row chooser: label, list and OK/cancel.
class ItemSelectView : public QWidget {
    Q_OBJECT
public:
    explicit ItemSelectView(frmItemSelect& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }

private:
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
