#pragma once

#include "ui/script/ScriptUi.h"

#include <functional>
#include <map>
#include <string>

namespace tlx4r::test {

// A Ui for tests: it plays the user from scripts. Expected message boxes are answered from a
// queue; a message box nobody expected, or one that does not match the next expectation, fails
// the test. Expectations still queued when the object dies fail the test too.
class ScriptedUi : public ui::script::ScriptUi {
public:
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

protected:
    void PlayModal(ui::Form& form) override;
    ui::Answer Unforeseen(const ui::Message& message) override;
    std::optional<std::string> UnforeseenInput(const std::string& prompt, const std::string& caption) override;
    std::optional<std::string> UnforeseenFile(const ui::FileDialogRequest& request) override;
    void Mismatch(const std::string& what) override;
    void LeftOpen(ui::Form& form) override;

private:
    std::map<std::string, std::function<void(ui::Form&)>> forms_;
    ui::ScopedUi installed_;
};

}  // namespace tlx4r::test
