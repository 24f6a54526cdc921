#include "core/ComponentFactory.h"
#include "entries/Entries.h"
#include "masterdata/Projects.h"
#include "reporting/EntriesRange.h"
#include "reporting/Exporter.h"
#include "reporting/ItemSelect.h"
#include "reporting/ProjectSelect.h"
#include "reporting/ProjectView.h"
#include "reporting/ReportsDb.h"
#include "reporting/ctlDateRange.h"
#include "reporting/frmEntriesRange.h"
#include "types/AppError.h"

#include <algorithm>

namespace tlx4r::test {
namespace {

using ReportsDialogs = ReportsDb;

void Click(ui::Form& f, const char* key) { f.Get<ui::Control>(key).UserClick(); }

TEST_F(ReportsDialogs, EntriesRangeHandsBackTheRawCriteria) {
    EntriesRange& range = root.Entries()->EntriesRange();
    range.Topic = "Geschäft";
    range.SelectedName = "1100.001 Bachmann Immobilien AG";
    range.WorkType = true;
    ui.OnForm("frmEntriesRange", [](ui::Form& f) {
        EXPECT_EQ(f.Caption(), "Einträge für Arbeitsrapport wählen");
        EXPECT_EQ(f.Get<ui::Frame>("fraTopic").Caption(), "Geschäft");
        EXPECT_EQ(f.Get<ui::Label>("lblItem").Caption(), "1100.001 Bachmann Immobilien AG");
        // The dialog was made with the fee statement's standard types.
        EXPECT_TRUE(f.Get<ui::CheckBox>("cbG").Checked());
        EXPECT_TRUE(f.Get<ui::CheckBox>("cbN").Checked());
        Click(f, "btnSelDefault");  // now a work report: "Arbeitszeit" alone
        Click(f, "cbArchive");
        Click(f, "cbArchive");
        Click(f, "btnOk");
    });
    range.Choose();
    EXPECT_FALSE(range.DialogCanceled);
    EXPECT_EQ(range.EntryType, std::vector<std::string>{"A"});
    EXPECT_EQ(range.DateFrom, std::nullopt);
    EXPECT_EQ(range.DateTo, std::nullopt);
    EXPECT_EQ(range.Archive, std::nullopt);

    // Cancelling still hands back what the dialog shows; the archive state starts at 0 again,
    // types and date range stay.
    range.WorkType = false;
    ui.OnForm("frmEntriesRange", [](ui::Form& f) {
        EXPECT_EQ(f.Caption(), "Einträge für Gebührenauszug wählen");
        EXPECT_EQ(f.Get<ui::CheckBox>("cbArchive").Value(), ui::CheckState::Unchecked);
        auto& form = dynamic_cast<frmEntriesRange&>(f);
        form.DateRange.SetMonth(2024, 2, 0);
        Click(f, "cbM");
        Click(f, "btnCancel");
    });
    range.Choose();
    EXPECT_TRUE(range.DialogCanceled);
    EXPECT_EQ(range.EntryType, (std::vector<std::string>{"A", "M"}));
    EXPECT_EQ(range.DateFrom, Date::FromYmd(2024, 2, 1));
    EXPECT_EQ(range.DateTo, Date::FromYmd(2024, 2, 29));
    EXPECT_EQ(range.Archive, std::optional<int>(0));
}

TEST_F(ReportsDialogs, ItemSelectAnswersCancelAllUnassignedOrTheRow) {
    ItemSelect& select = *root.ItemSelect();
    struct Case {
        int pick;  // -1: cancel
        std::int32_t id;
        const char* name;
    };
    const Case cases[] = {{-1, -2, "*** cancel ***"}, {0, -1, "Alle"}, {1, 0, "(nicht zugeordnet)"},
                          {3, 2, "Anna Keller"}};
    for (const Case& c : cases) {
        ui.OnForm("frmItemSelect", [&c](ui::Form& f) {
            EXPECT_EQ(f.Caption(), "Einträge nach Person");
            EXPECT_EQ(f.Get<ui::Label>("lblSelect").Caption(), "&Auswahl Person:");
            if (c.pick < 0) {
                Click(f, "btnCancel");
                return;
            }
            f.Get<ui::ComboBox>("cbxSelect").UserSelect(c.pick);
            Click(f, "btnOk");
        });
        select.Choose("Person", "Person");
        EXPECT_EQ(select.SelectedID, c.id) << c.pick;
        EXPECT_EQ(select.SelectedName, c.name) << c.pick;
    }
    // A row without a name shows its ID alone.
    Insert("Person", {{"ID", 3}, {"PersonNameFull", db::Value()}, {"PersonNameShort", "XY"}});
    ui.OnForm("frmItemSelect", [](ui::Form& f) {
        EXPECT_EQ(f.Get<ui::ComboBox>("cbxSelect").List(4), "3   ");
        f.Get<ui::ComboBox>("cbxSelect").UserSelect(4);
        Click(f, "btnOk");
    });
    select.Choose("Person", "Person");
    EXPECT_EQ(select.SelectedID, 3);
    EXPECT_EQ(select.SelectedName, "");

    const auto shown = ui.ModalForms().size();
    ui.ExpectMessage("Can't open table Nowhere", ui::Answer::Ok, "", ui::Icon::Critical);
    select.Choose("Nowhere", "Person");
    EXPECT_EQ(select.SelectedID, -2);
    EXPECT_EQ(ui.ModalForms().size(), shown);
}

TEST_F(ReportsDialogs, ProjectSelectAlwaysStartsFromItsDefaults) {
    ProjectSelect& select = root.Projects()->ProjectSelect();
    ui.OnForm("frmProjectSelect", [](ui::Form& f) {
        for (const char* key : {"optClient[0]", "optFibu[0]", "optSort[0]"})
            EXPECT_TRUE(f.Get<ui::OptionButton>(key).Value()) << key;
        Click(f, "optClient[2]");
        Click(f, "optFibu[1]");
        Click(f, "optSort[1]");
        Click(f, "btnOk");
    });
    select.Choose();
    EXPECT_FALSE(select.DialogCanceled);
    EXPECT_TRUE(select.SortName);
    EXPECT_EQ(select.ClientMode, -1);
    EXPECT_EQ(select.FibuMode, 1);

    ui.OnForm("frmProjectSelect", [](ui::Form& f) { Click(f, "btnCancel"); });
    select.Choose();
    EXPECT_TRUE(select.DialogCanceled);
    EXPECT_FALSE(select.SortName);
    EXPECT_EQ(select.ClientMode, 0);
    EXPECT_EQ(select.FibuMode, 0);
}

TEST_F(ReportsDialogs, FormatsChooseTakesTheFormatsOnlyOnOk) {
    Exporter exporter;
    ASSERT_EQ(exporter.Formats(), "XML;CSV");
    ui.OnForm("frmExporter", [](ui::Form& f) {
        EXPECT_TRUE(f.Get<ui::CheckBox>("chkXML").Checked());
        EXPECT_TRUE(f.Get<ui::CheckBox>("chkCSV").Checked());
        EXPECT_FALSE(f.Get<ui::CheckBox>("chkMDB").Checked());
        Click(f, "btnExportStd");  // the chooser's standard is XML alone
        Click(f, "chkDBF");
        Click(f, "btnOK");
    });
    EXPECT_TRUE(exporter.FormatsChoose());
    EXPECT_EQ(exporter.Formats(), "XML;DBF");
    EXPECT_TRUE(exporter.TypeDBF);
    ui.OnForm("frmExporter", [](ui::Form& f) {
        Click(f, "btnExportAll");
        Click(f, "btnCancel");
    });
    EXPECT_FALSE(exporter.FormatsChoose());
    EXPECT_EQ(exporter.Formats(), "XML;DBF");
}

TEST(ComponentFactory, CreatesEveryPublicClassByItsIdentifier) {
    ScriptedUi ui;
    const std::vector<std::string> ids = ComponentFactory::ProgIds();
    for (const char* id : {"TLX4R.Exporter", "TLX4R.ctlDateRange", "TLX4R.EntriesSelect", "TLX4R.EntriesRange",
                           "TLX4R.ProjectView", "TLX4R.ItemSelect", "TLX4R.ProjectSelect"}) {
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id;
        EXPECT_NE(ComponentFactory::CreateObject(id), nullptr) << id;
    }
    auto exporter = ComponentFactory::Create<Exporter>("tlx4r.exporter");
    EXPECT_EQ(exporter->Formats(), "XML;CSV");
    EXPECT_NE(ComponentFactory::Create<ctlDateRange>("TLX4R.ctlDateRange"), nullptr);
    EXPECT_THROW(ComponentFactory::Create<Exporter>("TLX4R.ctlDateRange"), AppError);
}

}  // namespace
}  // namespace tlx4r::test
