#include "entries/frmEntryTypeChoose.h"

#include "entries/EntryTypes.h"
#include "entries/modChooserLayout.h"
#include "ui/Ui.h"

#include <string>

namespace tlx4r {

frmEntryTypeChoose::frmEntryTypeChoose() : ui::Form("frmEntryTypeChoose", "Eintragsarten") {
    ListView1.AddColumn("Kurz", 600);
    ListView1.AddColumn("Name", 2400);
    ListView1.SetFullRowSelect(true);
    for (int type = 1; type <= EntryTypes::kCount; ++type) {
        ListView1.AddRow({EntryTypes::EntryCode(type),
                          {EntryTypes::EntryTopic(type)},
                          std::to_string(type),
                          ""});
    }
    ListView1.SetSelectedIndex(0);
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    SetMinimumSize(ui::PixelsToTwips(240), ui::PixelsToTwips(230));
    SetSize(ui::PixelsToTwips(260), ui::PixelsToTwips(250));
    ListView1.DblClick = [this] { Accept(); };
    btnOk.Click = [this] { Accept(); };
    btnCancel.Click = [this] {
        result_ = EntryTypes::kNone;
        Hide();
    };
    QueryUnload = [this](bool&) { result_ = EntryTypes::kNone; };
    Resize = [this] { FitColumns(); };
    FitColumns();
}

void frmEntryTypeChoose::SetInitValue(int init_value) {
    const int row = ListView1.FindKey(std::to_string(init_value));
    ListView1.SetSelectedIndex(row >= 0 ? row : 0);
}

void frmEntryTypeChoose::SetPosition(std::optional<int> left, std::optional<int> top) {
    Move(left.value_or(Left()), top.value_or(Top()));
}

int frmEntryTypeChoose::Choose() {
    result_ = EntryTypes::kNone;
    ListView1.SetFocus();
    Show(true);
    return result_;
}

void frmEntryTypeChoose::Accept() {
    const int row = ListView1.SelectedIndex();
    if (row < 0) {
        ui::Current().Beep();
        return;
    }
    result_ = std::stoi(ListView1.Item(row).key);
    Hide();
}

void frmEntryTypeChoose::FitColumns() { ListColumnsFit(ListView1, Width(), {1, 4}); }

}  // namespace tlx4r
