#include "qt/FormDialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace tlx4r::qt {

FormDialog::FormDialog(ui::Form& form, QWidget* view, QWidget* parent) : QDialog(parent), form_(form), view_(view) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    setWindowTitle(QString::fromStdString(form.Caption()));
    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    PlaceAsForm();
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

void FormDialog::PlaceAsForm() {
    if (form_.Width() > 0 && form_.Height() > 0) {
        resize(ui::TwipsToPixels(form_.Width()), ui::TwipsToPixels(form_.Height()));
    }
    // A form placed by its caller (a chooser below the button that opened it) opens there, but
    // never beyond the screen's edge; an unplaced one is left to the window manager.
    if (form_.Left() == 0 && form_.Top() == 0) return;
    QPoint wanted(ui::TwipsToPixels(form_.Left()), ui::TwipsToPixels(form_.Top()));
    QScreen* screen = QGuiApplication::screenAt(wanted);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect room = screen->availableGeometry();
        const QSize size = this->size().expandedTo(minimumSize());
        wanted.setX(std::clamp(wanted.x(), room.left(), std::max(room.left(), room.right() - size.width())));
        wanted.setY(std::clamp(wanted.y(), room.top(), std::max(room.top(), room.bottom() - size.height())));
    }
    move(wanted);
}

void FormDialog::ReportGeometry() {
    // The position of the frame, as move() takes it, so that a form shown again opens where it
    // was; the size of the inside, as resize() takes it.
    form_.UserMoveResize(ui::PixelsToTwips(x()), ui::PixelsToTwips(y()), ui::PixelsToTwips(width()),
                         ui::PixelsToTwips(height()));
}

}  // namespace tlx4r::qt
