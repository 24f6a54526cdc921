#include "ConsoleUi.h"

#include <ostream>
#include <stdexcept>

namespace tlx4r::cli {

namespace {

// The answer that goes ahead.
ui::Answer Consent(ui::Buttons buttons) {
    using ui::Answer;
    using ui::Buttons;
    switch (buttons) {
        case Buttons::Ok:
        case Buttons::OkCancel: return Answer::Ok;
        case Buttons::YesNo:
        case Buttons::YesNoCancel: return Answer::Yes;
        case Buttons::RetryCancel:
        case Buttons::AbortRetryIgnore: return Answer::Retry;
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
    if (message.buttons == ui::Buttons::Ok) return ui::Answer::Ok;
    if (!yes_) {
        throw UnansweredQuestion("the question above changes or deletes data and is not answered by default; run "
                                 "the command again with " + std::string(kYesOption) + " to answer it yes");
    }
    out_ << "(" << kYesOption << ")\n";
    return Consent(message.buttons);
}

std::optional<std::string> ConsoleUi::InputBox(const std::string&, const std::string&, const std::string&) {
    return std::nullopt;
}

std::optional<std::string> ConsoleUi::FileDialog(const ui::FileDialogRequest&) { return std::nullopt; }

void ConsoleUi::ShowModal(ui::Form&) {
    throw std::runtime_error("this operation needs a dialog; use tlx4r-desk");
}

}  // namespace tlx4r::cli
