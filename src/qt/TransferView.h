#pragma once

#include <QWidget>

namespace tlx4r {
class frmTransfer;
}

namespace tlx4r::qt {

class FormBinder;

// The transfer dialog's widgets: the explanation, the three options with the date, the progress
// bar and the buttons, in reading (and tab) order.
class TransferView : public QWidget {
    Q_OBJECT
public:
    explicit TransferView(frmTransfer& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }

private:
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
