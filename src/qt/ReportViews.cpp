#include "qt/ReportViews.h"

#include "qt/EntriesRangeView.h"
#include "qt/EntriesSelectView.h"
#include "qt/EntriesShowView.h"
#include "qt/ExporterView.h"
#include "qt/ItemSelectView.h"
#include "qt/ProjectOverviewView.h"
#include "qt/ProjectSelectView.h"
#include "qt/ViewRegistry.h"
#include "reporting/frmEntriesRange.h"
#include "reporting/frmEntriesSelect.h"
#include "reporting/frmEntriesShow.h"
#include "reporting/frmExporter.h"
#include "reporting/frmItemSelect.h"
#include "reporting/frmProjectSelect.h"
#include "reporting/frmProjectView.h"

namespace tlx4r::qt {

namespace {

template <class View, class Form>
ViewRegistry::ViewFactory ViewOf() {
    return [](ui::Form& form) -> QWidget* { return new View(dynamic_cast<Form&>(form)); };
}

}  // namespace

void RegisterReportViews(ViewRegistry& registry) {
    registry.Register("frmEntriesSelect", ViewOf<EntriesSelectView, frmEntriesSelect>(), [] {
        auto form = std::make_unique<frmEntriesSelect>();
        form->SetTypeStd();
        form->txtTextSearch.SetText("Besprechung");
        form->DateRange.SetQuarter(2024, 2, 0);
        form->tabSelect.SetSelectedIndex(3);
        return form;
    });
    registry.Register("frmEntriesShow", ViewOf<EntriesShowView, frmEntriesShow>(), [] {
        auto form = std::make_unique<frmEntriesShow>();
        const std::vector<std::vector<std::string>> rows{
            {"1041", "MS", "02.04.2024", "A  ", "Besprechung Kaufvertrag", "675.00", "02:15", "300.00", "1100.001",
             "Bachmann Immobilien AG", "Max Sutter"},
            {"1042", "AK", "03.04.2024", "G  ", "Beurkundung", "1,250.00", "", "", "1100.002",
             "Erbengemeinschaft Huber", "Anna Keller"},
            {"1043", "MS", "05.04.2024", "M  ", "Mehrwertsteuer 8.1%", "155.35", "", "", "1100.002",
             "Erbengemeinschaft Huber", "Max Sutter"},
        };
        for (const auto& r : rows) {
            ui::ListView::Row row;
            row.text = r[0];
            row.sub_items.assign(r.begin() + 1, r.end());
            form->ListView1.AddRow(std::move(row));
        }
        form->ListView1.SetSelectedIndex(0);
        form->lblSelected.SetCaption("Sortiert: nach Datum / Eintragsarten: GRANM / Archiviert: nein");
        return form;
    });
    registry.Register("frmEntriesRange", ViewOf<EntriesRangeView, frmEntriesRange>(), [] {
        auto form = std::make_unique<frmEntriesRange>();
        form->fraTopic.SetCaption("Geschäft");
        form->lblItem.SetCaption("1100.001 Bachmann Immobilien AG");
        form->SetCaption("Einträge für Arbeitsrapport wählen");
        form->DateRange.SetMonth(2024, 3, 0);
        return form;
    });
    registry.Register("frmProjectView", ViewOf<ProjectOverviewView, frmProjectView>(), [] {
        // No database: nothing to count, the statement is still built.
        return std::make_unique<frmProjectView>(frmProjectView::Source{}, true);
    });
    registry.Register("frmItemSelect", ViewOf<ItemSelectView, frmItemSelect>(), [] {
        auto form = std::make_unique<frmItemSelect>();
        form->SetCaption("Einträge nach Person");
        form->lblSelect.SetCaption("&Auswahl Person:");
        for (const char* item : {"*  Alle", "0  (nicht zugeordnet)", "1   Max Sutter", "2   Anna Keller"})
            form->cbxSelect.AddItem(item);
        form->cbxSelect.SetListIndex(2);
        return form;
    });
    registry.Register("frmProjectSelect", ViewOf<ProjectSelectView, frmProjectSelect>(),
                      [] { return std::make_unique<frmProjectSelect>(); });
    registry.Register("frmExporter", ViewOf<ExporterView, frmExporter>(), [] {
        auto form = std::make_unique<frmExporter>();
        form->SetFormats("XML;CSV");
        return form;
    });
}

}  // namespace tlx4r::qt
