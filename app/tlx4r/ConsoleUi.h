#pragma once

#include "ui/Ui.h"

#include <iosfwd>

namespace tlx4r::cli {

// The command-line program's Ui: no one sits in front of it. Messages go to stderr and are
// answered with their default button; input and file dialogs are cancelled; a form cannot be
// shown and throws.
class ConsoleUi : public ui::Ui {
public:
    explicit ConsoleUi(std::ostream& out);

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
};

}  // namespace tlx4r::cli
