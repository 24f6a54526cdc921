#include "masterdata/Data.h"

#include "core/modStringLibrary.h"

#include <array>

namespace tlx4r {

namespace {

struct ExportItem {
    const char* name;
    const char* desc;
};

constexpr std::array<ExportItem, 5> kCommonItems{{
    {"ID", "ID"},
    {"Flavor", "Tabelle"},
    {"FlavorText", "Art"},
    {"NameFull", "Name/Bezeichnung"},
    {"Rate", "Ansatz"},
}};
constexpr std::array<ExportItem, 2> kChargeItems{{{"Charges", "Gebühren"}, {"Expenses", "Auslagen"}}};
constexpr ExportItem kNameShortItem{"NameShort", "Kurzname"};

}  // namespace

std::string Data::Topic() const {
    std::string topic = std::to_string(ID);
    if (ID == 0) return topic + " (nicht zugeordnet)";
    if (WithNameShort) {
        const std::string short_name = Trim(NameShort);
        if (!short_name.empty()) topic += " (" + short_name + ")";
    }
    const std::string full = Trim(NameFull);
    if (!full.empty()) topic += " " + full;
    return topic;
}

void Data::Clear() {
    NameFull.clear();
    NameShort.clear();
    Rate = Currency();
    Charges = Currency();
    Expenses = Currency();
}

int Data::ExportCount() const {
    if (WithChargesAndExpenses) return 7;
    return WithNameShort ? 6 : 5;
}

namespace {

// The item of a row of the given configuration; nullptr outside the items.
const ExportItem* ItemOf(const Data& d, int index) {
    if (index < 1 || index > d.ExportCount()) return nullptr;
    if (index <= 5) return &kCommonItems[static_cast<std::size_t>(index - 1)];
    if (d.WithChargesAndExpenses) return &kChargeItems[static_cast<std::size_t>(index - 6)];
    return &kNameShortItem;
}

}  // namespace

std::string Data::ExportField(int index) const {
    const ExportItem* item = ItemOf(*this, index);
    return item ? Flavor + "_" + item->name : std::string();
}

std::string Data::ExportDesc(int index) const {
    const ExportItem* item = ItemOf(*this, index);
    return item ? FlavorText + ": " + item->desc : std::string();
}

std::string Data::ExportValue(int index) const {
    if (ItemOf(*this, index) == nullptr) return {};
    switch (index) {
        case 1: return std::to_string(ID);
        case 2: return Flavor;
        case 3: return FlavorText;
        case 4: return NameFull;
        case 5: return AmountFormat(Rate);
        case 6: return WithChargesAndExpenses ? AmountFormat(Charges) : NameShort;
        default: return AmountFormat(Expenses);
    }
}

}  // namespace tlx4r
