#pragma once

#include "ui/Control.h"

#include <cstddef>
#include <string>

namespace tlx4r::ui {

// A text box, single or multi-line. Positions and lengths of the selection count characters.
// Setting Text fires Change, as typing does.
class TextBox : public Control {
public:
    TextBox(Form& form, std::string name, Frame* container = nullptr)
        : Control(form, ControlKind::TextBox, std::move(name), -1, container) {}

    const std::string& Text() const { return text_; }
    // Puts the caret at the end; fires Change when the text differs.
    void SetText(std::string text);

    bool MultiLine() const { return multi_line_; }
    void SetMultiLine(bool value);
    // A locked box shows its text but the user cannot change it.
    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool value);
    // 0 = no limit; longer texts are cut when typed, not when set by the program.
    std::size_t MaxLength() const { return max_length_; }
    void SetMaxLength(std::size_t characters);

    std::size_t SelStart() const { return sel_start_; }
    std::size_t SelLength() const { return sel_length_; }
    // Clipped to the text.
    void SetSelection(std::size_t start, std::size_t length);
    void SelectAll();
    std::string SelText() const;

    // The user types text: each character goes through KeyPress and replaces the selection.
    void UserType(const std::string& text);
    // The user replaces the whole text at once (pasting over a selected text, a view's edit
    // signal): KeyPress is bypassed as pasting bypasses it.
    void UserSetText(const std::string& text);

protected:
    void ApplyKey(int key_ascii) override;

private:
    void Insert(const std::string& piece);
    std::string text_;
    bool multi_line_ = false;
    bool read_only_ = false;
    std::size_t max_length_ = 0;
    std::size_t sel_start_ = 0;
    std::size_t sel_length_ = 0;
};

}  // namespace tlx4r::ui
