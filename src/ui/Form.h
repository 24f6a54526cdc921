#pragma once

#include "ui/Control.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tlx4r::ui {

// Window geometry in the component's interface is in twips; screens count pixels. At 96 dpi a
// pixel is 15 twips.
inline constexpr int kTwipsPerPixel = 15;
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }
constexpr int TwipsToPixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

// A dialog without a toolkit: its controls (members declared after the form's base), their
// state and the handlers that make up its behaviour. Views bind to the controls by Key().
//
// A form is created once by its owner and reused: Hide keeps every state, Show shows it again.
// Show(modal) hands the form to the current Ui and returns only when the form has been hidden.
//
// A user control is a form embedded in another one: construct it with the host form; its
// changes then notify the host's observers as well, and the host lists it among Children().
class Form {
public:
    // name is the form's type name ("frmEntry", "ctlDateRange"); views and scripts look it up.
    explicit Form(std::string name, std::string caption = {});
    // An embedded user control named instance_name on host.
    Form(Form& host, std::string instance_name, std::string type_name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    // The name on its host form; the type name for a top-level form.
    const std::string& InstanceName() const { return instance_name_; }
    Form* Host() const { return host_; }
    const std::vector<Form*>& Children() const { return children_; }

    const std::vector<Control*>& Controls() const { return controls_; }
    // nullptr when the form has no control with that key ("txtYear", "optFromMode[2]").
    Control* Find(const std::string& key) const;
    // Throws std::out_of_range naming the form and the key when there is none.
    Control& Get(const std::string& key) const;
    template <class T>
    T& Get(const std::string& key) const {
        T* typed = dynamic_cast<T*>(&Get(key));
        if (typed == nullptr) ThrowWrongType(key);
        return *typed;
    }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

    bool Visible() const { return visible_; }
    bool Modal() const { return modal_; }
    // Shows the form. Modal: returns when the form is hidden again; throws std::logic_error when
    // it is already visible. Modeless: returns at once.
    void Show(bool modal);
    void Hide();

    // Geometry in twips.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int MinWidth() const { return min_width_; }
    int MinHeight() const { return min_height_; }
    void Move(int left, int top);
    // Sizes are raised to the minimum size; fires Resize.
    void SetSize(int width, int height);
    void SetMinimumSize(int width, int height);

    Control* ActiveControl() const { return active_; }

    // Handlers set by the form class.
    std::function<void()> Activate;
    std::function<void()> Resize;
    // The user closes the window; set the argument to true to keep it open.
    std::function<void(bool& cancel)> QueryUnload;

    // The user closes the window (title bar, Alt+F4); true when the form was hidden.
    bool UserClose();
    // A key pressed on the form outside any control's own handling: Enter clicks the default
    // button, Escape the cancel button, Alt+letter the control with that access key.
    // Returns true when a control took the key.
    bool UserKey(int key_ascii, bool alt = false);
    // The window manager moved or resized the window (twips).
    void UserMoveResize(int left, int top, int width, int height);

    // Observers are called once after every user event and after every change of state made
    // outside one. The returned id removes the observer again.
    int Observe(std::function<void()> observer);
    void Unobserve(int id);

    // Groups the notifications of everything done during its lifetime into one.
    class EventScope {
    public:
        explicit EventScope(const Form& form);
        ~EventScope();
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;

    private:
        const Form& form_;
    };

    // State changed: notify now, or at the end of the current event.
    void Touch() const;
    // Notifies the observers now of what changed so far, even inside an event: a long loop run
    // from a click calls it before it lets pending events run, so that its views show progress.
    void Flush() const;

private:
    friend class Control;
    void Register(Control& control);
    void Unregister(Control& control);
    void SetActive(Control* control);
    void Notify() const;
    [[noreturn]] void ThrowWrongType(const std::string& key) const;

    std::string name_;
    std::string instance_name_;
    Form* host_ = nullptr;
    std::vector<Form*> children_;
    std::vector<Control*> controls_;
    std::string caption_;
    bool visible_ = false;
    bool modal_ = false;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0, min_width_ = 0, min_height_ = 0;
    Control* active_ = nullptr;
    std::map<int, std::function<void()>> observers_;
    int next_observer_ = 1;
    mutable int event_depth_ = 0;
    mutable bool dirty_ = false;
};

}  // namespace tlx4r::ui
