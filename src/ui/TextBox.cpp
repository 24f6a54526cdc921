#include "ui/TextBox.h"

#include "types/Utf8.h"
#include "ui/Form.h"

#include <algorithm>

namespace tlx4r::ui {

void TextBox::SetText(std::string text) {
    sel_start_ = utf8::Length(text);
    sel_length_ = 0;
    if (text == text_) return;
    text_ = std::move(text);
    Touch();
    Fire(Change);
}

void TextBox::SetMultiLine(bool value) {
    multi_line_ = value;
    Touch();
}

void TextBox::SetReadOnly(bool value) {
    read_only_ = value;
    Touch();
}

void TextBox::SetMaxLength(std::size_t characters) {
    max_length_ = characters;
    Touch();
}

void TextBox::SetSelection(std::size_t start, std::size_t length) {
    std::size_t size = utf8::Length(text_);
    sel_start_ = std::min(start, size);
    sel_length_ = std::min(length, size - sel_start_);
    Touch();
}

void TextBox::SelectAll() { SetSelection(0, utf8::Length(text_)); }

std::string TextBox::SelText() const { return utf8::Sub(text_, sel_start_, sel_length_); }

void TextBox::UserType(const std::string& text) {
    if (!CanUse()) return;
    Form::EventScope scope(Owner());
    if (!UserFocus()) return;
    for (char32_t c : utf8::Decode(text)) {
        // Keys beyond the old single-byte range cannot be filtered as character codes; they
        // reach the box unchanged.
        if (c > 0xFF) {
            std::string piece;
            utf8::Append(piece, c);
            if (!read_only_) Insert(piece);
            continue;
        }
        UserKey(static_cast<int>(c));
        // A swallowed key drops only itself; a handler that moved the focus ends the typing.
        if (!HasFocus()) return;
    }
}

void TextBox::UserSetText(const std::string& text) {
    if (!CanUse() || read_only_) return;
    Form::EventScope scope(Owner());
    if (!UserFocus()) return;
    std::string cut = max_length_ > 0 ? utf8::Sub(text, 0, max_length_) : text;
    SetText(std::move(cut));
}

void TextBox::ApplyKey(int key_ascii) {
    if (read_only_) return;
    if (key_ascii == 8) {  // backspace
        if (sel_length_ == 0 && sel_start_ > 0) {
            --sel_start_;
            sel_length_ = 1;
        }
        Insert({});
        return;
    }
    if (key_ascii == 13 || key_ascii == 10) {
        if (multi_line_) Insert("\r\n");
        return;
    }
    if (key_ascii < 32) return;
    std::string piece;
    utf8::Append(piece, static_cast<char32_t>(key_ascii));
    Insert(piece);
}

void TextBox::Insert(const std::string& piece) {
    std::string before = utf8::Sub(text_, 0, sel_start_);
    std::string after = utf8::Sub(text_, sel_start_ + sel_length_);
    std::size_t room = piece.size();
    std::string typed = piece;
    if (max_length_ > 0) {
        std::size_t used = utf8::Length(before) + utf8::Length(after);
        room = used >= max_length_ ? 0 : max_length_ - used;
        typed = utf8::Sub(piece, 0, room);
    }
    if (typed.empty() && sel_length_ == 0) return;
    std::size_t caret = sel_start_ + utf8::Length(typed);
    std::string text = before + typed + after;
    if (text != text_) {
        text_ = std::move(text);
        sel_start_ = caret;
        sel_length_ = 0;
        Touch();
        Fire(Change);
    } else {
        sel_start_ = caret;
        sel_length_ = 0;
    }
}

}  // namespace tlx4r::ui
