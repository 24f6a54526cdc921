#pragma once

#include <QWidget>

namespace tlx4r {
class frmTypeBase;
}

namespace tlx4r::qt {

class FormBinder;

// The category editor's widgets: the list with the filter box below it, the commands in a
// column at the right, "Fertig" at its foot.
class TypeBaseView : public QWidget {
    Q_OBJECT
public:
    explicit TypeBaseView(frmTypeBase& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }
    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    frmTypeBase& form_;
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
