#include "ui/Form.h"

#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/Ui.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace tlx4r::ui {

Form::Form(std::string name, std::string caption)
    : name_(std::move(name)), instance_name_(name_), caption_(std::move(caption)) {}

Form::Form(Form& host, std::string instance_name, std::string type_name)
    : name_(std::move(type_name)), instance_name_(std::move(instance_name)), host_(&host),
      visible_(true) {
    host_->children_.push_back(this);
}

Form::~Form() {
    if (host_ != nullptr) std::erase(host_->children_, this);
}

Control* Form::Find(const std::string& key) const {
    for (Control* c : controls_) {
        if (c->Key() == key) return c;
    }
    return nullptr;
}

Control& Form::Get(const std::string& key) const {
    Control* c = Find(key);
    if (c == nullptr) throw std::out_of_range(name_ + " has no control " + key);
    return *c;
}

void Form::ThrowWrongType(const std::string& key) const {
    throw std::invalid_argument("control " + key + " of " + name_ + " is not of the requested type");
}

void Form::SetCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    Touch();
}

void Form::Show(bool modal) {
    if (host_ != nullptr) throw std::logic_error(instance_name_ + " is embedded and cannot be shown on its own");
    if (modal && visible_) throw std::logic_error(name_ + " is already shown");
    {
        EventScope scope(*this);
        visible_ = true;
        modal_ = modal;
        Touch();
        if (Activate) Activate();
    }
    if (!modal) {
        Current().ShowModeless(*this);
        return;
    }
    Current().ShowModal(*this);
    // A view that closed without the form's consent still leaves the form hidden, so that the
    // next Show finds it in the state it expects.
    if (visible_) Hide();
}

void Form::Hide() {
    if (!visible_) return;
    if (active_ != nullptr) active_ = nullptr;
    visible_ = false;
    modal_ = false;
    Touch();
}

void Form::Move(int left, int top) {
    if (left == left_ && top == top_) return;
    left_ = left;
    top_ = top;
    Touch();
}

void Form::SetSize(int width, int height) {
    width = std::max(width, min_width_);
    height = std::max(height, min_height_);
    if (width == width_ && height == height_) return;
    EventScope scope(*this);
    width_ = width;
    height_ = height;
    Touch();
    if (Resize) Resize();
}

void Form::SetMinimumSize(int width, int height) {
    if (width < 0 || height < 0) throw std::invalid_argument("minimum size of " + name_ + " is negative");
    min_width_ = width;
    min_height_ = height;
    Touch();
    if (width_ < width || height_ < height) SetSize(width_, height_);
}

bool Form::UserClose() {
    EventScope scope(*this);
    bool cancel = false;
    if (QueryUnload) QueryUnload(cancel);
    if (cancel) return false;
    Hide();
    return true;
}

bool Form::UserKey(int key_ascii, bool alt) {
    EventScope scope(*this);
    if (!alt && (key_ascii == 13 || key_ascii == 27)) {
        for (Control* c : controls_) {
            auto* b = dynamic_cast<Button*>(c);
            if (b == nullptr || !b->CanUse()) continue;
            if ((key_ascii == 13 && b->IsDefault()) || (key_ascii == 27 && b->IsCancel())) {
                b->UserClick();
                return true;
            }
        }
        return false;
    }
    if (!alt || key_ascii <= 0 || key_ascii > 127) return false;
    char wanted = static_cast<char>(std::tolower(key_ascii));
    for (auto it = controls_.begin(); it != controls_.end(); ++it) {
        Control* c = *it;
        if (!c->CanUse() || c->AccessKey() != wanted) continue;
        if (c->Kind() == ControlKind::Label) {
            // A label hands its access key to the control declared after it.
            for (auto next = it + 1; next != controls_.end(); ++next) {
                if ((*next)->CanUse() && (*next)->TakesFocus()) return (*next)->UserFocus();
            }
            return false;
        }
        if (c->Kind() == ControlKind::Frame) continue;
        if (c->Kind() == ControlKind::Button || c->Kind() == ControlKind::CheckBox ||
            c->Kind() == ControlKind::OptionButton) {
            c->UserClick();
        } else {
            c->UserFocus();
        }
        return true;
    }
    return false;
}

void Form::UserMoveResize(int left, int top, int width, int height) {
    EventScope scope(*this);
    Move(left, top);
    SetSize(width, height);
}

int Form::Observe(std::function<void()> observer) {
    int id = next_observer_++;
    observers_.emplace(id, std::move(observer));
    return id;
}

void Form::Unobserve(int id) { observers_.erase(id); }

Form::EventScope::EventScope(const Form& form) : form_(form) { ++form_.event_depth_; }

Form::EventScope::~EventScope() {
    if (--form_.event_depth_ == 0 && form_.dirty_) {
        form_.dirty_ = false;
        form_.Notify();
    }
}

void Form::Touch() const {
    if (event_depth_ > 0) {
        dirty_ = true;
        return;
    }
    Notify();
}

void Form::Flush() const {
    if (!dirty_) return;
    dirty_ = false;
    Notify();
}

void Form::Notify() const {
    // Copied: an observer may remove itself.
    auto observers = observers_;
    for (auto& [id, observer] : observers) observer();
    if (host_ != nullptr) host_->Touch();
}

void Form::Register(Control& control) { controls_.push_back(&control); }

void Form::Unregister(Control& control) {
    std::erase(controls_, &control);
    if (active_ == &control) active_ = nullptr;
}

void Form::SetActive(Control* control) {
    active_ = control;
    Touch();
}

}  // namespace tlx4r::ui
