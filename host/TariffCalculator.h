#pragma once

#include "hostapi/Calculator.h"
#include "types/Currency.h"
#include "types/Date.h"

#include <optional>
#include <string>
#include <vector>

namespace tlx4r {

// A notary tariff: the fee for a deed grows with its assessment base by brackets, each part of
// the base taxed at its bracket's rate (like an income tax scale), then held between a minimum
// and a maximum and rounded to the rappen step. docs/host.md shows the scale with an example.
struct NotaryTariff {
    struct Bracket {
        Currency up_to;  // the bracket's upper bound; the last bracket is open (its bound ignored)
        double rate;     // per franc of base within the bracket, e.g. 0.005 for 5 per mille
    };
    std::vector<Bracket> brackets;  // ascending
    Currency minimum;
    Currency maximum;
    Currency step;  // the fee is rounded half-to-even to a multiple of this

    // The host's scale.
    static NotaryTariff Standard();
    // The fee for a base; throws AppError (source "Tarif") for a negative base.
    Currency Fee(Currency base) const;
};

// The host's tariff calculator: asks for the assessment base, shows the fee of the tariff and
// hands it over when the user accepts it. All dialogs go through the Ui service.
class TariffCalculator : public hostapi::Calculator {
public:
    explicit TariffCalculator(NotaryTariff tariff = NotaryTariff::Standard());

    void SetFee(Currency fee) override;
    // One tariff applies at every date, so date only labels the dialog.
    bool Show(std::optional<Date> date = std::nullopt) override;
    Currency Fee() const override { return fee_; }
    Currency AssessmentBase() const override { return base_; }
    void Terminate() override { terminated_ = true; }

    const NotaryTariff& Tariff() const { return tariff_; }

private:
    NotaryTariff tariff_;
    Currency fee_;
    Currency base_;
    bool terminated_ = false;
};

}  // namespace tlx4r
