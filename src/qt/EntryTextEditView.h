#pragma once

#include <QWidget>

namespace tlx4r {
class frmEntryTextEdit;
}

namespace tlx4r::qt {

class FormBinder;

// The text editor's widgets: the text filling the window, the two buttons below it.
class EntryTextEditView : public QWidget {
    Q_OBJECT
public:
    explicit EntryTextEditView(frmEntryTextEdit& form, QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }
    QSize sizeHint() const override;

private:
    frmEntryTextEdit& form_;
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
