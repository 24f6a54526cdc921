#include "ScriptedUi.h"

#include "ui/Form.h"

#include <gtest/gtest.h>

namespace tlx4r::test {

ScriptedUi::ScriptedUi() : installed_(*this) {}

ScriptedUi::~ScriptedUi() {
    for (const auto& e : messages_) ADD_FAILURE() << "expected message box never shown: " << e.text;
    if (!inputs_.empty()) ADD_FAILURE() << inputs_.size() << " expected input box(es) never shown";
    if (!files_.empty()) ADD_FAILURE() << files_.size() << " expected file dialog(s) never shown";
    if (busy_ != 0) ADD_FAILURE() << "busy pointer left on (depth " << busy_ << ")";
}

ScriptedUi& ScriptedUi::ExpectMessage(std::string text, ui::Answer answer, std::string caption, ui::Icon icon) {
    messages_.push_back({std::move(text), answer, std::move(caption), icon, false});
    return *this;
}

ScriptedUi& ScriptedUi::ExpectMessageContaining(std::string part, ui::Answer answer) {
    messages_.push_back({std::move(part), answer, {}, ui::Icon::None, true});
    return *this;
}

ScriptedUi& ScriptedUi::ExpectInput(std::optional<std::string> answer) {
    inputs_.push_back(std::move(answer));
    return *this;
}

ScriptedUi& ScriptedUi::ExpectFileDialog(std::optional<std::string> path) {
    files_.push_back(std::move(path));
    return *this;
}

ScriptedUi& ScriptedUi::OnForm(std::string name, std::function<void(ui::Form&)> script) {
    forms_[std::move(name)] = std::move(script);
    return *this;
}

ui::Answer ScriptedUi::MsgBox(const ui::Message& message) {
    shown_.push_back(message);
    if (messages_.empty()) {
        ADD_FAILURE() << "unexpected message box: " << message.text;
        return ui::Answer::Cancel;
    }
    Expectation e = messages_.front();
    messages_.pop_front();
    if (e.partial) {
        EXPECT_NE(message.text.find(e.text), std::string::npos)
            << "message box \"" << message.text << "\" lacks \"" << e.text << "\"";
    } else {
        EXPECT_EQ(message.text, e.text);
    }
    if (!e.caption.empty()) {
        EXPECT_EQ(message.caption, e.caption) << "caption of " << message.text;
    }
    if (e.icon != ui::Icon::None) {
        EXPECT_EQ(static_cast<int>(message.icon), static_cast<int>(e.icon)) << "icon of " << message.text;
    }
    return e.answer;
}

std::optional<std::string> ScriptedUi::InputBox(const std::string& prompt, const std::string&,
                                                const std::string&) {
    input_prompts_.push_back(prompt);
    if (inputs_.empty()) {
        ADD_FAILURE() << "unexpected input box: " << prompt;
        return std::nullopt;
    }
    auto answer = inputs_.front();
    inputs_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedUi::FileDialog(const ui::FileDialogRequest& request) {
    file_dialogs_.push_back(request);
    if (files_.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << request.title;
        return std::nullopt;
    }
    auto path = files_.front();
    files_.pop_front();
    return path;
}

void ScriptedUi::SetBusy(bool busy) {
    busy_ += busy ? 1 : -1;
    EXPECT_GE(busy_, 0) << "busy pointer switched off more often than on";
}

void ScriptedUi::ShowModal(ui::Form& form) {
    modal_shown_.push_back(form.Name());
    auto it = forms_.find(form.Name());
    if (it == forms_.end()) {
        ADD_FAILURE() << "modal form " << form.Name() << " shown without a script";
    } else {
        // A copy: the script may install another script for a nested form.
        auto script = it->second;
        script(form);
        if (form.Visible()) ADD_FAILURE() << "the script left modal form " << form.Name() << " open";
    }
    // Hidden in any case, so that a failing test does not hang in Form::Show's caller.
    form.Hide();
}

}  // namespace tlx4r::test
