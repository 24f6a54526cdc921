#include "ui/script/ScriptPlayer.h"

#include "ui/Form.h"
#include "ui/script/FormDriver.h"

#include <istream>
#include <ostream>
#include <sstream>

namespace tlx4r::ui::script {

namespace {

// Ends the play from wherever it is, through the forms' handlers. Deliberately not a
// std::exception, so that no handler of the component that catches those swallows it.
struct Stop {
    int code;
    std::string message;
};

std::string OneLine(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += (text[i] == '\n' || text[i] == '\r') ? std::string("\\n") : std::string(1, text[i]);
    }
    return out;
}

std::string Trimmed(const std::string& text) {
    auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The first word and the rest of the line after one blank (the rest keeps its inner blanks).
std::pair<std::string, std::string> Split(const std::string& line) {
    auto blank = line.find_first_of(" \t");
    if (blank == std::string::npos) return {line, {}};
    return {line.substr(0, blank), line.substr(blank + 1)};
}

}  // namespace

ScriptPlayer::ScriptPlayer(std::ostream& out, std::ostream& err, std::vector<PlayOperation> operations)
    : out_(out), err_(err), operations_(std::move(operations)) {}

int ScriptPlayer::Play(std::istream& script) {
    lines_.clear();
    for (std::string line; std::getline(script, line);) lines_.push_back(line);
    next_ = 0;
    open_.clear();
    ScopedUi installed(*this);
    try {
        while (Step()) {
        }
        return 0;
    } catch (const Stop& stop) {
        err_ << "tlx4r play: line " << next_ << ": " << stop.message << '\n';
        return stop.code;
    }
}

bool ScriptPlayer::Step() {
    while (next_ < lines_.size()) {
        const std::string line = Trimmed(lines_[next_++]);
        if (line.empty() || line[0] == '#') continue;
        auto [verb, rest] = Split(line);
        try {
            Run(verb, rest);
        } catch (const ScriptError& e) {
            throw Stop{2, e.what()};
        } catch (const std::out_of_range& e) {
            throw Stop{2, e.what()};
        }
        return true;
    }
    return false;
}

Form& ScriptPlayer::Top() const {
    if (open_.empty()) throw ScriptError("no form is open (start an operation first)");
    return *open_.back();
}

void ScriptPlayer::Run(const std::string& verb, const std::string& rest) {
    if (verb == "start") return Start(rest);
    if (verb == "answer") {
        auto answer = AnswerFromText(Trimmed(rest));
        if (!answer) throw ScriptError("unknown answer \"" + rest + "\" (Ja, Nein, Abbrechen, OK, …)");
        QueueAnswer({*answer, std::nullopt, false, {}, Icon::None});
        return;
    }
    if (verb == "input") {
        QueueInput(rest.empty() ? std::nullopt : std::optional<std::string>(rest));
        return;
    }
    if (verb == "file") {
        QueueFile(rest.empty() ? std::nullopt : std::optional<std::string>(Trimmed(rest)));
        return;
    }
    if (verb == "show") {
        Form& form = Top();
        out_ << "form: " << form.Name() << " | " << OneLine(form.Caption()) << '\n';
        for (const std::string& line : Describe(form)) out_ << line << '\n';
        return;
    }
    if (verb == "close") {
        Form& form = Top();
        if (!form.UserClose()) out_ << "open: " << form.Name() << " stays open\n";
        return;
    }
    auto [name, value] = Split(rest);
    if (name.empty()) throw ScriptError(verb + " needs a control");
    if (verb == "set") {
        SetValue(FindControl(Top(), name), value);
    } else if (verb == "leave") {
        if (!Leave(FindControl(Top(), name))) out_ << "focus: " << name << " keeps the focus\n";
    } else if (verb == "click") {
        Click(FindControl(Top(), name));
    } else if (verb == "dblclick") {
        DoubleClick(FindControl(Top(), name));
    } else if (verb == "key") {
        PressKey(FindControl(Top(), name), Trimmed(value));
    } else {
        throw ScriptError("unknown action \"" + verb + "\"");
    }
}

void ScriptPlayer::Start(const std::string& rest) {
    std::istringstream words(rest);
    std::string path;
    words >> path;
    std::vector<std::string> args;
    for (std::string w; words >> w;) args.push_back(w);
    for (const PlayOperation& op : operations_) {
        if (op.path != path) continue;
        std::vector<std::pair<std::string, std::string>> result;
        try {
            result = op.run(args);
        } catch (const ScriptError&) {
            throw;
        } catch (const std::exception& e) {
            throw Stop{1, path + " failed: " + e.what()};
        }
        for (const auto& [name, value] : result) out_ << "result: " << name << '=' << OneLine(value) << '\n';
        return;
    }
    throw ScriptError("unknown operation \"" + path + "\"");
}

void ScriptPlayer::PlayModal(Form& form) {
    open_.push_back(&form);
    struct Pop {
        std::vector<Form*>& open;
        ~Pop() { open.pop_back(); }
    } pop{open_};
    while (form.Visible()) {
        if (!Step()) throw Stop{2, "the script ended while " + form.Name() + " is still open"};
    }
}

Answer ScriptPlayer::Unforeseen(const Message& message) {
    out_ << "message: " << OneLine(message.caption) << " | " << OneLine(message.text) << " | \n";
    throw Stop{3, "a message box came without an answer (add \"answer BUTTON\" before the line that shows it)"};
}

std::optional<std::string> ScriptPlayer::UnforeseenInput(const std::string& prompt, const std::string& caption) {
    out_ << "input: " << OneLine(caption) << " | " << OneLine(prompt) << " | \n";
    throw Stop{3, "an input box came without an answer (add \"input TEXT\" before the line that shows it)"};
}

std::optional<std::string> ScriptPlayer::UnforeseenFile(const FileDialogRequest& request) {
    out_ << "file: " << OneLine(request.title) << " | \n";
    throw Stop{3, "a file dialog came without an answer (add \"file PATH\" before the line that shows it)"};
}

void ScriptPlayer::Mismatch(const std::string& what) { err_ << "tlx4r play: " << what << '\n'; }

void ScriptPlayer::Answered(const Message& message, Answer answer) {
    out_ << "message: " << OneLine(message.caption) << " | " << OneLine(message.text) << " | " << AnswerText(answer)
         << '\n';
}

void ScriptPlayer::InputAnswered(const std::string& prompt, const std::string& caption,
                                 const std::optional<std::string>& answer) {
    out_ << "input: " << OneLine(caption) << " | " << OneLine(prompt) << " | " << (answer ? *answer : "(cancel)")
         << '\n';
}

void ScriptPlayer::FileAnswered(const FileDialogRequest& request, const std::optional<std::string>& path) {
    out_ << "file: " << OneLine(request.title) << " | " << (path ? *path : "(cancel)") << '\n';
}

}  // namespace tlx4r::ui::script
