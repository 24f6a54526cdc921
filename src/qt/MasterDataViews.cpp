#include "qt/MasterDataViews.h"

#include "db/Database.h"
#include "masterdata/Datas.h"
#include "masterdata/OlContacts.h"
#include "masterdata/frmClient.h"
#include "masterdata/frmClientProjects.h"
#include "masterdata/frmData.h"
#include "masterdata/frmDataChoose.h"
#include "masterdata/frmDataImpExp.h"
#include "masterdata/frmDatas.h"
#include "masterdata/frmOlContacts.h"
#include "masterdata/frmProject.h"
#include "qt/ClientEditView.h"
#include "qt/ClientProjectsView.h"
#include "qt/DataChooseView.h"
#include "qt/DataImpExpView.h"
#include "qt/DataView.h"
#include "qt/DatasView.h"
#include "qt/OlContactsView.h"
#include "qt/ProjectEditView.h"
#include "qt/ViewRegistry.h"
#include "types/Date.h"

namespace tlx4r::qt {

namespace {

// The owners the list forms need, without a database behind them.
struct PersonsOwner {
    db::Database db;
    Datas persons{db};
    PersonsOwner() {
        persons.SetFlavor("Person");
        persons.SetFlavorText("Person");
        persons.SetFlavorTextAll("Personen");
        persons.SetWithNameShort(true);
    }
};

class DatasSample : private PersonsOwner, public frmDatas {
public:
    DatasSample() : frmDatas(persons) {
        SetCaption("Person bearbeiten");
        btnOk.SetCaption("&Fertig");
        btnPrefix.SetVisible(false);
        btnPostfix.SetVisible(false);
        const char* headers[] = {"Name", "Kurz", "Ansatz", "Gebühren", "T", "Auslagen", "T", "ID"};
        const int widths[] = {3000, 900, 1200, 0, 0, 0, 0, 600};
        for (int i = 0; i < 8; ++i)
            ListView1.AddColumn(headers[i], widths[i], i == 2 || i == 7 ? ui::Alignment::Right : ui::Alignment::Left);
        ListView1.AddRow({"(ohne Zuordnung)", {"", "", "", "", "", "", "0"}, "0", ""});
        ListView1.AddRow({"Bieri Urs", {"UB", "185.00", "", "", "", "", "2"}, "2", ""});
        ListView1.AddRow({"Keller Anna", {"AK", "220.00", "", "", "", "", "1"}, "1", ""});
        ListView1.SetSelectedIndex(2);
    }
};

class OlContactsSample : private OlContacts, public frmOlContacts {
public:
    OlContactsSample() : frmOlContacts(static_cast<OlContacts&>(*this)) {
        for (const char* name : {"Bachmann, Peter", "Huber, Regula", "Keller Treuhand AG", "Rossi, Anna"})
            lstCon.AddItem(name, lstCon.ListCount() + 1);
        lstCon.SetListIndex(1);
        lblSource.SetCaption("4 Kontakte aus /home/kanzlei/Kontakte.vcf; 1 Karte nicht lesbar");
    }
};

}  // namespace

void RegisterMasterDataViews(ViewRegistry& r) {
    r.Register(
        "frmDatas", [](ui::Form& f) -> QWidget* { return new DatasView(dynamic_cast<frmDatas&>(f)); },
        [] { return std::make_unique<DatasSample>(); });
    r.Register(
        "frmData", [](ui::Form& f) -> QWidget* { return new DataView(dynamic_cast<frmData&>(f)); },
        [] {
            auto form = std::make_unique<frmData>();
            form->SetCaption("Person bearbeiten");
            form->txtID.SetText("2");
            form->txtNameFull.SetText("Bieri Urs");
            form->txtNameShort.SetText("UB");
            form->txtRate.SetText("185.00");
            for (ui::Control* c : std::initializer_list<ui::Control*>{&form->btnCharges, &form->txtCharges,
                                                                       &form->btnExpenses, &form->txtExpenses})
                c->SetVisible(false);
            return form;
        });
    r.Register(
        "frmDataImpExp", [](ui::Form& f) -> QWidget* { return new DataImpExpView(dynamic_cast<frmDataImpExp&>(f)); },
        [] {
            auto form = std::make_unique<frmDataImpExp>();
            form->SetCaption("Einstellungen Personen Import");
            return form;
        });
    r.Register(
        "frmDataChoose", [](ui::Form& f) -> QWidget* { return new DataChooseView(dynamic_cast<frmDataChoose&>(f)); },
        [] {
            auto form = std::make_unique<frmDataChoose>();
            form->SetCaption("Klient auswählen");
            form->txtData.SetText("Hu");
            for (const char* name : {"Huber Erben", "Huber Immobilien AG", "Hug Walter"})
                form->lstData.AddItem(name, form->lstData.ListCount() + 1);
            form->lstData.SetListIndex(0);
            return form;
        });
    r.Register(
        "frmProject", [](ui::Form& f) -> QWidget* { return new ProjectEditView(dynamic_cast<frmProject&>(f)); },
        [] {
            auto form = std::make_unique<frmProject>();
            form->txtID.SetText("12");
            form->txtProject.SetText("1100.002  Erbengemeinschaft Huber");
            form->txtRate.SetText("220.00");
            form->txtPerson.SetText("1 (AK) Keller Anna");
            form->txtProjectType.SetText("3 Erbteilung");
            form->txtDepartment.SetText("0 (nicht zugeordnet)");
            form->txtClient.SetText("4  Huber Erben");
            form->txtPaymentLimit.SetText("30");
            form->txtText.SetText("Teilung Liegenschaft Thun");
            form->dtpDateBegin.SetValue(Date::FromYmd(2024, 3, 4));
            form->dtpDateEnd.SetValue(std::nullopt);
            form->dtpDateBilled.SetValue(std::nullopt);
            form->fraExtras.SetVisible(false);
            return form;
        });
    r.Register(
        "frmClientProjects",
        [](ui::Form& f) -> QWidget* { return new ClientProjectsView(dynamic_cast<frmClientProjects&>(f)); },
        [] {
            auto form = std::make_unique<frmClientProjects>();
            form->SetCaption("Klient - Huber Erben");
            form->optLinked[1].SetValue(true);
            for (const char* p : {"1100.007  Frei-Lüthi Regula", "1100.011  Gerber Walter"})
                form->lstProject.AddItem(p, form->lstProject.ListCount() + 1);
            form->lstProject.SetListIndex(0);
            form->btnLink.SetEnabled(true);
            return form;
        });
    r.Register(
        "frmClient", [](ui::Form& f) -> QWidget* { return new ClientEditView(dynamic_cast<frmClient&>(f)); },
        [] {
            auto form = std::make_unique<frmClient>();
            form->SetCaption("Klient - 4  Huber Erben");
            form->txtID.SetText("4");
            form->txtKeyName.SetText("Huber Erben");
            form->txtCompany.SetText("Erbengemeinschaft Huber");
            form->txtFirstName.SetText("Regula");
            form->txtLastName.SetText("Huber");
            form->txtAddress1.SetText("Marktgasse 3");
            form->txtZipCode.SetText("3600");
            form->txtCity.SetText("Thun");
            form->txtCountry.SetText("Schweiz");
            form->txtFone.SetText("033 222 11 00");
            form->txtEmail.SetText("regula.huber@example.ch");
            form->fraExtras.SetVisible(false);
            return form;
        });
    r.Register(
        "frmOlContacts", [](ui::Form& f) -> QWidget* { return new OlContactsView(dynamic_cast<frmOlContacts&>(f)); },
        [] { return std::make_unique<OlContactsSample>(); });
}

}  // namespace tlx4r::qt
