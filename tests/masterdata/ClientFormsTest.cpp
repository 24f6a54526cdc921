#include "masterdata/Clients.h"
#include "masterdata/Datas.h"
#include "masterdata/OlContacts.h"
#include "masterdata/Projects.h"
#include "masterdata/frmClient.h"
#include "masterdata/frmClientProjects.h"
#include "masterdata/frmDataChoose.h"
#include "masterdata/frmDatas.h"
#include "masterdata/frmOlContacts.h"
#include "masterdata/frmProject.h"

#include "MasterDataFixture.h"
#include "core/modReporting.h"

#include <fstream>

namespace tlx4r {
namespace {

using test::MasterDataTest;

frmClient& ClientForm(ui::Form& f) { return dynamic_cast<frmClient&>(f); }
frmClientProjects& LinkForm(ui::Form& f) { return dynamic_cast<frmClientProjects&>(f); }

class ClientFormsTest : public MasterDataTest {
protected:
    ClientFormsTest() {
        Projects::SetCreatedProjectID(0);
        for (const char* p : {"1100.001", "1100.002", "1100.003"}) {
            Project project(*root.Projects());
            project.AccountCode = p;
            project.AccountName = std::string("Konto ") + p;
            project.Update();
        }
        Client other(*root.Clients());
        other.KeyName = "Anderer";
        other.Update();  // ID 1
        Db().Execute("UPDATE Project SET ClientID = 1 WHERE AccountCode = \"1100.003\"");
    }
    std::int32_t ClientOf(const std::string& code) {
        return Scalar("SELECT ClientID FROM Project WHERE AccountCode = \"" + code + "\"").ToLong();
    }
};

TEST_F(ClientFormsTest, ANewClientIsSavedThenGetsItsProjectsLinkedMovedAndUnlinked) {
    ui.OnForm("frmClientProjects", [&](ui::Form& f) {
        frmClientProjects& form = LinkForm(f);
        EXPECT_EQ(form.Caption(), "Klient - Bachmann");
        EXPECT_EQ(form.lstProject.ListCount(), 0);  // none of this client's yet
        EXPECT_FALSE(form.btnLinkRemove.Enabled());
        form.optLinked[1].UserClick();
        ASSERT_EQ(form.lstProject.ListCount(), 2);
        EXPECT_EQ(form.lstProject.List(0), "1100.001  Konto 1100.001");
        EXPECT_TRUE(form.btnLink.Enabled());
        EXPECT_FALSE(form.btnLinkReplace.Enabled());
        ui.ExpectMessage("Geschäft - 1100.001  Konto 1100.001\r\nKlient - Bachmann\r\nVerbinden?", ui::Answer::Yes);
        form.btnLink.UserClick();
        ui.ExpectMessage("Geschäft - 1100.002  Konto 1100.002\r\nKlient - Bachmann\r\nVerbinden?", ui::Answer::Yes);
        form.btnLink.UserClick();
        EXPECT_EQ(form.lstProject.ListCount(), 0);
        // moved from the other client; the search narrows by code or name
        form.optLinked[2].UserClick();
        form.txtProject.UserType("003");
        EXPECT_NE(form.Sql().find("LIKE \"*003*\""), std::string::npos);
        ASSERT_EQ(form.lstProject.ListCount(), 1);
        ui.ExpectMessageContaining("Ersetzen?", ui::Answer::Yes);
        form.btnLinkReplace.UserClick();
        // unlinking asks without the caption line, and No leaves it
        form.optLinked[0].UserClick();
        EXPECT_EQ(form.txtProject.Text(), "");  // another option starts a new search
        ASSERT_EQ(form.lstProject.ListCount(), 3);
        ui.ExpectMessage("Geschäft - 1100.001  Konto 1100.001\r\nLöschen?", ui::Answer::No);
        form.btnLinkRemove.UserClick();
        form.lstProject.UserSelect(1);
        ui.ExpectMessage("Geschäft - 1100.002  Konto 1100.002\r\nLöschen?", ui::Answer::Yes);
        form.btnLinkRemove.UserClick();
        EXPECT_EQ(form.lstProject.ListCount(), 2);
        form.btnDone.UserClick();
    });
    ui.OnForm("frmClient", [&](ui::Form& f) {
        frmClient& form = ClientForm(f);
        EXPECT_EQ(form.Caption(), "Klient - 0  (nicht zugeordnet)");
        EXPECT_FALSE(form.btnCopy.Enabled());
        ui.ExpectMessage("Bitte Klient zuerst speichern!", ui::Answer::Ok, "Geschäfte zuweisen");
        form.btnProjects.UserClick();
        form.txtKeyName.UserType("Bachmann");
        form.txtLastName.UserType("Bachmann");
        form.txtCity.UserType("Thun");
        // the pending change is asked for: Cancel stays, Yes saves and closes later
        ui.ExpectMessage("Die Daten sind geändert worden!\r\nWollen sie speichern!", ui::Answer::Cancel,
                         "Eintrag speichern", ui::Icon::Question);
        form.btnClose.UserClick();
        EXPECT_TRUE(form.Visible());
        form.btnSave.UserClick();
        EXPECT_EQ(form.Caption(), "Klient - 2  Bachmann");
        form.btnProjects.UserClick();
        // copying puts the six-line address on the clipboard
        ui.ExpectMessageContaining("> Bachmann\r\n> Thun\r\n> \r\n");
        form.btnCopy.UserClick();
        EXPECT_EQ(ui.ClipboardText(), "Bachmann\r\nThun\r\n\r\n\r\n\r\n");
        form.txtFone.UserType("033 000 00 00");
        ui.ExpectMessage("Die Daten sind geändert worden!\r\nWollen sie speichern!", ui::Answer::No);
        form.btnClose.UserClick();
    });
    EXPECT_EQ(root.Clients()->EditNew(), 2);
    EXPECT_EQ(root.Clients()->Item(2).City, "Thun");
    EXPECT_EQ(root.Clients()->Item(2).Fone, "");  // the answer No discarded it
    EXPECT_EQ(ClientOf("1100.001"), 2);
    EXPECT_EQ(ClientOf("1100.002"), 0);
    EXPECT_EQ(ClientOf("1100.003"), 2);

    ui.ExpectMessage("Eintrag 9 nicht vorhanden!", ui::Answer::Ok, "Abteilung", ui::Icon::Exclamation);
    EXPECT_EQ(root.Clients()->EditByID(9), 9);
}

TEST_F(ClientFormsTest, TheClientChooserSearchesKeyNamesWordByWord) {
    EXPECT_EQ(frmDataChoose::SqlFor(1, " Meier  Hans "),
              "SELECT * FROM Client WHERE (KeyName Like \"Meier* Hans*\") ORDER BY KeyName;");
    EXPECT_EQ(frmDataChoose::SqlFor(1, ""), "SELECT * FROM Client ORDER BY KeyName;");
    Client c(*root.Clients());
    c.KeyName = "Meier Hans Peter";
    c.Update();  // 2
    ui.OnForm("frmDataChoose", [](ui::Form& f) {
        auto& form = dynamic_cast<frmDataChoose&>(f);
        EXPECT_EQ(form.Caption(), "Klient auswählen");
        EXPECT_EQ(form.txtData.Text(), "Anderer");  // the current client's name
        EXPECT_EQ(form.txtData.SelLength(), 7u);
        form.txtData.UserSetText("meier pe");
        ASSERT_EQ(form.lstData.ListCount(), 1);
        EXPECT_TRUE(form.SearchKeyDown(40));
        EXPECT_TRUE(form.lstData.HasFocus());
        form.lstData.UserDoubleClick();
    });
    EXPECT_EQ(root.Clients()->Choose(1), 2);
    ui.OnForm("frmDataChoose", [&](ui::Form& f) {
        auto& form = dynamic_cast<frmDataChoose&>(f);
        form.txtData.UserSetText("niemand");
        ui.ExpectMessage("Klient nicht  ausgewählt!", ui::Answer::Ok, "", ui::Icon::Information);
        form.btnOk.UserClick();
    });
    EXPECT_EQ(root.Clients()->Choose(0), 0);
}

TEST_F(ClientFormsTest, TheProjectEditorLinksLookupRowsAndAsksBeforeDroppingTheClient) {
    Datas& persons = *root.Persons();
    persons.Add();
    Db().Execute("UPDATE Person SET PersonNameFull = \"Keller Anna\" WHERE ID = 1");
    Db().Execute("UPDATE Project SET PersonID = 1, DateBegin = Null WHERE AccountCode = \"1100.003\"");
    const std::int32_t id = root.Projects()->ID("1100.003");

    ui.OnForm("frmDatas", [](ui::Form& f) {
        dynamic_cast<frmDatas&>(f).ListView1.UserSelect(0);  // "(ohne Zuordnung)"
        dynamic_cast<frmDatas&>(f).btnOk.UserClick();
    });
    ui.OnForm("frmDataChoose", [](ui::Form& f) { dynamic_cast<frmDataChoose&>(f).btnCancel.UserClick(); });
    ui.OnForm("frmProject", [&](ui::Form& f) {
        auto& form = dynamic_cast<frmProject&>(f);
        EXPECT_EQ(form.txtProject.Text(), "1100.003  Konto 1100.003");
        EXPECT_EQ(form.txtPerson.Text(), "1 Keller Anna");
        EXPECT_EQ(form.txtClient.Text(), "1  Anderer");
        EXPECT_FALSE(form.dtpDateBegin.Value().has_value());
        EXPECT_EQ(form.txtPaymentLimit.Text(), "30");
        form.btnToggle.UserClick();
        EXPECT_TRUE(form.ExtrasInFront());
        EXPECT_EQ(form.btnToggle.Caption(), "<Zuordnung");
        form.txtProjExt[2].UserType("Dossier 17");
        form.btnToggle.UserClick();
        form.btnPersonChoose.UserClick();
        EXPECT_EQ(form.txtPerson.Text(), "0 (nicht zugeordnet)");
        // a cancelled client choice means no client: asked, and No keeps it
        ui.ExpectMessage("Verbindung zu Klient löschen?", ui::Answer::No);
        form.btnClientChoose.UserClick();
        EXPECT_EQ(form.txtClient.Text(), "1  Anderer");
        // a payment limit that is no number is refused and the stored one comes back
        form.txtPaymentLimit.UserSetText("x");
        ui.ExpectMessage("Kann die Zahl nicht erkennen!\r\nBitte nochmals eingeben!", ui::Answer::Ok, "Zahl");
        form.btnSave.UserClick();
        EXPECT_EQ(form.txtPaymentLimit.Text(), "30");
        form.txtRate.UserSetText("220");
        form.btnSave.UserClick();
        EXPECT_EQ(form.txtRate.Text(), "220.00");
        form.btnClose.UserClick();
    });
    EXPECT_EQ(root.Projects()->EditByID(id), id);
    const Project saved = root.Projects()->Item(id);
    EXPECT_EQ(saved.PersonID, 0);
    EXPECT_EQ(saved.ClientID, 1);
    EXPECT_EQ(saved.ProjExt3, "Dossier 17");
    EXPECT_EQ(saved.Rate, Currency::FromInt(220));
    EXPECT_TRUE(Scalar("SELECT DateBegin FROM Project WHERE ID = " + std::to_string(id)).IsNull());

    // the editor of a project that is not stored saves nothing; deleting asks first
    ui.OnForm("frmProject", [&](ui::Form& f) {
        auto& form = dynamic_cast<frmProject&>(f);
        ui.ExpectMessage("Alle Einträge zu diesem Geschäft werden gelöscht!\r\n1100.003  Konto 1100.003",
                         ui::Answer::Yes, "Reporting Daten", ui::Icon::Exclamation);
        form.btnDelete.UserClick();
    });
    root.Projects()->EditByID(id);
    EXPECT_EQ(root.Projects()->ID("1100.003"), 0);
}

TEST_F(ClientFormsTest, AContactFillsTheBoxesAndChangesTheClientOnlyWhenSaved) {
    const std::string vcf = dir.File("kontakte.vcf");
    std::ofstream(vcf, std::ios::binary) << "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Huber;Regula;;;\r\nFN:Regula Huber\r\n"
                                            "ORG:Huber Immobilien AG\r\nADR;TYPE=WORK:;;Marktgasse 3;Bern;;3011;Schweiz\r\n"
                                            "TEL;TYPE=WORK,VOICE:031 311 22 33\r\nEND:VCARD\r\n";
    ASSERT_NE(goOlContacts, nullptr);
    ui.OnForm("frmOlContacts", [](ui::Form& f) {
        auto& form = dynamic_cast<frmOlContacts&>(f);
        EXPECT_EQ(form.lstCon.ListCount(), 1);
        form.txtCon.UserType("HUB");
        form.btnOk.UserClick();
    });
    ui.OnForm("frmClient", [&](ui::Form& f) {
        frmClient& form = ClientForm(f);
        ui.ExpectMessage(OlContacts::kNotActiveMessage, ui::Answer::Ok, OlContacts::kNotActiveCaption);
        ui.ExpectFileDialog(vcf);
        form.btnAdrOutlook.UserClick();
        EXPECT_EQ(form.txtKeyName.Text(), "Huber, Regula");
        EXPECT_EQ(form.txtCompany.Text(), "Huber Immobilien AG");
        EXPECT_EQ(form.txtAddress1.Text(), "Marktgasse 3");
        EXPECT_EQ(form.txtZipCode.Text(), "3011");
        EXPECT_EQ(form.txtFone.Text(), "031 311 22 33");
        EXPECT_EQ(root.Clients()->Item(1).KeyName, "Anderer");
        form.btnRestore.UserClick();
        EXPECT_EQ(form.txtKeyName.Text(), "Anderer");
        form.btnAdrOutlook.UserClick();  // the source is known now: straight to the list
        form.btnSave.UserClick();
        form.btnClose.UserClick();
    });
    root.Clients()->EditByID(1);
    EXPECT_EQ(root.Clients()->Item(1).City, "Bern");
    EXPECT_EQ(goOlContacts->Source(), vcf);
}

}  // namespace
}  // namespace tlx4r
