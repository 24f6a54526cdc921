#include "host/TariffCalculator.h"

#include "core/modStringLibrary.h"
#include "types/AppError.h"
#include "ui/Ui.h"

#include <algorithm>

namespace tlx4r {

namespace {

const char kCaption[] = "Tarif";

Currency Francs(std::int64_t whole) { return Currency::FromInt(whole); }

}  // namespace

NotaryTariff NotaryTariff::Standard() {
    NotaryTariff t;
    t.brackets = {
        {Francs(100'000), 0.005},    // 5 per mille of the first 100,000
        {Francs(500'000), 0.003},    // 3 per mille of the next 400,000
        {Francs(1'000'000), 0.002},  // 2 per mille of the next 500,000
        {Francs(5'000'000), 0.001},  // 1 per mille of the next 4,000,000
        {Currency(), 0.0005},        // 0.5 per mille of the rest
    };
    t.minimum = Francs(150);
    t.maximum = Francs(25'000);
    t.step = Currency::FromUnits(500);  // 0.05
    return t;
}

Currency NotaryTariff::Fee(Currency base) const {
    if (base < Currency()) {
        throw AppError(5, kCaption, "Die Bemessungsgrundlage darf nicht negativ sein.");
    }
    Currency fee;
    Currency lower;
    for (std::size_t i = 0; i < brackets.size(); ++i) {
        bool open = i + 1 == brackets.size();
        Currency upper = open ? base : std::min(base, brackets[i].up_to);
        if (upper > lower) fee += (upper - lower).MulRound(brackets[i].rate);
        if (!open && base <= brackets[i].up_to) break;
        lower = upper;
    }
    return std::clamp(fee, minimum, maximum).RoundTo(step);
}

TariffCalculator::TariffCalculator(NotaryTariff tariff) : tariff_(std::move(tariff)) {}

void TariffCalculator::SetFee(Currency fee) { fee_ = fee; }

bool TariffCalculator::Show(std::optional<Date> date) {
    if (terminated_) throw AppError(91, kCaption, "Der Tarifrechner ist bereits beendet.");
    std::string prompt = "Bemessungsgrundlage CHF";
    if (date && !date->IsNull()) prompt += " (Tarif am " + date->Format("dd.mm.yyyy") + ")";
    if (!fee_.IsZero()) prompt += "\r\nBisherige Gebühr: CHF " + fee_.Format();
    std::string proposal = base_.IsZero() ? std::string() : base_.Format(2, false);

    while (true) {
        auto answer = ui::Current().InputBox(prompt, kCaption, proposal);
        if (!answer || Trim(*answer).empty()) return false;
        auto base = Currency::Parse(*answer);
        if (!base || *base < Currency()) {
            ui::MsgBox(!base ? "'" + *answer + "' ist kein gültiger Betrag."
                             : "Die Bemessungsgrundlage darf nicht negativ sein.",
                       ui::Buttons::Ok, ui::Icon::Exclamation, kCaption);
            proposal = *answer;
            continue;
        }
        Currency fee = tariff_.Fee(*base);
        auto accept = ui::MsgBox("Bemessungsgrundlage CHF " + base->Format() + "\r\nGebühr CHF " +
                                     fee.Format() + "\r\n\r\nGebühr übernehmen?",
                                 ui::Buttons::YesNo, ui::Icon::Question, kCaption);
        if (accept != ui::Answer::Yes) return false;
        base_ = *base;
        fee_ = fee;
        return true;
    }
}

}  // namespace tlx4r
