#include "masterdata/frmData.h"

#include "core/Reporting.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "core/modValidate.h"
#include "entries/TypeCharges.h"
#include "entries/TypeExpenses.h"
#include "entries/modTypeBase.h"

namespace tlx4r {

namespace {

// The amounts in the boxes: empty for 0, so that a template without charges shows nothing.
std::string AmountText(Currency amount) { return amount.IsZero() ? std::string() : AmountFormat(amount); }

}  // namespace

frmData::frmData() : ui::Form("frmData", "Data") {
    txtID.SetReadOnly(true);
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    SetMinimumSize(ui::PixelsToTwips(360), ui::PixelsToTwips(180));
    AmountBox(txtRate, &Data::Rate);
    AmountBox(txtCharges, &Data::Charges);
    AmountBox(txtExpenses, &Data::Expenses);
    txtNameFull.GotFocus = [this] { txtNameFull.SelectAll(); };
    txtNameShort.GotFocus = [this] { txtNameShort.SelectAll(); };
    btnCharges.Click = [this] { ChooseType(true); };
    btnExpenses.Click = [this] { ChooseType(false); };
    btnOk.Click = [this] {
        canceled_ = false;
        Hide();
    };
    btnCancel.Click = [this] {
        canceled_ = true;
        Hide();
    };
    QueryUnload = [this](bool&) { canceled_ = true; };
}

void frmData::AmountBox(ui::TextBox& box, Currency Data::*field) {
    box.KeyPress = [](int& key) { key = KeyFilterNumber(key); };
    box.GotFocus = [&box] { box.SelectAll(); };
    box.Validate = [this, &box, field](bool& cancel) {
        const std::string text = ValidateAmountOrEmpty(box.Text(), data_.*field, cancel);
        box.SetText(text);
        box.SelectAll();
    };
}

void frmData::ChooseType(bool charges) {
    std::int32_t& type = charges ? type_charges_ : type_expenses_;
    TypeBase* catalogue = nullptr;
    if (goReporting != nullptr) {
        catalogue = charges ? static_cast<TypeBase*>(goReporting->TypeCharges())
                            : static_cast<TypeBase*>(goReporting->TypeExpenses());
    }
    if (catalogue == nullptr) return;
    // Next to the button, at its right edge.
    const ui::Button& button = charges ? btnCharges : btnExpenses;
    const std::int32_t chosen =
        catalogue->Choose(type, Left() + button.Left() + button.Width(), Top() + button.Top());
    if (chosen > 0) type = chosen;
    SetTypeButtons();
    (charges ? txtCharges : txtExpenses).SetFocus();
}

void frmData::SetTypeButtons() {
    const auto caption = [](const char* base, std::int32_t type) {
        std::string text = base;
        if (type > 1) text += "-" + TypeCode(type);
        return text;
    };
    btnCharges.SetCaption(caption("Gebühren", type_charges_));
    btnExpenses.SetCaption(caption("Auslagen", type_expenses_));
}

bool frmData::Edit(Data& data, const std::string& caption) {
    data_ = data;
    SetCaption(caption);
    const bool amounts = data.WithChargesAndExpenses;
    lblNameShort.SetVisible(data.WithNameShort);
    txtNameShort.SetVisible(data.WithNameShort);
    lblRate.SetVisible(!amounts);
    txtRate.SetVisible(!amounts);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&btnCharges, &txtCharges, &btnExpenses, &txtExpenses})
        c->SetVisible(amounts);
    txtID.SetText(std::to_string(data.ID));
    txtNameFull.SetText(data.NameFull);
    txtNameShort.SetText(data.NameShort);
    txtRate.SetText(AmountText(data.Rate));
    txtCharges.SetText(AmountText(data.Charges));
    txtExpenses.SetText(AmountText(data.Expenses));
    type_charges_ = data.TypeCharges;
    type_expenses_ = data.TypeExpenses;
    SetTypeButtons();
    canceled_ = true;
    txtNameFull.SetFocus();
    txtNameFull.SelectAll();
    Show(true);
    if (canceled_) return false;
    data.NameFull = Trim(txtNameFull.Text());
    data.NameShort = Trim(txtNameShort.Text());
    data.Rate = AmountFromText(txtRate.Text());
    data.Charges = AmountFromText(txtCharges.Text());
    data.Expenses = AmountFromText(txtExpenses.Text());
    data.TypeCharges = type_charges_;
    data.TypeExpenses = type_expenses_;
    return true;
}

}  // namespace tlx4r
