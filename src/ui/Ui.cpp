#include "Ui.h"

#include <stdexcept>

namespace tlx4r::ui {

namespace {
Ui* g_current = nullptr;
}

Ui& Current() {
    if (g_current == nullptr) throw std::logic_error("no user interface installed");
    return *g_current;
}

Ui* Install(Ui* ui) {
    Ui* previous = g_current;
    g_current = ui;
    return previous;
}

Answer MsgBox(const std::string& text, Buttons buttons, Icon icon, const std::string& caption,
              int default_button) {
    return Current().MsgBox(Message{text, caption, buttons, icon, default_button});
}

}  // namespace tlx4r::ui
