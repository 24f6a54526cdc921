#include "ConsoleUi.h"

#include <ostream>
#include <stdexcept>

namespace tlx4r::cli {

namespace {

ui::Answer DefaultAnswer(const ui::Message& m) {
    using ui::Answer;
    using ui::Buttons;
    int k = m.default_button;
    switch (m.buttons) {
        case Buttons::Ok: return Answer::Ok;
        case Buttons::OkCancel: return k == 2 ? Answer::Cancel : Answer::Ok;
        case Buttons::YesNo: return k == 2 ? Answer::No : Answer::Yes;
        case Buttons::YesNoCancel: return k == 2 ? Answer::No : k == 3 ? Answer::Cancel : Answer::Yes;
        case Buttons::RetryCancel: return k == 2 ? Answer::Cancel : Answer::Retry;
        case Buttons::AbortRetryIgnore: return k == 2 ? Answer::Retry : k == 3 ? Answer::Ignore : Answer::Abort;
    }
    return Answer::Cancel;
}

}  // namespace

ConsoleUi::ConsoleUi(std::ostream& out) : out_(out) {}

ui::Answer ConsoleUi::MsgBox(const ui::Message& message) {
    std::string text;
    for (char c : message.text) {
        if (c != '\r') text += c;
    }
    out_ << message.caption << ": " << text << '\n';
    return DefaultAnswer(message);
}

std::optional<std::string> ConsoleUi::InputBox(const std::string&, const std::string&, const std::string&) {
    return std::nullopt;
}

std::optional<std::string> ConsoleUi::FileDialog(const ui::FileDialogRequest&) { return std::nullopt; }

void ConsoleUi::ShowModal(ui::Form&) {
    throw std::runtime_error("this operation needs a dialog; use tlx4r-desk");
}

}  // namespace tlx4r::cli
