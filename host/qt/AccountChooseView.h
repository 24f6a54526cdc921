#pragma once

#include <QWidget>

namespace tlx4r {
class frmAccountChoose;
}

namespace tlx4r::qt {

class FormBinder;

// The account chooser's widgets: the search line above the account list, the count and the two
// buttons below. All behaviour is the form's.
class AccountChooseView : public QWidget {
    Q_OBJECT
public:
    explicit AccountChooseView(frmAccountChoose& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }

private:
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
