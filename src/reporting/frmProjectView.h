#pragma once

#include "reporting/ctlDateRange.h"
#include "reporting/frmExporter.h"
#include "ui/Controls.h"

#include <array>
#include <functional>
#include <string>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

// The project overview selection: which projects a project report lists (dates of opening,
// closing and billing, with or without client address or account), how they are grouped and
// sorted, and optionally an export of the chosen projects. Every change rebuilds the statement
// over Project, ProjectType, Department, Person and the accounting's accounts table, its
// description, and counts the rows the statement selects.
class frmProjectView : public ui::Form {
public:
    // Where the form reads its rows and which name the accounting's accounts table has in the
    // reporting database, both asked at each rebuild. Without a database nothing is counted (a
    // picture of the dialog).
    struct Source {
        std::function<db::Database*()> database;
        std::function<std::string()> accounts_table;
    };

    // with_export adds the "Export" tab (the host's option "EnableExporter").
    frmProjectView(Source source, bool with_export);

    // Sets DialogCanceled and shows the form modally.
    void Choose();
    bool DialogCanceled() const { return dialog_canceled_; }
    const std::string& SQL() const { return sql_; }
    // Without the "Auswahl: " of the label.
    const std::string& Description() const { return description_; }
    // The grouping table ("Person", "Department", "ProjectType") and its caption, both empty
    // without grouping or when one group value is selected.
    std::string GroupByField() const;
    std::string GroupByText() const;
    std::string GroupByValueName() const { return cbxSelect.Text(); }
    static std::string GroupByValueNull() { return "(ohne Zuordnung)"; }
    // The row count of the last rebuild; -1 when not counted.
    long long Count() const { return count_; }
    int TabCount() const { return tabOptions.TabCount(); }

    // The defaults: no grouping, sort by account ascending, no date filters, client and account
    // "Alle", the first tab, no export.
    void SetStandard();
    // Rebuilds statement, description and count (skipped while the form sets its own controls).
    void Rebuild();

    ui::TabStrip tabOptions{*this, "tabOptions"};
    ui::Frame fraOptions1{*this, "fraOptions", "Gruppieren / Sortieren", nullptr, 1};
    ui::Frame fraOptions2{*this, "fraOptions", "Eröffnung", nullptr, 2};
    ui::Frame fraOptions3{*this, "fraOptions", "Abschluss", nullptr, 3};
    ui::Frame fraOptions4{*this, "fraOptions", "Rechnung", nullptr, 4};
    ui::Frame fraOptions5{*this, "fraOptions", "Diverses", nullptr, 5};
    ui::Frame fraOptions6{*this, "fraOptions", "Export", nullptr, 6};

    ui::Frame fraGroup{*this, "fraGroup", "Gruppieren", &fraOptions1};
    ui::ControlArray<ui::OptionButton> optGroup{*this, "optGroup", {0, 1, 2, 3}, &fraGroup};
    ui::CheckBox chkSelect{*this, "chkSelect", "A&uswählen", &fraOptions1};
    ui::ComboBox cbxSelect{*this, "cbxSelect", &fraOptions1};
    ui::Frame fraSort{*this, "fraSort", "Sortieren", &fraOptions1};
    ui::ControlArray<ui::OptionButton> optOrder{*this, "optOrder", {0, 1, 2, 3, 4}, &fraSort};
    ui::CheckBox chkDesc{*this, "chkDesc", "Ab&steigend", &fraOptions1};

    ctlDateRange DateRange2{*this, "DateRange[2]"};
    ui::Label lblDate2{*this, "lblDate", "Datum der Eröffnung des Geschäfts", &fraOptions2, 2};
    ui::Frame fraDateEmpty2{*this, "fraDateEmpty", "Datum leer", &fraOptions2, 2};
    ui::CheckBox chkDateEmptyOnly2{*this, "chkDateEmptyOnly", "Nur Datum &leer", &fraDateEmpty2, 2};
    ui::CheckBox chkDateEmptyWithout2{*this, "chkDateEmptyWithout", "O&hne Datum leer", &fraDateEmpty2, 2};
    ctlDateRange DateRange3{*this, "DateRange[3]"};
    ui::Label lblDate3{*this, "lblDate", "Datum des Abschlusses des Geschäfts", &fraOptions3, 3};
    ui::Frame fraDateEmpty3{*this, "fraDateEmpty", "Datum leer", &fraOptions3, 3};
    ui::CheckBox chkDateEmptyOnly3{*this, "chkDateEmptyOnly", "Nur Datum &leer", &fraDateEmpty3, 3};
    ui::CheckBox chkDateEmptyWithout3{*this, "chkDateEmptyWithout", "O&hne Datum leer", &fraDateEmpty3, 3};
    ctlDateRange DateRange4{*this, "DateRange[4]"};
    ui::Label lblDate4{*this, "lblDate", "Datum der Rechnungsstellung über das Geschäft", &fraOptions4, 4};
    ui::Frame fraDateEmpty4{*this, "fraDateEmpty", "Datum leer", &fraOptions4, 4};
    ui::CheckBox chkDateEmptyOnly4{*this, "chkDateEmptyOnly", "Nur Datum &leer", &fraDateEmpty4, 4};
    ui::CheckBox chkDateEmptyWithout4{*this, "chkDateEmptyWithout", "O&hne Datum leer", &fraDateEmpty4, 4};

    ui::Frame fraFibu{*this, "fraFibu", "Fibu-Klientenkonto", &fraOptions5};
    ui::ControlArray<ui::OptionButton> optFibu{*this, "optFibu", {0, 1, 2}, &fraFibu};
    ui::Frame fraClient{*this, "fraClient", "Klienten-Adresse", &fraOptions5};
    ui::ControlArray<ui::OptionButton> optClient{*this, "optClient", {0, 1, 2}, &fraClient};

    ui::Frame fraExport{*this, "fraExport", "Datenexport", &fraOptions6};
    ui::CheckBox chkExport{*this, "chkExport", "Geschäfte e&xportieren", &fraExport};
    ui::CheckBox chkExportMakeOneFile{*this, "chkExportMakeOneFile", "Nur &eine Datei erstellen", &fraExport};
    ui::CheckBox chkExportClearBefore{*this, "chkExportClearBefore", "&Verzeichnis leeren", &fraExport};
    ui::Button btnFormats{*this, "btnFormats", "&Formate", &fraExport};
    ui::Label lblProjectExportFormats{*this, "lblProjectExportFormats", "", &fraExport};

    ui::Label lblDescription{*this, "lblDescription", ""};
    ui::Button btnStd{*this, "btnStd", "&Standard"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbruch"};

private:
    // The controls of one date tab (2, 3 or 4) and the project column it filters.
    struct DateTab {
        ui::Frame& frame;
        ctlDateRange& range;
        ui::CheckBox& empty_only;
        ui::CheckBox& empty_without;
        const char* field;
    };

    int Group() const;
    int Order() const;
    static const char* GroupTable(int group);
    std::string SortClause() const;
    void FillSelectList();
    void ShowTab(int index);
    void DateEmptyOnlyClicked(DateTab& tab);
    void ExportClicked();
    void FormatsClicked();
    void GroupClicked();
    void Export();

    Source source_;
    std::array<DateTab, 3> date_tabs_;
    frmExporter exporter_;
    std::string order_;
    std::string where_;
    std::string sql_;
    std::string description_;
    long long count_ = -1;
    bool busy_ = false;
    bool dialog_canceled_ = true;
};

}  // namespace tlx4r
