#include "ui/script/FormDriver.h"

#include "types/Date.h"
#include "ui/Controls.h"

#include <string_view>

namespace tlx4r::ui::script {

namespace {

// "optText(2)" → "optText[2]"; other names unchanged.
std::string KeyOf(const std::string& name) {
    if (name.size() > 3 && name.back() == ')') {
        auto open = name.find('(');
        if (open != std::string::npos) return name.substr(0, open) + "[" + name.substr(open + 1, name.size() - open - 2) + "]";
    }
    return name;
}

// The name a script uses: array elements with parentheses, as the component's code writes them.
std::string ScriptName(const Control& control) {
    return control.Index() >= 0 ? control.Name() + "(" + std::to_string(control.Index()) + ")" : control.Name();
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n' || text[i] == '\r') {
            out += "\\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string Unescaped(const std::string& text, bool multi_line) {
    if (!multi_line) return text;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\r';  // the Enter key: a multi-line box inserts CR LF for it
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string WithoutAmpersand(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] != '&') continue;
        out += text[i];
    }
    return out;
}

void RequireUsable(const Control& control) {
    if (!control.EffectivelyVisible()) throw ScriptError(ScriptName(control) + " is hidden");
    if (!control.CanUse()) throw ScriptError(ScriptName(control) + " is disabled");
}

[[noreturn]] void NoSuchEntry(const Control& control, const std::string& value) {
    throw ScriptError(ScriptName(control) + " has no entry \"" + value + "\"");
}

void SetText(TextBox& box, const std::string& value) {
    if (box.ReadOnly()) throw ScriptError(box.Name() + " is read-only");
    if (!box.UserFocus()) {
        const Control* holder = box.Owner().ActiveControl();
        throw ScriptError("the focus stays in " + (holder ? ScriptName(*holder) : std::string("another control")) +
                          ", " + box.Name() + " cannot be reached");
    }
    box.SelectAll();
    const std::string text = Unescaped(value, box.MultiLine());
    if (text.empty()) {
        // Deleting the selected text, as the Delete key would.
        box.UserKey(8);
    } else {
        box.UserType(text);
    }
}

void SetCheck(CheckBox& box, const std::string& value) {
    if (value != "0" && value != "1" && value != "2") throw ScriptError(box.Name() + " takes 0, 1 or 2, not " + value);
    const auto wanted = static_cast<CheckState>(value[0] - '0');
    if (wanted == CheckState::Grayed) {
        box.SetValue(wanted);
        return;
    }
    // A greyed box needs two clicks to become unchecked.
    for (int i = 0; i < 2 && box.Value() != wanted; ++i) box.UserClick();
}

void SetDate(DatePicker& picker, const std::string& value) {
    if (value.empty()) {
        if (!picker.AllowEmpty()) throw ScriptError(picker.Name() + " cannot be empty");
        picker.UserSetValue(std::nullopt);
        return;
    }
    auto date = Date::Parse(value);
    if (!date) throw ScriptError(picker.Name() + ": " + value + " is no date (dd.mm.yyyy)");
    picker.UserFocus();
    picker.UserSetValue(*date);
}

}  // namespace

Control& FindControl(Form& form, const std::string& name) {
    auto dot = name.find('.');
    if (dot != std::string::npos) {
        const std::string child = name.substr(0, dot);
        for (Form* c : form.Children()) {
            if (c->InstanceName() == child) return FindControl(*c, name.substr(dot + 1));
        }
        throw ScriptError(form.Name() + " has no user control " + child);
    }
    Control* c = form.Find(KeyOf(name));
    if (c == nullptr) throw ScriptError(form.Name() + " has no control " + name);
    return *c;
}

void SetValue(Control& control, const std::string& value) {
    RequireUsable(control);
    switch (control.Kind()) {
        case ControlKind::TextBox: SetText(static_cast<TextBox&>(control), value); return;
        case ControlKind::CheckBox: SetCheck(static_cast<CheckBox&>(control), value); return;
        case ControlKind::OptionButton:
            if (value != "1") throw ScriptError(ScriptName(control) + ": an option button is cleared by setting another one");
            control.UserClick();
            return;
        case ControlKind::ComboBox: {
            auto& combo = static_cast<ComboBox&>(control);
            int index = combo.FindItem(value);
            if (index >= 0) {
                combo.UserFocus();
                combo.UserSelect(index);
            } else if (combo.Editable()) {
                combo.UserFocus();
                combo.UserType(value);
            } else {
                NoSuchEntry(control, value);
            }
            return;
        }
        case ControlKind::ListBox: {
            auto& list = static_cast<ListBox&>(control);
            int index = list.FindItem(value);
            if (index < 0) NoSuchEntry(control, value);
            list.UserFocus();
            list.UserSelect(index);
            return;
        }
        case ControlKind::ListView: {
            auto& list = static_cast<ListView&>(control);
            for (int row = 0; row < list.Count(); ++row) {
                if (list.Item(row).text == value) {
                    list.UserFocus();
                    list.UserSelect(row);
                    return;
                }
            }
            NoSuchEntry(control, value);
        }
        case ControlKind::DatePicker: SetDate(static_cast<DatePicker&>(control), value); return;
        case ControlKind::TabStrip: {
            auto& tabs = static_cast<TabStrip&>(control);
            for (int i = 0; i < tabs.TabCount(); ++i) {
                if (WithoutAmpersand(tabs.TabCaption(i)) == WithoutAmpersand(value)) {
                    tabs.UserSelect(i);
                    return;
                }
            }
            NoSuchEntry(control, value);
        }
        default: throw ScriptError(ScriptName(control) + " takes no value; click it instead");
    }
}

bool Leave(Control& control) { return control.UserLeave(); }

void Click(Control& control) {
    RequireUsable(control);
    control.UserClick();
}

void DoubleClick(Control& control) {
    RequireUsable(control);
    if (control.Kind() == ControlKind::ListView) {
        auto& list = static_cast<ListView&>(control);
        if (list.SelectedIndex() < 0) throw ScriptError(list.Name() + " has no selected row to double-click");
        list.UserDoubleClickRow(list.SelectedIndex());
        return;
    }
    control.UserDoubleClick();
}

void PressKey(Control& control, const std::string& key_name) {
    RequireUsable(control);
    if (key_name == "Up" || key_name == "Down") {
        const int step = key_name == "Up" ? -1 : 1;
        if (control.Kind() == ControlKind::ListView) {
            auto& list = static_cast<ListView&>(control);
            int row = list.SelectedIndex() + step;
            if (list.SelectedIndex() < 0) row = 0;
            if (row >= 0 && row < list.Count()) list.UserSelect(row);
        } else if (control.Kind() == ControlKind::ListBox || control.Kind() == ControlKind::ComboBox) {
            auto& list = static_cast<ListControl&>(control);
            int index = list.ListIndex() + step;
            if (list.ListIndex() < 0) index = 0;
            if (index >= 0 && index < list.ListCount()) list.UserSelect(index);
        }
        return;
    }
    int key = 0;
    if (key_name == "Enter") {
        key = 13;
    } else if (key_name == "Escape") {
        key = 27;
    } else if (key_name == "Tab") {
        key = 9;
    } else if (key_name == "Backspace") {
        key = 8;
    } else if (key_name.size() == 1) {
        key = static_cast<unsigned char>(key_name[0]);
    } else if (control.Kind() == ControlKind::TextBox && !key_name.empty() &&
               static_cast<unsigned char>(key_name[0]) >= 0x80) {
        // One character beyond ASCII (an umlaut): typed as text.
        static_cast<TextBox&>(control).UserType(key_name);
        return;
    } else {
        throw ScriptError("unknown key " + key_name + " (Enter, Escape, Tab, Backspace, Up, Down or one character)");
    }
    if (key == 9) {
        // Tab only moves the focus on; where to is the view's tab order, so here it just leaves.
        control.UserLeave();
        return;
    }
    const int left = control.UserKey(key);
    const bool multi_line = control.Kind() == ControlKind::TextBox && static_cast<TextBox&>(control).MultiLine();
    if ((left == 13 && !multi_line) || left == 27) control.Owner().UserKey(left);
}

std::string ValueText(const Control& control) {
    switch (control.Kind()) {
        case ControlKind::TextBox: return Escaped(static_cast<const TextBox&>(control).Text());
        case ControlKind::CheckBox:
            return std::to_string(static_cast<int>(static_cast<const CheckBox&>(control).Value()));
        case ControlKind::OptionButton: return static_cast<const OptionButton&>(control).Value() ? "1" : "0";
        case ControlKind::ComboBox:
        case ControlKind::ListBox: return static_cast<const ListControl&>(control).Text();
        case ControlKind::ListView: {
            const auto& list = static_cast<const ListView&>(control);
            return list.SelectedIndex() < 0 ? std::string() : list.Item(list.SelectedIndex()).text;
        }
        case ControlKind::DatePicker: {
            auto value = static_cast<const DatePicker&>(control).Value();
            return value ? value->Format("dd.mm.yyyy") : std::string();
        }
        case ControlKind::TabStrip: {
            const auto& tabs = static_cast<const TabStrip&>(control);
            return tabs.SelectedIndex() < 0 ? std::string() : tabs.TabCaption(tabs.SelectedIndex());
        }
        case ControlKind::ProgressBar: return std::to_string(static_cast<const ProgressBar&>(control).Value());
        case ControlKind::CommonDialog: return static_cast<const CommonDialog&>(control).FileName();
        default: return Escaped(control.Caption());
    }
}

namespace {

void DescribeInto(const Form& form, const std::string& prefix, std::vector<std::string>& lines) {
    for (const Control* c : form.Controls()) {
        const std::string name = prefix + ScriptName(*c);
        lines.push_back(name + "=" + ValueText(*c));
        if (!c->Enabled()) lines.push_back(name + ".enabled=0");
        if (!c->EffectivelyVisible()) lines.push_back(name + ".visible=0");
    }
    for (const Form* child : form.Children()) DescribeInto(*child, prefix + child->InstanceName() + ".", lines);
}

}  // namespace

std::vector<std::string> Describe(const Form& form) {
    std::vector<std::string> lines;
    DescribeInto(form, "", lines);
    return lines;
}

}  // namespace tlx4r::ui::script
