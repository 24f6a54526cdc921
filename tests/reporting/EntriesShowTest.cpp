#include "reporting/frmEntriesShow.h"

#include "reporting/ReportsDb.h"

namespace tlx4r::test {
namespace {

using ReportsShow = ReportsDb;

void Ok(ui::Form& f) { f.Get<ui::Button>("btnOk").UserClick(); }

TEST_F(ReportsShow, ListShowsTotalsHoursAndStopsAtTheMarkerRow) {
    std::vector<EntryRow> rows;
    for (int i = 1; i <= 1500; ++i) {
        EntryRow e;
        e.id = i;
        e.project = 1 + i % 3;
        e.person = 1;
        e.rec_type_text = "A  ";
        e.book_date = Date::FromYmd(2024, 5, 1 + i % 28);
        e.text = "Arbeit " + std::to_string(i);
        rows.push_back(e);
    }
    // The first entry: 1,250.00 charges + 96.25 VAT − 100 billed, 08:15 to 17:45 without break.
    rows[0].charges = *Currency::Parse("1250");
    rows[0].vat = *Currency::Parse("96.25");
    rows[0].billed = *Currency::Parse("100");
    rows[0].time_from = 8.25 / 24;
    rows[0].time_to = 17.75 / 24;
    rows[0].book_date = Date::FromYmd(2024, 4, 30);
    InsertEntries(rows);

    frmEntriesShow show;
    ui.OnForm("frmEntriesShow", [](ui::Form& f) {
        auto& list = f.Get<ui::ListView>("ListView1");
        ASSERT_EQ(list.Count(), 1000);
        const auto& first = list.Item(0);
        EXPECT_EQ(first.text, "1");
        EXPECT_EQ(first.sub_items,
                  (std::vector<std::string>{"MS", "30.04.2024", "A  ", "Arbeit 1", "1,246.25", "09:30", "",
                                            "1100.002", "Erbengemeinschaft Huber", "Max Sutter"}));
        EXPECT_EQ(list.CellText(1, 5), "");  // a zero total stays empty
        const auto& marker = list.Item(999);
        EXPECT_EQ(marker.text, "0");
        EXPECT_EQ(marker.sub_items[3], "hier maximal 1000 Einträge");
        EXPECT_EQ(marker.sub_items[0], "***");
        list.UserSelect(1);
        Ok(f);
    });
    // Sorted by date: entry 1 (30 April), then the entries of 1 May, the first being 28.
    EXPECT_EQ(show.ChooseEntry(false, false), std::optional<std::int32_t>(28));
    EXPECT_EQ(show.lblSelected.Caption(), "Sortiert: nach Datum / Archiviert: nein");

    // OK without a row: entry 0, not cancelled.
    ui.OnForm("frmEntriesShow", [](ui::Form& f) {
        f.Get<ui::ListView>("ListView1").SetSelectedIndex(-1);
        Ok(f);
    });
    show.Choose(false, false);
    EXPECT_FALSE(show.DialogCanceled());
    EXPECT_EQ(show.SelectedID(), 0);

    // "Letzte 100" through the selection dialog; cancelling it never shows the list.
    ui.OnForm("frmEntriesSelect", [](ui::Form& f) { f.Get<ui::Button>("btnCancel").UserClick(); });
    const auto shown = ui.ModalForms().size();
    EXPECT_EQ(show.ChooseEntry(true, true), std::nullopt);
    EXPECT_EQ(ui.ModalForms().size(), shown + 1);
    EXPECT_EQ(ui.ModalForms().back(), "frmEntriesSelect");

    ui.OnForm("frmEntriesSelect", Ok);
    ui.OnForm("frmEntriesShow", [this](ui::Form& f) {
        auto& list = f.Get<ui::ListView>("ListView1");
        EXPECT_EQ(list.Count(), 100);
        EXPECT_EQ(list.Item(0).text, "1500");
        // "Wählen" takes new criteria while the list stays open.
        ui.OnForm("frmEntriesSelect", [](ui::Form& s) {
            s.Get<ui::TabStrip>("tabSelect").UserSelect(1);
            s.Get<ui::Button>("btnSelectAll").UserClick();
            Ok(s);
        });
        f.Get<ui::Button>("btnSelect").UserClick();
        EXPECT_EQ(list.Count(), 1000);
        f.Get<ui::Button>("btnCancel").UserClick();
    });
    EXPECT_EQ(show.ChooseEntry(true, true), std::nullopt);
    EXPECT_EQ(show.SelectedID(), 0);
}

}  // namespace
}  // namespace tlx4r::test
