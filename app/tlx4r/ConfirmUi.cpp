#include "ConfirmUi.h"

#include "types/Utf8.h"

#include <istream>
#include <ostream>
#include <string>

namespace tlx4r::cli {

ConfirmUi::ConfirmUi(std::ostream& out, std::istream& in, bool yes) : ConsoleUi(out), out_(out), in_(in), yes_(yes) {}

ui::Answer ConfirmUi::MsgBox(const ui::Message& message) {
    if (message.buttons != ui::Buttons::YesNo && message.buttons != ui::Buttons::YesNoCancel)
        return ConsoleUi::MsgBox(message);
    std::string text;
    for (char c : message.text) {
        if (c != '\r') text += c;
    }
    if (yes_) {
        out_ << message.caption << ": " << text << " Ja (--yes)\n";
        return ui::Answer::Yes;
    }
    out_ << message.caption << ": " << text << " [j/N] " << std::flush;
    std::string reply;
    if (!std::getline(in_, reply)) return ui::Answer::Cancel;
    const std::string answer = utf8::Lower(reply);
    return answer == "j" || answer == "ja" || answer == "y" || answer == "yes" ? ui::Answer::Yes : ui::Answer::No;
}

}  // namespace tlx4r::cli
