#include "ui/script/ScriptUi.h"

#include "types/Utf8.h"
#include "ui/Form.h"

#include <array>
#include <utility>

namespace tlx4r::ui::script {

Answer ScriptUi::MsgBox(const Message& message) {
    shown_.push_back(message);
    if (answers_.empty()) {
        Answer answer = Unforeseen(message);
        Answered(message, answer);
        return answer;
    }
    QueuedAnswer expected = std::move(answers_.front());
    answers_.pop_front();
    if (expected.text) {
        bool matches = expected.partial ? message.text.find(*expected.text) != std::string::npos
                                        : message.text == *expected.text;
        if (!matches) {
            Mismatch("message box \"" + message.text + "\" where \"" + *expected.text + "\" was expected" +
                     (expected.partial ? " (in part)" : ""));
        }
    }
    if (!expected.caption.empty() && message.caption != expected.caption) {
        Mismatch("caption \"" + message.caption + "\" of \"" + message.text + "\" where \"" + expected.caption +
                 "\" was expected");
    }
    if (expected.icon != Icon::None && message.icon != expected.icon) {
        Mismatch("icon " + std::to_string(static_cast<int>(message.icon)) + " of \"" + message.text + "\" where " +
                 std::to_string(static_cast<int>(expected.icon)) + " was expected");
    }
    Answered(message, expected.answer);
    return expected.answer;
}

std::optional<std::string> ScriptUi::InputBox(const std::string& prompt, const std::string& caption,
                                              const std::string&) {
    input_prompts_.push_back(prompt);
    std::optional<std::string> answer;
    if (inputs_.empty()) {
        answer = UnforeseenInput(prompt, caption);
    } else {
        answer = std::move(inputs_.front());
        inputs_.pop_front();
    }
    InputAnswered(prompt, caption, answer);
    return answer;
}

std::optional<std::string> ScriptUi::FileDialog(const FileDialogRequest& request) {
    file_dialogs_.push_back(request);
    std::optional<std::string> path;
    if (files_.empty()) {
        path = UnforeseenFile(request);
    } else {
        path = std::move(files_.front());
        files_.pop_front();
    }
    FileAnswered(request, path);
    return path;
}

void ScriptUi::SetBusy(bool busy) {
    busy_ += busy ? 1 : -1;
    if (busy_ < 0) Mismatch("busy pointer switched off more often than on");
}

void ScriptUi::ShowModal(Form& form) {
    modal_shown_.push_back(form.Name());
    struct HideAtEnd {
        Form& form;
        ~HideAtEnd() { form.Hide(); }
    } hide{form};
    PlayModal(form);
    if (form.Visible()) LeftOpen(form);
}

namespace {

constexpr std::array<std::pair<Answer, const char*>, 7> kAnswerTexts{{
    {Answer::Ok, "OK"},
    {Answer::Cancel, "Abbrechen"},
    {Answer::Yes, "Ja"},
    {Answer::No, "Nein"},
    {Answer::Retry, "Wiederholen"},
    {Answer::Abort, "Beenden"},
    {Answer::Ignore, "Ignorieren"},
}};

constexpr std::array<std::pair<Answer, const char*>, 7> kEnglishTexts{{
    {Answer::Ok, "ok"},
    {Answer::Cancel, "cancel"},
    {Answer::Yes, "yes"},
    {Answer::No, "no"},
    {Answer::Retry, "retry"},
    {Answer::Abort, "abort"},
    {Answer::Ignore, "ignore"},
}};

}  // namespace

std::string AnswerText(Answer answer) {
    for (const auto& [a, text] : kAnswerTexts) {
        if (a == answer) return text;
    }
    return "?";
}

std::optional<Answer> AnswerFromText(const std::string& text) {
    std::string wanted = utf8::Lower(text);
    std::erase(wanted, '&');
    for (const auto& table : {kAnswerTexts, kEnglishTexts}) {
        for (const auto& [a, name] : table) {
            if (utf8::Lower(name) == wanted) return a;
        }
    }
    return std::nullopt;
}

}  // namespace tlx4r::ui::script
