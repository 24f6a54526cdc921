#pragma once

#include <QWidget>

namespace tlx4r {
class frmInfo;
}

namespace tlx4r::qt {

class FormBinder;

// The info dialog's widgets: product, program line and legal notice above the OK button.
class InfoView : public QWidget {
    Q_OBJECT
public:
    explicit InfoView(frmInfo& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }

private:
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
