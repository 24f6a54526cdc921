#include "entries/frmTypeBaseChoose.h"

#include "core/modStringLibrary.h"
#include "entries/modChooserLayout.h"
#include "entries/modTypeBase.h"
#include "ui/Ui.h"

#include <string>

namespace tlx4r {

frmTypeBaseChoose::frmTypeBaseChoose() : ui::Form("frmTypeBaseChoose", "Eintragsarten") {
    ListView1.AddColumn("Kurz", 600);
    ListView1.AddColumn("Name", 2400);
    ListView1.SetFullRowSelect(true);
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    SetMinimumSize(ui::PixelsToTwips(300), ui::PixelsToTwips(260));
    SetSize(ui::PixelsToTwips(320), ui::PixelsToTwips(360));
    ListView1.DblClick = [this] { Accept(); };
    btnOk.Click = [this] { Accept(); };
    btnCancel.Click = [this] {
        result_ = 0;
        Hide();
    };
    btnStandard.Click = [this] {
        result_ = 1;
        Hide();
    };
    btnAll.Click = [this] {
        show_all_ = !show_all_;
        Fill(SelectedNumber());
    };
    QueryUnload = [this](bool&) { result_ = 0; };
    Resize = [this] { FitColumns(); };
    FitColumns();
}

bool frmTypeBaseChoose::Active(int number) const {
    const auto i = static_cast<std::size_t>(number - 1);
    return i < names_.size() && !Trim(names_[i]).empty();
}

void frmTypeBaseChoose::Load(const std::string& display_name, std::vector<std::string> names,
                             int init_value) {
    Form::EventScope scope(*this);
    SetCaption("Eintragsarten " + display_name + "  wählen");
    names_ = std::move(names);
    names_.resize(static_cast<std::size_t>(kTypeMax));
    show_all_ = init_value >= 1 && init_value <= kTypeMax && !Active(init_value);
    Fill(init_value);
}

void frmTypeBaseChoose::Fill(int select) {
    Form::EventScope scope(*this);
    // The caption names what the button switches to.
    btnAll.SetCaption(show_all_ ? "&Aktive" : "&Alle");
    ListView1.ClearRows();
    int selected = -1;
    for (int n = 1; n <= kTypeMax; ++n) {
        if (!show_all_ && !Active(n)) continue;
        const int row = ListView1.AddRow(
            {TypeCode(n), {names_[static_cast<std::size_t>(n - 1)]}, std::to_string(n), ""});
        if (n == select) selected = row;
    }
    if (selected < 0 && ListView1.Count() > 0) selected = 0;
    ListView1.SetSelectedIndex(selected);
    btnOk.SetEnabled(selected >= 0);
}

int frmTypeBaseChoose::SelectedNumber() const {
    const int row = ListView1.SelectedIndex();
    return row < 0 ? 0 : std::stoi(ListView1.Item(row).key);
}

void frmTypeBaseChoose::SetPosition(std::optional<int> left, std::optional<int> top) {
    Move(left.value_or(Left()), top.value_or(Top()));
}

int frmTypeBaseChoose::Choose() {
    result_ = 0;
    ListView1.SetFocus();
    Show(true);
    return result_;
}

void frmTypeBaseChoose::Accept() {
    const int number = SelectedNumber();
    if (number == 0) {
        ui::Current().Beep();
        return;
    }
    result_ = number;
    Hide();
}

void frmTypeBaseChoose::FitColumns() { ListColumnsFit(ListView1, Width(), {1, 4}); }

}  // namespace tlx4r
