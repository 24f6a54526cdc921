#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace tlx4r::qt {

// Hands the keys that type no character (arrows, Insert, Delete, Alt+Enter) pressed in one
// widget to a form's key handler, by the form's key codes (ui/KeyCodes.h). A key the handler
// takes goes no further. Lives as long as the widget.
class KeyForward : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(int key_code, bool alt)>;
    KeyForward(QWidget* widget, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler_;
};

}  // namespace tlx4r::qt
