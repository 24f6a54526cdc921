#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tlx4r::ui {

class Form;

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct Message {
    std::string text;  // pieces joined with "\r\n"
    std::string caption;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    int default_button = 1;  // 1-based, as the old message box counted them
};

struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    std::string title;
    // Pairs of description and patterns, e.g. {"Datenbank (*.tdb4r)", "*.tdb4r;*.mdb"}.
    std::vector<std::pair<std::string, std::string>> filters;
    int filter_index = 1;  // 1-based
    std::string initial_dir;
    std::string file_name;
    std::string default_ext;
    bool must_exist = false;
    bool confirm_overwrite = false;
};

// Everything the component shows or asks of the user goes through this service, so that forms
// and helpers stay headless: the desktop installs the Qt implementation, tests a scripted one,
// the command-line program a console one.
class Ui {
public:
    virtual ~Ui() = default;

    virtual Answer MsgBox(const Message& message) = 0;
    // nullopt when the user cancels.
    virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& caption,
                                                const std::string& default_text) = 0;
    // The chosen path, nullopt when the user cancels.
    virtual std::optional<std::string> FileDialog(const FileDialogRequest& request) = 0;
    // Reference-counted by BusyPointer; implementations show the hourglass while > 0.
    virtual void SetBusy(bool busy) = 0;
    // Lets pending window events run during long loops.
    virtual void DoEvents() = 0;
    virtual void Beep() = 0;
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // Shows the form modally; returns when the form has been hidden.
    virtual void ShowModal(Form& form) = 0;
    // Shows the form without waiting; the form stays usable while it is visible. A Ui without
    // windows (the console) has nothing to show, the form's state is all there is.
    virtual void ShowModeless(Form& /*form*/) {}
};

// The process's Ui. Throws std::logic_error while none is installed: a program decides how it
// talks to its user before the component may.
Ui& Current();
// Installs ui (not owned) and returns the one it replaces; nullptr uninstalls.
Ui* Install(Ui* ui);

// Shorthand for a message box on the current Ui.
Answer MsgBox(const std::string& text, Buttons buttons, Icon icon, const std::string& caption,
              int default_button = 1);

// Shows the busy pointer for its lifetime.
class BusyPointer {
public:
    BusyPointer() { Current().SetBusy(true); }
    ~BusyPointer() { Current().SetBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// Installs a Ui for its lifetime and restores the previous one.
class ScopedUi {
public:
    explicit ScopedUi(Ui& ui) : previous_(Install(&ui)) {}
    ~ScopedUi() { Install(previous_); }
    ScopedUi(const ScopedUi&) = delete;
    ScopedUi& operator=(const ScopedUi&) = delete;

private:
    Ui* previous_;
};

}  // namespace tlx4r::ui
