#pragma once

#include "ui/Form.h"
#include "ui/Ui.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

namespace tlx4r::cli {

// The Ui of a command that drives a dialog: while it is installed, showing a form modally runs
// the filler given for that form (which fills the controls and presses a button, as a user
// would); everything else goes to the Ui it wraps. A form without a filler cannot be shown.
class FillingUi : public ui::Ui {
public:
    explicit FillingUi(ui::Ui& inner) : inner_(inner), installed_(*this) {}

    void Fill(const std::string& form_name, std::function<void(ui::Form&)> filler) {
        fillers_[form_name] = std::move(filler);
    }

    ui::Answer MsgBox(const ui::Message& message) override { return inner_.MsgBox(message); }
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& caption,
                                        const std::string& default_text) override {
        return inner_.InputBox(prompt, caption, default_text);
    }
    std::optional<std::string> FileDialog(const ui::FileDialogRequest& request) override {
        return inner_.FileDialog(request);
    }
    void SetBusy(bool busy) override { inner_.SetBusy(busy); }
    void DoEvents() override { inner_.DoEvents(); }
    void Beep() override { inner_.Beep(); }
    std::string ClipboardText() override { return inner_.ClipboardText(); }
    void SetClipboardText(const std::string& text) override { inner_.SetClipboardText(text); }
    void ShowModal(ui::Form& form) override {
        auto it = fillers_.find(form.Name());
        if (it == fillers_.end()) {
            inner_.ShowModal(form);
            return;
        }
        auto filler = it->second;
        filler(form);
        if (form.Visible()) throw std::logic_error(form.Name() + " was left open");
    }

private:
    ui::Ui& inner_;
    std::map<std::string, std::function<void(ui::Form&)>> fillers_;
    ui::ScopedUi installed_;
};

}  // namespace tlx4r::cli
