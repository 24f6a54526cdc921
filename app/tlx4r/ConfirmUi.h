#pragma once

#include "ConsoleUi.h"

#include <iosfwd>

namespace tlx4r::cli {

// The Ui of a command that changes or deletes data after a question: with --yes every question
// is answered Yes; without it the question is asked on the terminal, where only "j"/"ja" (or
// "y"/"yes") goes on. Everything else behaves as the console Ui. The command makes sure there
// is a terminal before it installs an asking Ui.
class ConfirmUi : public ConsoleUi {
public:
    ConfirmUi(std::ostream& out, std::istream& in, bool yes);

    ui::Answer MsgBox(const ui::Message& message) override;

private:
    std::ostream& out_;
    std::istream& in_;
    bool yes_;
};

}  // namespace tlx4r::cli
