#include "entries/frmEntryTextEdit.h"

namespace tlx4r {

namespace {

// Line breaks as the component stores them: a window's editor hands back bare LFs.
std::string CrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

}  // namespace

frmEntryTextEdit::frmEntryTextEdit() : ui::Form("frmEntryTextEdit", "Text bearbeiten") {
    txtText.SetMultiLine(true);
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    SetMinimumSize(ui::PixelsToTwips(300), ui::PixelsToTwips(160));
    SetSize(ui::PixelsToTwips(480), ui::PixelsToTwips(240));
    btnOk.Click = [this] {
        result_ = CrLf(txtText.Text());
        Hide();
    };
    btnCancel.Click = [this] {
        result_.reset();
        Hide();
    };
    QueryUnload = [this](bool&) { result_.reset(); };
}

void frmEntryTextEdit::SetPosition(std::optional<int> left, std::optional<int> top) {
    Move(left.value_or(Left()), top.value_or(Top()));
}

std::optional<std::string> frmEntryTextEdit::Choose(const std::string& text) {
    result_.reset();
    txtText.SetText(text);
    txtText.SetFocus();
    Show(true);
    return result_;
}

}  // namespace tlx4r
