#pragma once

#include "ui/Ui.h"

#include <optional>
#include <string>

namespace tlx4r::bench {

// The user of a benchmark: answers every message box at once (Ok, or Yes to a question when
// yes_to_questions), cancels input boxes and file dialogs, shows nothing, and counts how often
// the operation let pending events through.
class QuietUi : public ui::Ui {
public:
    explicit QuietUi(bool yes_to_questions = false) : yes_(yes_to_questions) {}

    ui::Answer MsgBox(const ui::Message& m) override {
        const bool question = m.buttons == ui::Buttons::YesNo || m.buttons == ui::Buttons::YesNoCancel;
        return yes_ && question ? ui::Answer::Yes : ui::Answer::Ok;
    }
    std::optional<std::string> InputBox(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> FileDialog(const ui::FileDialogRequest&) override { return std::nullopt; }
    void SetBusy(bool) override {}
    void DoEvents() override { ++pumps; }
    void Beep() override {}
    std::string ClipboardText() override { return {}; }
    void SetClipboardText(const std::string&) override {}
    void ShowModal(ui::Form&) override {}

    long long pumps = 0;

private:
    bool yes_;
};

}  // namespace tlx4r::bench
