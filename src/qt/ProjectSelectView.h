#pragma once

#include <QWidget>

namespace tlx4r {
class frmProjectSelect;
}

namespace tlx4r::qt {

class FormBinder;

// The project list options: clients, account and sort order, and OK/cancel.
class ProjectSelectView : public QWidget {
    Q_OBJECT
public:
    explicit ProjectSelectView(frmProjectSelect& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }

private:
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
