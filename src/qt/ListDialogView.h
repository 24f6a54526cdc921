#pragma once

#include "ui/Form.h"

#include <QStringList>
#include <QWidget>

namespace tlx4r::qt {

class FormBinder;

// The view of a small list dialog: the report list ListView1 over a row of buttons, those named
// in left at the left edge, those in right at the right edge. The form sizes the columns; the
// last one takes what is left. The selected row is scrolled into view when the window opens.
class ListDialogView : public QWidget {
    Q_OBJECT
public:
    ListDialogView(ui::Form& form, const QStringList& left, const QStringList& right,
                   QWidget* parent = nullptr);

    FormBinder& Binder() const { return *binder_; }
    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ui::Form& form_;
    FormBinder* binder_ = nullptr;
};

}  // namespace tlx4r::qt
