#include "ScriptedUi.h"

#include "ui/Form.h"

#include <gtest/gtest.h>

namespace tlx4r::test {

ScriptedUi::ScriptedUi() : installed_(*this) {}

ScriptedUi::~ScriptedUi() {
    for (const auto& e : Answers()) ADD_FAILURE() << "expected message box never shown: " << e.text.value_or("");
    if (PendingInputs() != 0) ADD_FAILURE() << PendingInputs() << " expected input box(es) never shown";
    if (PendingFiles() != 0) ADD_FAILURE() << PendingFiles() << " expected file dialog(s) never shown";
    if (BusyDepth() != 0) ADD_FAILURE() << "busy pointer left on (depth " << BusyDepth() << ")";
}

ScriptedUi& ScriptedUi::ExpectMessage(std::string text, ui::Answer answer, std::string caption, ui::Icon icon) {
    QueueAnswer({answer, std::move(text), false, std::move(caption), icon});
    return *this;
}

ScriptedUi& ScriptedUi::ExpectMessageContaining(std::string part, ui::Answer answer) {
    QueueAnswer({answer, std::move(part), true, {}, ui::Icon::None});
    return *this;
}

ScriptedUi& ScriptedUi::ExpectInput(std::optional<std::string> answer) {
    QueueInput(std::move(answer));
    return *this;
}

ScriptedUi& ScriptedUi::ExpectFileDialog(std::optional<std::string> path) {
    QueueFile(std::move(path));
    return *this;
}

ScriptedUi& ScriptedUi::OnForm(std::string name, std::function<void(ui::Form&)> script) {
    forms_[std::move(name)] = std::move(script);
    return *this;
}

void ScriptedUi::PlayModal(ui::Form& form) {
    auto it = forms_.find(form.Name());
    if (it == forms_.end()) {
        ADD_FAILURE() << "modal form " << form.Name() << " shown without a script";
        form.Hide();  // one failure is enough
        return;
    }
    // A copy: the script may install another script for a nested form.
    auto script = it->second;
    script(form);
}

ui::Answer ScriptedUi::Unforeseen(const ui::Message& message) {
    ADD_FAILURE() << "unexpected message box: " << message.text;
    return ui::Answer::Cancel;
}

std::optional<std::string> ScriptedUi::UnforeseenInput(const std::string& prompt, const std::string&) {
    ADD_FAILURE() << "unexpected input box: " << prompt;
    return std::nullopt;
}

std::optional<std::string> ScriptedUi::UnforeseenFile(const ui::FileDialogRequest& request) {
    ADD_FAILURE() << "unexpected file dialog: " << request.title;
    return std::nullopt;
}

void ScriptedUi::Mismatch(const std::string& what) { ADD_FAILURE() << what; }

void ScriptedUi::LeftOpen(ui::Form& form) { ADD_FAILURE() << "the script left modal form " << form.Name() << " open"; }

}  // namespace tlx4r::test
