#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tlx4r::ui {
class Control;
class Form;
}  // namespace tlx4r::ui

// Acting on a form as a user would, with controls named and values written as text: what a
// line of a dialog script does. The tests' scripts and the command-line player share it.
namespace tlx4r::ui::script {

// A script asked for something the form cannot do: a control it lacks, a value that does not
// fit the control, a control the user could not reach.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The control named as a script names it: "txtText", "optText(2)" (or "optText[2]") for an
// element of a control array, "ctlDateRange1.txtYear" for a control of an embedded user
// control. Throws ScriptError when the form has none.
Control& FindControl(Form& form, const std::string& name);

// "set": a text box gets the text typed in (replacing its text, each character through the
// box's key filter; "\n" stands for a line break), a list, combo box or tab strip picks the
// entry with that text (a report list the row whose first column has it), a check box takes
// 0, 1 or 2, an option button 1, a date picker dd.mm.yyyy ("" clears it where allowed).
void SetValue(Control& control, const std::string& value);
// "leave": the user moves the focus away; false when the control keeps it (its check refused).
bool Leave(Control& control);
// "click", "dblclick" (on a report list: the selected row).
void Click(Control& control);
void DoubleClick(Control& control);
// "key": Enter, Escape, Tab, Backspace, Up, Down, or one character. Enter and Escape that the
// control does not take reach the form's default or cancel button.
void PressKey(Control& control, const std::string& key_name);

// "show": the form's controls (and those of its embedded user controls) as "NAME=VALUE" lines,
// with "NAME.enabled=0" / "NAME.visible=0" after a control only where it is disabled or hidden.
std::vector<std::string> Describe(const Form& form);
// A control's value as Describe shows it (line breaks as "\n").
std::string ValueText(const Control& control);

}  // namespace tlx4r::ui::script
