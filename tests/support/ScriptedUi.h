#pragma once

#include "ui/Ui.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tlx4r::test {

// A Ui for tests: it plays the user from scripts. Expected message boxes are answered from a
// queue; a message box nobody expected, or one that does not match the next expectation, fails
// the test. Expectations still queued when the object dies fail the test too.
class ScriptedUi : public ui::Ui {
public:
    struct Expectation {
        std::string text;  // the exact text, or a part of it when partial
        ui::Answer answer;
        std::string caption;  // checked when not empty
        ui::Icon icon;        // checked when not None
        bool partial;
    };

    ScriptedUi();
    ~ScriptedUi() override;

    // The next message box must show exactly text; it is answered with answer.
    ScriptedUi& ExpectMessage(std::string text, ui::Answer answer = ui::Answer::Ok,
                              std::string caption = {}, ui::Icon icon = ui::Icon::None);
    // The next message box must contain part.
    ScriptedUi& ExpectMessageContaining(std::string part, ui::Answer answer = ui::Answer::Ok);
    ScriptedUi& ExpectInput(std::optional<std::string> answer);
    ScriptedUi& ExpectFileDialog(std::optional<std::string> path);
    // The script that plays the user while the form named name is shown modally; it must hide
    // the form (a modal form left open fails the test).
    ScriptedUi& OnForm(std::string name, std::function<void(ui::Form&)> script);

    const std::vector<ui::Message>& Shown() const { return shown_; }
    int Beeps() const { return beeps_; }
    int BusyDepth() const { return busy_; }
    int EventPumps() const { return pumps_; }
    const std::vector<ui::FileDialogRequest>& FileDialogs() const { return file_dialogs_; }
    // The prompts of the input boxes shown, in order.
    const std::vector<std::string>& InputPrompts() const { return input_prompts_; }
    // The names of the forms shown modally, in order.
    const std::vector<std::string>& ModalForms() const { return modal_shown_; }

    ui::Answer MsgBox(const ui::Message& message) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& caption,
                                        const std::string& default_text) override;
    std::optional<std::string> FileDialog(const ui::FileDialogRequest& request) override;
    void SetBusy(bool busy) override;
    void DoEvents() override { ++pumps_; }
    void Beep() override { ++beeps_; }
    std::string ClipboardText() override { return clipboard_; }
    void SetClipboardText(const std::string& text) override { clipboard_ = text; }
    void ShowModal(ui::Form& form) override;

private:
    std::deque<Expectation> messages_;
    std::deque<std::optional<std::string>> inputs_;
    std::deque<std::optional<std::string>> files_;
    std::map<std::string, std::function<void(ui::Form&)>> forms_;
    std::vector<ui::Message> shown_;
    std::vector<ui::FileDialogRequest> file_dialogs_;
    std::vector<std::string> input_prompts_;
    std::vector<std::string> modal_shown_;
    std::string clipboard_;
    int beeps_ = 0;
    int busy_ = 0;
    int pumps_ = 0;
    ui::ScopedUi installed_;
};

}  // namespace tlx4r::test
