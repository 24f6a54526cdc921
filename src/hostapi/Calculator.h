#pragma once

#include "types/Currency.h"
#include "types/Date.h"

#include <optional>

namespace tlx4r::hostapi {

// The host's tariff calculator: the entry form hands it the fee it has, shows it, and on
// acceptance takes back the calculated fee and the assessment base it was calculated from.
class Calculator {
public:
    virtual ~Calculator() = default;

    // The fee the caller has so far; it is what Fee() gives when the user does not accept a result.
    virtual void SetFee(Currency fee) = 0;
    // Shows the calculator for the tariff in force on date (today without one). True iff the user
    // accepted a result; then Fee() and AssessmentBase() hold it. Errors of the calculation throw
    // AppError, whose description is meant for the user.
    virtual bool Show(std::optional<Date> date = std::nullopt) = 0;
    virtual Currency Fee() const = 0;
    virtual Currency AssessmentBase() const = 0;
    // Releases what Show() holds (dialogs, files); the component calls it once before it lets the
    // calculator go. A terminated calculator may not be shown again.
    virtual void Terminate() = 0;
};

}  // namespace tlx4r::hostapi
