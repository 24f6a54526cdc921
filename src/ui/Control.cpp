#include "ui/Control.h"

#include "ui/Form.h"
#include "ui/Frame.h"

#include <cctype>

namespace tlx4r::ui {

Control::Control(Form& form, ControlKind kind, std::string name, int index, Frame* container)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {
    form_.Register(*this);
}

Control::~Control() { form_.Unregister(*this); }

std::string Control::Key() const {
    if (index_ < 0) return name_;
    return name_ + "[" + std::to_string(index_) + "]";
}

void Control::SetCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    Touch();
}

void Control::SetToolTip(std::string tip) {
    if (tip == tool_tip_) return;
    tool_tip_ = std::move(tip);
    Touch();
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Touch();
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Touch();
}

bool Control::EffectivelyVisible() const {
    for (const Control* c = this; c != nullptr; c = c->container_) {
        if (!c->visible_) return false;
    }
    return true;
}

bool Control::CanUse() const {
    for (const Control* c = this; c != nullptr; c = c->container_) {
        if (!c->visible_ || !c->enabled_) return false;
    }
    return true;
}

bool Control::HasFocus() const { return form_.ActiveControl() == this; }

void Control::SetFocus() {
    if (HasFocus()) return;
    form_.SetActive(this);
    Fire(GotFocus);
}

char Control::AccessKey() const {
    for (std::size_t i = 0; i + 1 < caption_.size(); ++i) {
        if (caption_[i] != '&') continue;
        if (caption_[i + 1] == '&') {
            ++i;
            continue;
        }
        auto c = static_cast<unsigned char>(caption_[i + 1]);
        return c < 0x80 ? static_cast<char>(std::tolower(c)) : 0;
    }
    return 0;
}

void Control::UserClick() {
    if (!CanUse()) return;
    Form::EventScope scope(form_);
    if (TakesFocus() && !UserFocus()) return;
    ApplyClick();
    Fire(Click);
}

void Control::UserDoubleClick() {
    if (!CanUse()) return;
    Form::EventScope scope(form_);
    if (TakesFocus() && !UserFocus()) return;
    Fire(DblClick);
}

bool Control::UserFocus() {
    if (!CanUse() || !TakesFocus()) return false;
    if (HasFocus()) return true;
    Form::EventScope scope(form_);
    Control* previous = form_.ActiveControl();
    if (previous != nullptr && !previous->UserLeave()) return false;
    SetFocus();
    return true;
}

bool Control::UserLeave() {
    if (!HasFocus()) return true;
    Form::EventScope scope(form_);
    bool cancel = false;
    if (Validate) Validate(cancel);
    Touch();  // the handler may have corrected the text even when the focus stays
    if (cancel) return false;
    form_.SetActive(nullptr);
    return true;
}

int Control::UserKey(int key_ascii) {
    if (!CanUse()) return 0;
    Form::EventScope scope(form_);
    if (TakesFocus() && !UserFocus()) return 0;
    int key = key_ascii;
    if (KeyPress) KeyPress(key);
    if (key != 0) ApplyKey(key);
    Touch();
    return key;
}

void Control::Touch() const { form_.Touch(); }

void Control::Fire(const std::function<void()>& handler) const {
    if (!handler) return;
    Form::EventScope scope(form_);
    handler();
}

}  // namespace tlx4r::ui
