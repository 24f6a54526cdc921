#include "qt/KeyForward.h"

#include "ui/KeyCodes.h"

#include <QKeyEvent>
#include <QWidget>

namespace tlx4r::qt {

KeyForward::KeyForward(QWidget* widget, Handler handler) : QObject(widget), handler_(std::move(handler)) {
    widget->installEventFilter(this);
}

bool KeyForward::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool alt = (key->modifiers() & Qt::AltModifier) != 0;
    int code = 0;
    switch (key->key()) {
        case Qt::Key_Up: code = ui::kKeyUp; break;
        case Qt::Key_Down: code = ui::kKeyDown; break;
        case Qt::Key_Insert: code = ui::kKeyInsert; break;
        case Qt::Key_Delete: code = ui::kKeyDelete; break;
        case Qt::Key_Return:
        case Qt::Key_Enter: code = alt ? ui::kKeyReturn : 0; break;
        default: break;
    }
    return code != 0 && handler_(code, alt);
}

}  // namespace tlx4r::qt
