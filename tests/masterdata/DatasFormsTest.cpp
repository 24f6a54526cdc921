#include "masterdata/Datas.h"
#include "masterdata/frmData.h"
#include "masterdata/frmDataImpExp.h"
#include "masterdata/frmDatas.h"

#include "MasterDataFixture.h"
#include "db/DbError.h"
#include "masterdata/DataTextFile.h"
#include "ui/KeyCodes.h"

namespace tlx4r {
namespace {

using test::MasterDataTest;

frmDatas& List(ui::Form& f) { return dynamic_cast<frmDatas&>(f); }
frmData& Row(ui::Form& f) { return dynamic_cast<frmData&>(f); }

// The list row with that text; fails the test when there is none.
int RowOf(const frmDatas& form, const std::string& text) {
    for (int i = 0; i < form.ListView1.Count(); ++i) {
        if (form.ListView1.Item(i).text == text) return i;
    }
    ADD_FAILURE() << "no row " << text;
    return -1;
}

void AddPerson(Datas& persons, const std::string& name, const std::string& short_name) {
    Data row = persons.Add();
    persons.Cursor().Get().Seek("=", db::Value(row.ID));
    auto& rs = persons.Cursor().Get();
    rs.Edit();
    rs.Set("PersonNameFull", db::Value(name));
    rs.Set("PersonNameShort", db::Value(short_name));
    rs.Update();
}

TEST_F(MasterDataTest, ChoosingFromTheListGivesTheRowNoneOrCancel) {
    Datas& persons = *root.Persons();
    AddPerson(persons, "Zaugg Peter", "PZ");
    AddPerson(persons, "Amstutz Lea", "LA");

    // the list comes in name order after "(ohne Zuordnung)", with the preselected row chosen
    ui.OnForm("frmDatas", [](ui::Form& f) {
        frmDatas& form = List(f);
        EXPECT_EQ(form.Caption(), "Person auswählen");
        ASSERT_EQ(form.ListView1.Count(), 3);
        EXPECT_EQ(form.ListView1.Item(0).text, "(ohne Zuordnung)");
        EXPECT_EQ(form.ListView1.Item(1).text, "Amstutz Lea");
        EXPECT_EQ(form.ListView1.CellText(1, 1), "LA");
        EXPECT_EQ(form.ListView1.Columns()[4].width, 0);  // no charge category for persons
        EXPECT_EQ(form.ListView1.SelectedIndex(), 2);
        EXPECT_FALSE(form.btnNew.Visible());
        EXPECT_FALSE(form.btnCancel.Visible());
        EXPECT_FALSE(form.btnPrefix.Visible());
        form.btnOk.UserClick();
    });
    EXPECT_EQ(persons.Choose(1), 1);
    ui.OnForm("frmDatas", [](ui::Form& f) { List(f).ListView1.UserDoubleClickRow(0); });
    EXPECT_EQ(persons.Choose(1), 0);
    ui.OnForm("frmDatas", [](ui::Form& f) { EXPECT_TRUE(f.UserKey(27) || f.UserClose()); });
    EXPECT_EQ(persons.Choose(2), -1);

    // the default row is chosen from the list and stored per user
    ui.OnForm("frmDatas", [](ui::Form& f) {
        frmDatas& form = List(f);
        form.ListView1.UserSelect(RowOf(form, "Amstutz Lea"));
        form.btnOk.UserClick();
    });
    EXPECT_EQ(persons.DefaultIDChoose(), 2);
    EXPECT_EQ(persons.DefaultID(), 2);

    // an empty table says so and counts as cancelled; templates have no "(ohne Zuordnung)"
    ui.ExpectMessage("Keine Abteilung Einträge!", ui::Answer::Ok, "", ui::Icon::Exclamation);
    EXPECT_EQ(root.Departments()->Choose(0), -1);
    ui.ExpectMessage("Keine Standardtext Einträge!");
    EXPECT_EQ(root.Templates()->Choose(0), -1);
    Datas& templates = *root.Templates();
    templates.Add();
    ui.OnForm("frmDatas", [](ui::Form& f) {
        frmDatas& form = List(f);
        ASSERT_EQ(form.ListView1.Count(), 1);
        EXPECT_EQ(form.ListView1.Item(0).key, "1");
        EXPECT_TRUE(form.btnPrefix.Visible());
        form.btnPostfix.UserClick();
    });
    EXPECT_EQ(templates.Choose(0, 1500, 3000), 1);
    EXPECT_TRUE(templates.Postfix());
    EXPECT_FALSE(templates.Prefix());
    EXPECT_EQ(templates.ListForm().Left(), 1500);
    ui.OnForm("frmDatas", [](ui::Form& f) { List(f).btnOk.UserClick(); });
    templates.Choose(1);
    EXPECT_FALSE(templates.Postfix());  // each choice starts afresh
}

TEST_F(MasterDataTest, MaintainingALookupTableAddsEditsAndDeletesRowsInUse) {
    Datas& persons = *root.Persons();
    AddPerson(persons, "Keller Anna", "AK");
    Db().Execute("INSERT INTO Project (ID, AccountCode, PersonID) VALUES (1, \"1100.001\", 1)");

    int step = 0;
    ui.OnForm("frmData", [&](ui::Form& f) {
        frmData& form = Row(f);
        ++step;
        if (step == 1) {  // a new row, typed and confirmed
            EXPECT_EQ(form.Caption(), "Person erstellen");
            EXPECT_TRUE(form.txtNameShort.Visible());
            EXPECT_FALSE(form.btnCharges.Visible());
            form.txtNameFull.UserType("Bieri Urs");
            form.txtNameShort.UserSetText("UB");
            // a rate that is no amount is refused on leaving, and the stored one comes back
            form.txtRate.UserSetText("12x");
            ui.ExpectMessage("Kann den Betrag nicht erkennen!\r\nBitte nochmals eingeben!", ui::Answer::Ok, "Betrag");
            form.btnOk.UserClick();
            EXPECT_TRUE(form.Visible());
            EXPECT_EQ(form.txtRate.Text(), "");
            form.txtRate.UserSetText("185.5");
            form.btnOk.UserClick();
        } else if (step == 2) {  // a second new row, cancelled
            form.txtNameFull.UserType("wird verworfen");
            form.btnCancel.UserClick();
        } else {  // editing the first row
            EXPECT_EQ(form.Caption(), "Person bearbeiten");
            EXPECT_EQ(form.txtNameFull.Text(), "Keller Anna");
            form.txtNameFull.UserSetText("Keller-Huber Anna");
            form.btnOk.UserClick();
        }
    });
    ui.OnForm("frmDatas", [&](ui::Form& f) {
        frmDatas& form = List(f);
        EXPECT_EQ(form.Caption(), "Person bearbeiten");
        EXPECT_EQ(form.btnOk.Caption(), "&Fertig");
        EXPECT_TRUE(form.btnSync.Visible());
        form.ListView1.UserSelect(0);  // "(ohne Zuordnung)" cannot be edited or deleted
        EXPECT_FALSE(form.btnEdit.Enabled());
        EXPECT_FALSE(form.btnDelete.Enabled());
        EXPECT_TRUE(form.ListKeyDown(ui::kKeyInsert));
        EXPECT_EQ(form.ListView1.Item(form.ListView1.SelectedIndex()).text, "Bieri Urs");
        form.btnNew.UserClick();
        EXPECT_EQ(form.ListView1.Count(), 3);
        form.ListView1.UserSelect(RowOf(form, "Keller Anna"));
        EXPECT_TRUE(form.btnDelete.Enabled());
        EXPECT_TRUE(form.ListKeyDown(ui::kKeyReturn, true));
        // deleting the person the project refers to: asked, then gone from the list
        const int row = RowOf(form, "Keller-Huber Anna");
        form.ListView1.UserSelect(row);
        ui.ExpectMessage("Person: Keller-Huber Anna\r\n\r\nLöschen?", ui::Answer::No, "Person löschen");
        form.btnDelete.UserClick();
        ui.ExpectMessage("Person: Keller-Huber Anna\r\n\r\nLöschen?", ui::Answer::Yes);
        EXPECT_TRUE(form.ListKeyDown(ui::kKeyDelete));
        EXPECT_EQ(form.ListView1.Count(), 2);
        // the project still names it: restoring brings a placeholder back
        form.btnSync.UserClick();
        EXPECT_GE(RowOf(form, "Person(1)"), 0);
        form.btnOk.UserClick();
    });
    persons.EditAll();
    EXPECT_EQ(step, 3);
    EXPECT_EQ(persons.Item(2).NameFull, "Bieri Urs");
    EXPECT_EQ(persons.Item(2).Rate, Currency::Parse("185.5"));
    EXPECT_EQ(persons.Item(3).ID, 0);  // the cancelled new row is gone again
    EXPECT_EQ(persons.Item(1).NameFull, "Person(1)");
    EXPECT_EQ(Scalar("SELECT PersonID FROM Project WHERE ID = 1").ToLong(), 1);

    // all rows at once, only on Yes
    ui.OnForm("frmDatas", [&](ui::Form& f) {
        frmDatas& form = List(f);
        ui.ExpectMessage("Alle Personen löschen?", ui::Answer::Cancel, "Personen löschen?");
        form.btnDeleteAll.UserClick();
        EXPECT_EQ(form.ListView1.Count(), 3);
        ui.ExpectMessage("Alle Personen löschen?", ui::Answer::Yes);
        form.btnDeleteAll.UserClick();
        EXPECT_EQ(form.ListView1.Count(), 1);
        form.btnOk.UserClick();
    });
    persons.EditAll();
}

TEST_F(MasterDataTest, TheSettingsDialogDecidesTheTextFileOfExportAndImport) {
    Datas& templates = *root.Templates();
    templates.Add();
    Db().Execute("UPDATE Template SET TemplateNameFull = \"Besprechung \"\"intern\"\"\", TemplateCharges = 250, "
                 "TemplateTypeCharges = 3 WHERE ID = 1");
    const std::string file = dir.File("vorlagen.txt");

    ui.OnForm("frmDataImpExp", [](ui::Form& f) {
        auto& form = dynamic_cast<frmDataImpExp&>(f);
        EXPECT_EQ(form.Caption(), "Einstellungen Standardtexte Export");
        EXPECT_FALSE(form.fraDeleteAll.Visible());
        EXPECT_FALSE(form.fraOverwrite.Visible());
        EXPECT_TRUE(form.optExtCSV.Value());
        form.optExtTXT.UserClick();
        form.optSepTab.UserClick();
        form.optDelimDouble.UserClick();
        form.optHeaderYes.UserClick();
        form.btnOk.UserClick();
    });
    ui.ExpectFileDialog(file);
    ui.ExpectMessage(file + "\r\n1 Standardtexte exportiert!", ui::Answer::Ok, "Standardtexte exportieren");
    EXPECT_EQ(templates.Export(), 1);
    EXPECT_EQ(ui.FileDialogs().back().file_name, "Standardtexte.txt");
    const auto lines = DataTextFile::ReadLines(file);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "\"ID\"\t\"TemplateNameFull\"\t\"TemplateCharges\"\t\"TemplateExpenses\"\t"
                        "\"TemplateTypeCharges\"\t\"TemplateTypeExpenses\"");
    EXPECT_EQ(lines[1], "\"1\"\t\"Besprechung \"\"intern\"\"\"\t\"250\"\t\"0\"\t\"3\"\t\"0\"");

    // the import keeps the choices of the export and adds its own; cancelling does nothing
    Db().Execute("UPDATE Template SET TemplateNameFull = \"geändert\" WHERE ID = 1");
    ui.OnForm("frmDataImpExp", [](ui::Form& f) { dynamic_cast<frmDataImpExp&>(f).btnCancel.UserClick(); });
    EXPECT_EQ(templates.Import(file), 0);
    ui.OnForm("frmDataImpExp", [](ui::Form& f) {
        auto& form = dynamic_cast<frmDataImpExp&>(f);
        EXPECT_EQ(form.Caption(), "Einstellungen Standardtexte Import");
        EXPECT_TRUE(form.fraOverwrite.Visible());
        EXPECT_TRUE(form.optSepTab.Value());
        form.optDeleteAllNo.UserClick();
        form.optOverwriteYes.UserClick();
        form.btnOk.UserClick();
    });
    ui.ExpectMessage(file + "\r\n1 Standardtexte importiert!");
    EXPECT_EQ(templates.Import(file), 1);
    EXPECT_EQ(templates.Item(1).NameFull, "Besprechung \"intern\"");

    // the defaults come back with one click
    ui.OnForm("frmDataImpExp", [](ui::Form& f) {
        auto& form = dynamic_cast<frmDataImpExp&>(f);
        form.btnDefault.UserClick();
        const DataTextSettings s = form.Settings();
        EXPECT_EQ(s.Extension, ".csv");
        EXPECT_EQ(s.Separator, ";");
        EXPECT_EQ(s.Delimiter, "");
        EXPECT_FALSE(s.Header);
        EXPECT_TRUE(s.DeleteAllFirst);
        EXPECT_FALSE(s.Overwrite);
        form.btnCancel.UserClick();
    });
    EXPECT_EQ(templates.Export(), 0);
}

}  // namespace
}  // namespace tlx4r
