#pragma once

#include <functional>
#include <string>

namespace tlx4r::ui {

class Form;
class Frame;

enum class ControlKind {
    Label, TextBox, Button, CheckBox, OptionButton, Frame, ComboBox, ListBox, ListView,
    DatePicker, TabStrip, ProgressBar, CommonDialog
};

// One control of a form: its state and its events. All behaviour belongs to the form, which sets
// the handlers; a view only shows the state and forwards what the user does through the User…
// entry points, which behave like the user's action (focus, key filter, validation) and notify
// the form's observers once when the handlers have run.
//
// A control registers itself with its form on construction and must live exactly as long as
// the form (declare it as a member of the form). Controls are neither copied nor moved.
class Control {
public:
    // index >= 0 makes the control an element of a control array ("optFromMode[2]").
    // container, when given, is the frame that holds the control (option buttons in one
    // container form one group).
    Control(Form& form, ControlKind kind, std::string name, int index = -1, Frame* container = nullptr);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& Owner() const { return form_; }
    ControlKind Kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    // The name views and tests use: "txtYear", or "optFromMode[2]" for an array element.
    std::string Key() const;
    Frame* Container() const { return container_; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    const std::string& ToolTip() const { return tool_tip_; }
    void SetToolTip(std::string tip);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // The control's own flag; EffectivelyVisible also asks its frames.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool EffectivelyVisible() const;
    // Enabled and visible, and so are the frames around it: what the user can reach.
    bool CanUse() const;

    bool HasFocus() const;
    // Moves the focus here without asking the control that loses it (as a program may).
    void SetFocus();

    // Where the control sits on its form, in twips from the form's client area origin, as the
    // view last laid it out (0 without a view). Forms place small dialogs below a button by it.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetGeometry(int left, int top, int width, int height) {
        left_ = left;
        top_ = top;
        width_ = width;
        height_ = height;
    }

    // The character after the first single "&" of the caption, lower-cased; 0 when none.
    char AccessKey() const;

    // Handlers, set by the form. KeyPress may change the key or set it to 0 to swallow it;
    // Validate may set its argument to true to keep the focus.
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void()> Change;
    std::function<void()> GotFocus;
    std::function<void(int& key_ascii)> KeyPress;
    std::function<void(bool& cancel)> Validate;

    // Simulation of the user. A control that cannot be reached (disabled, hidden) ignores them
    // and UserLeave answers true.
    // The user clicks the control: it takes the focus (the control that had it is asked to let
    // it go first; if it refuses nothing else happens), then the control reacts.
    virtual void UserClick();
    void UserDoubleClick();
    // The user tabs into the control.
    bool UserFocus();
    // The user tries to move the focus away; false when the control keeps it.
    bool UserLeave();
    // The user presses a key while the control has the focus (it takes it first); returns the
    // key after the KeyPress handler (0 when swallowed).
    int UserKey(int key_ascii);

protected:
    // Labels, frames and the like never take the focus.
    virtual bool TakesFocus() const { return true; }
    // What a key that passed the handler does to the control (text boxes insert it).
    virtual void ApplyKey(int /*key_ascii*/) {}
    // What a click does to the control's own state before the Click handler runs.
    virtual void ApplyClick() {}
    // Tells the form that state changed, so that its views re-read it.
    void Touch() const;
    void Fire(const std::function<void()>& handler) const;

private:
    friend class Form;
    Form& form_;
    ControlKind kind_;
    std::string name_;
    int index_;
    Frame* container_;
    std::string caption_;
    std::string tool_tip_;
    bool enabled_ = true;
    bool visible_ = true;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

}  // namespace tlx4r::ui
