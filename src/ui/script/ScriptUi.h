#pragma once

#include "ui/Ui.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tlx4r::ui::script {

// The answer to one message box that a script expects, and optionally what the box must say.
struct QueuedAnswer {
    Answer answer = Answer::Ok;
    std::optional<std::string> text;  // the box's text (or a part of it when partial), if checked
    bool partial = false;
    std::string caption;     // checked when not empty
    Icon icon = Icon::None;  // checked when not None
};

// A Ui without a screen: a script plays the user. Message boxes, input boxes and file dialogs
// are answered from queues filled beforehand; modal forms are handed to PlayModal. What happens
// when a script did not foresee a box, or a box differs from what it expected, is the
// subclass's decision (a test fails, the dialog player stops).
//
// Both the tests' scripted Ui and the command-line player are built on it, so a form behaves the
// same under both.
class ScriptUi : public Ui {
public:
    ScriptUi() = default;
    ScriptUi(const ScriptUi&) = delete;
    ScriptUi& operator=(const ScriptUi&) = delete;

    void QueueAnswer(QueuedAnswer answer) { answers_.push_back(std::move(answer)); }
    // nullopt cancels the box.
    void QueueInput(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }
    void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }

    std::size_t PendingAnswers() const { return answers_.size(); }
    std::size_t PendingInputs() const { return inputs_.size(); }
    std::size_t PendingFiles() const { return files_.size(); }
    const std::deque<QueuedAnswer>& Answers() const { return answers_; }

    const std::vector<Message>& Shown() const { return shown_; }
    int Beeps() const { return beeps_; }
    int BusyDepth() const { return busy_; }
    int EventPumps() const { return pumps_; }
    const std::vector<FileDialogRequest>& FileDialogs() const { return file_dialogs_; }
    // The prompts of the input boxes shown, in order.
    const std::vector<std::string>& InputPrompts() const { return input_prompts_; }
    // The names of the forms shown modally, in order.
    const std::vector<std::string>& ModalForms() const { return modal_shown_; }

    Answer MsgBox(const Message& message) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& caption,
                                        const std::string& default_text) override;
    std::optional<std::string> FileDialog(const FileDialogRequest& request) override;
    void SetBusy(bool busy) override;
    void DoEvents() override { ++pumps_; }
    void Beep() override { ++beeps_; }
    std::string ClipboardText() override { return clipboard_; }
    void SetClipboardText(const std::string& text) override { clipboard_ = text; }
    // Records the form, lets PlayModal act on it and hides it afterwards in any case, so that a
    // script that forgot to close it cannot hang its caller.
    void ShowModal(Form& form) override;

protected:
    // The user's part while form is shown modally; the form should be hidden on return.
    virtual void PlayModal(Form& form) = 0;
    // A box for which nothing was queued: the answer to give (the box is in Shown() already).
    virtual Answer Unforeseen(const Message& message) = 0;
    virtual std::optional<std::string> UnforeseenInput(const std::string& prompt, const std::string& caption) = 0;
    virtual std::optional<std::string> UnforeseenFile(const FileDialogRequest& request) = 0;
    // A box that differs from the queued expectation (what differs, in words).
    virtual void Mismatch(const std::string& what) = 0;
    // PlayModal returned with the form still visible.
    virtual void LeftOpen(Form& /*form*/) {}
    // Every box once it is answered, for a log.
    virtual void Answered(const Message& /*message*/, Answer /*answer*/) {}
    virtual void InputAnswered(const std::string& /*prompt*/, const std::string& /*caption*/,
                               const std::optional<std::string>& /*answer*/) {}
    virtual void FileAnswered(const FileDialogRequest& /*request*/, const std::optional<std::string>& /*path*/) {}

private:
    std::deque<QueuedAnswer> answers_;
    std::deque<std::optional<std::string>> inputs_;
    std::deque<std::optional<std::string>> files_;
    std::vector<Message> shown_;
    std::vector<FileDialogRequest> file_dialogs_;
    std::vector<std::string> input_prompts_;
    std::vector<std::string> modal_shown_;
    std::string clipboard_;
    int beeps_ = 0;
    int busy_ = 0;
    int pumps_ = 0;
};

// The text of a message box answer as its button says it, without "&" ("Ja", "Nein",
// "Abbrechen", "OK", "Wiederholen", "Ignorieren").
std::string AnswerText(Answer answer);
// The answer named by a button text (any case; "Yes"/"No"/"Cancel" are understood too);
// nullopt for an unknown text.
std::optional<Answer> AnswerFromText(const std::string& text);

}  // namespace tlx4r::ui::script
