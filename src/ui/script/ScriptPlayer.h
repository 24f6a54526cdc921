#pragma once

#include "ui/script/ScriptUi.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace tlx4r::ui::script {

// One operation a script may start: a public member that shows a form, named by its member
// path ("Entries.EditNew"). run gets the words after the path and returns what the operation
// gave back, as NAME=VALUE pairs (its return value and its class's public variables).
struct PlayOperation {
    std::string path;
    std::string arguments;  // for the help text, e.g. "ID"
    std::function<std::vector<std::pair<std::string, std::string>>(const std::vector<std::string>& args)> run;
};

// The dialog player: plays a form without a screen from a script of lines such as
//
//     start Entries.EditNew
//     set txtText Besprechung
//     click btnSave
//
// Lines act on the form on top, so a form that a line opens is played by the lines after it.
// Message boxes are printed ("message: TITLE | TEXT | ANSWER") and answered from the "answer"
// lines queued before them; input boxes and file dialogs likewise ("input", "file").
//
// Exit codes of Play: 0 the script ran; 1 an operation failed; 2 the script is wrong (unknown
// operation, verb or control, a value a control cannot take, a form left open at the end); 3 a
// message box, input box or file dialog came without a queued answer. The database is left as
// the played actions left it.
class ScriptPlayer : public ScriptUi {
public:
    ScriptPlayer(std::ostream& out, std::ostream& err, std::vector<PlayOperation> operations);

    // Plays the lines of script (one action per line, "#" at the start of a line makes it a
    // comment). Installs itself as the current Ui while it plays.
    int Play(std::istream& script);

    const std::vector<PlayOperation>& Operations() const { return operations_; }

protected:
    void PlayModal(Form& form) override;
    Answer Unforeseen(const Message& message) override;
    std::optional<std::string> UnforeseenInput(const std::string& prompt, const std::string& caption) override;
    std::optional<std::string> UnforeseenFile(const FileDialogRequest& request) override;
    void Mismatch(const std::string& what) override;
    void Answered(const Message& message, Answer answer) override;
    void InputAnswered(const std::string& prompt, const std::string& caption,
                       const std::optional<std::string>& answer) override;
    void FileAnswered(const FileDialogRequest& request, const std::optional<std::string>& path) override;

private:
    // Runs the next line; false at the end of the script.
    bool Step();
    void Run(const std::string& verb, const std::string& rest);
    void Start(const std::string& rest);
    Form& Top() const;

    std::ostream& out_;
    std::ostream& err_;
    std::vector<PlayOperation> operations_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;  // index of the next line to run
    std::vector<Form*> open_;
};

}  // namespace tlx4r::ui::script
