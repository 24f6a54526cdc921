#include "qt/EntrySamples.h"

#include "entries/frmEntry.h"

namespace tlx4r::qt {

namespace {

std::unique_ptr<ui::Form> Sample(int type, void (*fill)(Entry&)) {
    auto form = std::make_unique<frmEntry>(nullptr);
    auto entry = std::make_shared<Entry>();
    entry->ClearData();
    entry->SetRecType(type);
    entry->BookDate = Date::FromYmd(2026, 11, 23);
    fill(*entry);
    form->SetEntry(entry);
    form->Load();
    // No database behind a sample: the names the choosers would have set.
    form->txtProject.SetText("1020  Muster Immobilien AG, Zürich");
    form->txtPerson.SetText("Dr. Anna Keller");
    form->txtID.SetText("4711");
    form->lblReporting.SetCaption("/home/anna/Dokumente/Kanzlei/Kanzlei.tdb4r");
    form->lblFinance.SetCaption("/home/anna/Dokumente/Kanzlei/Kanzlei.tdb4f");
    return form;
}

Currency Chf(std::int64_t francs, std::int64_t rappen = 0) {
    return Currency::FromInt(francs) + Currency::FromUnits(rappen * 100);
}

}  // namespace

const std::vector<EntrySample>& EntrySamples() {
    static const std::vector<EntrySample> samples{
        {"frmEntry",
         [] {
             return Sample(Entry::kWork, [](Entry& e) {
                 e.Text = "Besprechung Kaufvertrag mit Klientin";
                 e.TimeFrom = Date::FromTime(8, 0);
                 e.TimeTo = Date::FromTime(12, 15);
                 e.TimeBreak = Date::FromTime(0, 15);
                 e.Rate = Chf(120);
                 e.Charges = Chf(480);
             });
         }},
        {"frmEntry-Gebuehren",
         [] {
             return Sample(Entry::kCharges, [](Entry& e) {
                 e.Text = "3 x Beglaubigung einer Unterschrift";
                 e.Charges = Chf(60);
                 e.Expenses = Chf(4, 50);
                 e.IsBaseCharge = true;
             });
         }},
        {"frmEntry-Rechnung",
         [] {
             return Sample(Entry::kInvoice, [](Entry& e) {
                 e.Text = "Rechnung Nr. 2026-118";
                 e.Billed = Chf(2584, 35);
             });
         }},
        {"frmEntry-Termin",
         [] {
             return Sample(Entry::kMeeting, [](Entry& e) {
                 e.Text = "Beurkundung im Grundbuchamt";
                 e.TimeFrom = Date::FromTime(14, 30);
                 e.TimeTo = Date::FromTime(15, 45);
             });
         }},
        {"frmEntry-Dokument",
         [] {
             return Sample(Entry::kDocument, [](Entry& e) {
                 e.Text = "Kaufvertrag_Entwurf_3.odt";
                 e.DocLink = "/home/anna/Dokumente/Kanzlei/1020/Kaufvertrag_Entwurf_3.odt";
             });
         }},
        {"frmEntry-Notariatstarif",
         [] {
             return Sample(Entry::kNotary, [](Entry& e) {
                 e.Text = "Bemessungsgrundlage CHF 1,250,000.00";
                 e.Charges = Chf(3350);
                 e.IsBaseCharge = true;
             });
         }},
        {"frmEntry-Mehrwertsteuer",
         [] {
             return Sample(Entry::kVat, [](Entry& e) {
                 e.Text = "MWST 8.10% auf 2,390.70 = 193.65";
                 e.CalcValue2 = Chf(2390, 70);
                 e.CalcValue1 = Currency::FromUnits(810);
                 e.VAT = Chf(193, 65);
             });
         }},
    };
    return samples;
}

}  // namespace tlx4r::qt
