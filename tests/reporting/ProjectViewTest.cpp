#include "reporting/ProjectView.h"

#include "reporting/ReportsDb.h"
#include "reporting/frmProjectView.h"

namespace tlx4r::test {
namespace {

const std::string kStatement =
    "SELECT Project.*, ProjectType.*, Department.*, Person.*, [Accounts].* FROM Accounts RIGHT JOIN (Department "
    "RIGHT JOIN (Person RIGHT JOIN (ProjectType RIGHT JOIN Project ON ProjectType.ID = Project.ProjectTypeID) ON "
    "Person.ID = Project.PersonID) ON Department.ID = Project.DepartmentID) ON [Accounts].Code = "
    "Project.AccountCode ";

// Without a finance database the overview names the accounts table "Accounts"; the tests give
// the reporting database one, with accounts for two of the three projects.
class ReportsOverview : public ReportsDb {
protected:
    void SetUp() override {
        ReportsDb::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;  // no test server, or no database
        Db().Execute("CREATE TABLE Accounts (ID Long, Code Text(50), Name Text(50))");
        Db().Execute("INSERT INTO Accounts (ID, Code, Name) VALUES (1, \"1100.001\", \"Bachmann\")");
        Db().Execute("INSERT INTO Accounts (ID, Code, Name) VALUES (2, \"1100.002\", \"Huber\")");
        Insert("Department", {{"ID", 1}, {"DepartmentNameFull", "Notariat"}});
        Insert("Department", {{"ID", 2}, {"DepartmentNameFull", db::Value()}});
        Db().Execute("UPDATE Project SET DepartmentID = 1, DateBegin = #01/15/2024#, DateEnd = #06/30/2024# "
                     "WHERE ID = 1");
        Db().Execute("UPDATE Project SET DateBegin = #03/01/2024# WHERE ID = 2");
    }
    frmProjectView& Form() { return root.ProjectView()->Form(); }
};

TEST_F(ReportsOverview, DefaultsCountEveryProjectSortedByAccount) {
    ProjectView& view = *root.ProjectView();
    ui.OnForm("frmProjectView", [](ui::Form& f) { f.Get<ui::Button>("btnOk").UserClick(); });
    view.Choose();
    EXPECT_FALSE(view.DialogCanceled());
    EXPECT_EQ(view.SQL(), kStatement + "ORDER BY AccountCode;");
    EXPECT_EQ(view.Description(), "Sortiert: Konto / Alle / Anzahl = 3");
    EXPECT_EQ(Form().lblDescription.Caption(), "Auswahl: Sortiert: Konto / Alle / Anzahl = 3");
    EXPECT_EQ(view.GroupByField(), "");
    EXPECT_EQ(view.GroupByValueNull(), "(ohne Zuordnung)");
    EXPECT_EQ(Form().TabCount(), 5);  // the host did not enable the exporter
}

TEST_F(ReportsOverview, GroupingSortingAndOneGroupValue) {
    frmProjectView& f = Form();
    f.Show(false);
    f.optGroup[2].UserClick();
    f.optOrder[2].UserClick();
    f.chkDesc.UserClick();
    EXPECT_EQ(f.SQL(), kStatement + "ORDER BY DepartmentID, DateBegin DESC, AccountCode;");
    EXPECT_EQ(f.Description(), "Gruppiert: Abteilung / Sortiert: Eröffnung (absteigend), Konto / Alle / Anzahl = 3");
    EXPECT_EQ(f.GroupByField(), "Department");
    EXPECT_EQ(f.GroupByText(), "Abteilung");

    // One department: the list reads the departments by their full name.
    f.chkSelect.UserClick();
    ASSERT_EQ(f.cbxSelect.ListCount(), 3);
    EXPECT_EQ(f.cbxSelect.List(0), "(ohne Zuordnung)");
    EXPECT_EQ(f.cbxSelect.List(1), "(Abteilung 2)");
    EXPECT_EQ(f.cbxSelect.List(2), "Notariat");
    EXPECT_EQ(f.SQL(), kStatement + "WHERE ((DepartmentID = 0)) ORDER BY DateBegin DESC, AccountCode;");
    f.cbxSelect.UserSelect(2);
    EXPECT_EQ(f.SQL(), kStatement + "WHERE ((DepartmentID=1)) ORDER BY DateBegin DESC, AccountCode;");
    EXPECT_EQ(f.Description(), "Abteilung: Notariat / Sortiert: Eröffnung (absteigend), Konto / Anzahl = 1");
    EXPECT_EQ(f.GroupByField(), "");
    EXPECT_EQ(f.GroupByValueName(), "Notariat");

    // "(ohne)" takes the value list away again; "Standard" restores everything.
    f.optGroup[0].UserClick();
    EXPECT_FALSE(f.chkSelect.Checked());
    EXPECT_FALSE(f.chkSelect.Enabled());
    f.btnStd.UserClick();
    EXPECT_EQ(f.SQL(), kStatement + "ORDER BY AccountCode;");
    f.Hide();
}

TEST_F(ReportsOverview, DateTabsAndFiltersNarrowTheCount) {
    frmProjectView& f = Form();
    f.Show(false);
    // "Nur Datum leer" on "Abschluss": the tab's range is switched off.
    f.tabOptions.UserSelect(2);
    f.chkDateEmptyWithout3.UserClick();
    f.chkDateEmptyOnly3.UserClick();
    EXPECT_FALSE(f.chkDateEmptyWithout3.Checked());
    EXPECT_FALSE(f.chkDateEmptyWithout3.Enabled());
    EXPECT_FALSE(f.DateRange3.Enabled());
    EXPECT_EQ(f.SQL(), kStatement + "WHERE ((DateEnd Is Null)) ORDER BY AccountCode;");
    EXPECT_EQ(f.Description(), "Sortiert: Konto / Abschluss: Nur leeres Datum / Anzahl = 2");
    f.chkDateEmptyOnly3.UserClick();
    EXPECT_TRUE(f.chkDateEmptyWithout3.Enabled());

    // A range and "Ohne Datum leer" on one tab: the range alone counts.
    f.tabOptions.UserSelect(1);
    f.DateRange2.SetFromTo(Date::FromYmd(2024, 2, 1), std::nullopt);
    f.chkDateEmptyWithout2.UserClick();
    EXPECT_EQ(f.SQL(), kStatement + "WHERE (((DateBegin >= #02/01/2024#))) ORDER BY AccountCode;");
    EXPECT_EQ(f.Description(), "Sortiert: Konto / Eröffnung: Datum: Ab dem 01.02.2024 / Anzahl = 1");
    f.DateRange2.SetFromTo(std::nullopt, std::nullopt);
    EXPECT_EQ(f.SQL(), kStatement + "WHERE ((NOT (DateBegin Is Null))) ORDER BY AccountCode;");
    EXPECT_EQ(f.Count(), 2);

    f.tabOptions.UserSelect(4);
    f.optFibu[2].UserClick();
    EXPECT_EQ(f.Count(), 0);
    EXPECT_EQ(f.Description(),
              "Sortiert: Konto / Eröffnung: Ohne leeres Datum / Fibu-Klientenkonto: Ohne Eintrag / Anzahl = 0!");
    f.optFibu[1].UserClick();
    f.optClient[2].UserClick();
    EXPECT_EQ(f.SQL(), kStatement +
                           "WHERE ((NOT (DateBegin Is Null)) AND (Project.ClientID=0) AND (NOT (Code Is Null))) "
                           "ORDER BY AccountCode;");
    EXPECT_EQ(f.Count(), 2);
    f.Hide();
}

TEST_F(ReportsOverview, AStatementThatFailsIsReportedAndTheDialogGoesOn) {
    ui.ExpectMessageContaining("Please report this error to the development team!");
    frmProjectView f(frmProjectView::Source{[this] { return &Db(); }, [] { return std::string("Nowhere"); }},
                     true);
    EXPECT_EQ(f.Count(), -1);
    EXPECT_EQ(f.Description(), "Sortiert: Konto / Alle");
    EXPECT_EQ(f.TabCount(), 6);
}

TEST_F(ReportsOverview, ExportTabChoosesFormatsAndExportsOnOk) {
    frmProjectView f(frmProjectView::Source{[this] { return &Db(); }, [] { return std::string("Accounts"); }}, true);
    f.Show(false);
    f.tabOptions.UserSelect(5);
    EXPECT_EQ(f.lblProjectExportFormats.Caption(), "XML");
    EXPECT_FALSE(f.btnFormats.Enabled());
    f.chkExport.UserClick();  // a format is chosen already: no chooser
    EXPECT_TRUE(f.btnFormats.Enabled());
    ui.OnForm("frmExporter", [](ui::Form& e) {
        e.Get<ui::Button>("btnExportNone").UserClick();
        e.Get<ui::Button>("btnOK").UserClick();
    });
    f.btnFormats.UserClick();
    EXPECT_EQ(f.lblProjectExportFormats.Caption(), "");
    EXPECT_FALSE(f.chkExport.Checked());
    ui.OnForm("frmExporter", [](ui::Form& e) {
        e.Get<ui::CheckBox>("chkCSV").UserClick();
        e.Get<ui::Button>("btnOK").UserClick();
    });
    f.chkExport.UserClick();  // no format yet: the chooser opens
    EXPECT_EQ(f.lblProjectExportFormats.Caption(), "CSV");
    ui.ExpectMessage("Exportierte Einträge: 3", ui::Answer::Ok, "Geschäfts-Export", ui::Icon::Information);
    f.btnOk.UserClick();
    EXPECT_FALSE(f.DialogCanceled());
}

}  // namespace
}  // namespace tlx4r::test
