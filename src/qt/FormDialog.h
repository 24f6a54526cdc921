#pragma once

#include "ui/Form.h"

#include <QDialog>

namespace tlx4r::qt {

// The window around a form's view: it opens with the form's size and at its position, closes when
// the form hides itself, asks the form before the user closes it, and reports its geometry back
// in twips.
class FormDialog : public QDialog {
    Q_OBJECT
public:
    // Takes ownership of view.
    FormDialog(ui::Form& form, QWidget* view, QWidget* parent = nullptr);
    ~FormDialog() override;

    QWidget* View() const { return view_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Takes the form's size and position (twips) when it has them.
    void PlaceAsForm();
    void ReportGeometry();
    ui::Form& form_;
    QWidget* view_;
    int observer_ = 0;
};

}  // namespace tlx4r::qt
