#pragma once

#include "ui/Ui.h"

#include <iosfwd>
#include <stdexcept>

namespace tlx4r::cli {

// A question the command line may not answer by itself: the command fails with it.
class UnansweredQuestion : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command-line program's Ui: no one sits in front of it. Messages go to stderr. A question
// (any message with more than an OK button) is never answered by default, since it may change
// or delete data: without --yes it throws UnansweredQuestion naming the option; with --yes it is
// answered Yes (OK, Retry). Input and file dialogs are cancelled; a form cannot be shown and
// throws.
class ConsoleUi : public ui::Ui {
public:
    static constexpr const char* kYesOption = "--yes";

    explicit ConsoleUi(std::ostream& out);

    // The user gave --yes.
    void SetAnswerYes(bool yes) { yes_ = yes; }
    bool AnswerYes() const { return yes_; }

    ui::Answer MsgBox(const ui::Message& message) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& caption,
                                        const std::string& default_text) override;
    std::optional<std::string> FileDialog(const ui::FileDialogRequest& request) override;
    void SetBusy(bool) override {}
    void DoEvents() override {}
    void Beep() override {}
    std::string ClipboardText() override { return clipboard_; }
    void SetClipboardText(const std::string& text) override { clipboard_ = text; }
    void ShowModal(ui::Form& form) override;

private:
    std::ostream& out_;
    std::string clipboard_;
    bool yes_ = false;
};

}  // namespace tlx4r::cli
