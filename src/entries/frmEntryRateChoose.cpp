#include "entries/frmEntryRateChoose.h"

#include "core/Reporting.h"
#include "core/modReporting.h"
#include "entries/Entry.h"
#include "entries/modChooserLayout.h"
#include "entries/modVat.h"
#include "masterdata/Data.h"
#include "masterdata/Datas.h"
#include "masterdata/Project.h"
#include "ui/Ui.h"

#include <exception>

namespace tlx4r {

namespace {

const char* const kMissing = "(fehlt)";

frmEntryRateChoose::Row DataRow(std::string origin, const Data& data) {
    if (data.ID == 0) return {std::move(origin), kMissing, std::nullopt};
    return {std::move(origin), data.NameFull, data.Rate};
}

// The default person of the Persons table; a row with ID 0 when there is none or no options.
Data DefaultPerson() {
    Datas* persons = goReporting != nullptr ? goReporting->Persons() : nullptr;
    if (persons == nullptr) return Data();
    try {
        const std::int32_t id = persons->DefaultID();
        return id > 0 ? persons->Item(id) : Data();
    } catch (const std::exception&) {
        return Data();  // no options store: no default person
    }
}

}  // namespace

frmEntryRateChoose::frmEntryRateChoose() : ui::Form("frmEntryRateChoose", "Ansatz") {
    ListView1.AddColumn("Herkunft", 2200);
    ListView1.AddColumn("Name", 2600);
    ListView1.AddColumn("Ansatz", 1100, ui::Alignment::Right);
    ListView1.SetFullRowSelect(true);
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    SetMinimumSize(ui::PixelsToTwips(380), ui::PixelsToTwips(230));
    SetSize(ui::PixelsToTwips(540), ui::PixelsToTwips(250));
    ListView1.DblClick = [this] { Accept(); };
    btnOk.Click = [this] { Accept(); };
    btnCancel.Click = [this] {
        result_.reset();
        Hide();
    };
    QueryUnload = [this](bool&) { result_.reset(); };
    Resize = [this] { FitColumns(); };
    FitColumns();
}

std::vector<frmEntryRateChoose::Row> frmEntryRateChoose::Rows(const Entry& entry,
                                                              Currency current_rate) {
    std::vector<Row> rows;
    rows.push_back({"(keine Änderung)", "", current_rate});
    rows.push_back(DataRow("Benutzer (Standard)", DefaultPerson()));
    rows.push_back(DataRow("Benutzer (Eintrag)", entry.Person()));
    const Project& project = entry.Project();
    if (project.ID() == 0) {
        rows.push_back({"Geschäft", kMissing, std::nullopt});
    } else {
        rows.push_back({"Geschäft", project.Topic(), project.Rate});
    }
    const bool linked = project.ID() != 0;
    rows.push_back(DataRow("Geschäft (Benutzer)", linked ? project.PersonData() : Data()));
    rows.push_back(DataRow("Geschäft (Art)", linked ? project.ProjectTypeData() : Data()));
    rows.push_back(DataRow("Geschäft (Abteilung)", linked ? project.DepartmentData() : Data()));
    return rows;
}

void frmEntryRateChoose::Load(std::vector<Row> rows) {
    Form::EventScope scope(*this);
    rows_ = std::move(rows);
    ListView1.ClearRows();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& r = rows_[i];
        ListView1.AddRow({r.origin,
                          {r.name, r.rate ? AmountText(*r.rate) : std::string()},
                          std::to_string(i),
                          ""});
    }
    ListView1.SetSelectedIndex(rows_.empty() ? -1 : 0);
}

void frmEntryRateChoose::SetPosition(std::optional<int> left, std::optional<int> top) {
    Move(left.value_or(Left()), top.value_or(Top()));
}

std::optional<Currency> frmEntryRateChoose::Choose(const Entry& entry, Currency current_rate) {
    Load(Rows(entry, current_rate));
    return Choose();
}

std::optional<Currency> frmEntryRateChoose::Choose() {
    result_.reset();
    ListView1.SetFocus();
    Show(true);
    return result_;
}

void frmEntryRateChoose::Accept() {
    const int row = ListView1.SelectedIndex();
    // A missing source has no rate to take.
    if (row < 0 || !rows_[static_cast<std::size_t>(row)].rate) {
        ui::Current().Beep();
        return;
    }
    result_ = rows_[static_cast<std::size_t>(row)].rate;
    Hide();
}

void frmEntryRateChoose::FitColumns() { ListColumnsFit(ListView1, Width(), {4, 7, 2}); }

}  // namespace tlx4r
