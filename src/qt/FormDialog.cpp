#include "qt/FormDialog.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace tlx4r::qt {

FormDialog::FormDialog(ui::Form& form, QWidget* view, QWidget* parent) : QDialog(parent), form_(form), view_(view) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    setWindowTitle(QString::fromStdString(form.Caption()));
    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    observer_ = form_.Observe([this] {
        setWindowTitle(QString::fromStdString(form_.Caption()));
        if (!form_.Visible() && isVisible()) done(QDialog::Accepted);
    });
}

FormDialog::~FormDialog() { form_.Unobserve(observer_); }

void FormDialog::closeEvent(QCloseEvent* event) {
    if (!form_.Visible() || form_.UserClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void FormDialog::reject() {
    // Escape: the form's cancel button decides; a form without one closes as by the title bar.
    if (!form_.Visible()) {
        QDialog::reject();
        return;
    }
    if (!form_.UserKey(27) && form_.UserClose()) QDialog::reject();
}

void FormDialog::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    ReportGeometry();
}

void FormDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ReportGeometry();
}

void FormDialog::ReportGeometry() {
    QRect g = geometry();
    form_.UserMoveResize(ui::PixelsToTwips(g.x()), ui::PixelsToTwips(g.y()), ui::PixelsToTwips(g.width()),
                         ui::PixelsToTwips(g.height()));
}

}  // namespace tlx4r::qt
