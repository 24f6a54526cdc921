#pragma once

#include "types/Currency.h"

#include <cstdint>
#include <string>

namespace tlx4r {

// One row of a lookup table (department, project type, person or template) in memory, carrying
// the configuration of the table it came from. Which of the values mean anything depends on that
// configuration: templates use the charges, expenses and their categories, the others the rate,
// persons the short name besides.
class Data {
public:
    std::string Flavor = "Data";
    std::string FlavorText = "Data";
    bool WithNameShort = false;
    bool WithChargesAndExpenses = false;

    std::int32_t ID = 0;
    std::string NameFull;
    std::string NameShort;
    Currency Rate;
    Currency Charges;
    Currency Expenses;
    std::int32_t TypeCharges = 0;
    std::int32_t TypeExpenses = 0;

    // The one-line form for lists and text boxes, always beginning with the ID:
    // "0 (nicht zugeordnet)", "4 (MS) Max Sutter", "7 Notariat".
    std::string Topic() const;
    // Empties names and amounts; the ID and the categories stay.
    void Clear();

    // The export view: 5 items, 6 with a short name, 7 with charges and expenses; index 1-based.
    // An index outside the items gives "".
    int ExportCount() const;
    std::string ExportField(int index) const;  // Flavor + "_" + name, e.g. "Person_ID"
    std::string ExportDesc(int index) const;   // FlavorText + ": " + description
    std::string ExportValue(int index) const;
};

}  // namespace tlx4r
