#pragma once

#include "masterdata/Client.h"
#include "masterdata/Project.h"
#include "ui/Button.h"
#include "ui/DatePicker.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/TextBox.h"

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>

namespace tlx4r {

// The project editor: the project's account, its person, project type and department, its
// client, its properties and five extra texts. Save, restore, delete, or switch to another
// project. The links and the extra texts share one place; btnToggle brings either to the front.
class frmProject : public ui::Form {
public:
    frmProject();

    ui::Frame fraProject{*this, "fraProject", "Geschäft"};
    ui::Label lblID{*this, "lblID", "ID", &fraProject};
    ui::TextBox txtID{*this, "txtID", &fraProject};
    ui::TextBox txtProject{*this, "txtProject", &fraProject};

    ui::Frame fraLinks{*this, "fraLinks", "Zuordnung"};
    ui::Label lblRate{*this, "lblRate", "Ansatz", &fraLinks};
    ui::TextBox txtRate{*this, "txtRate", &fraLinks};
    ui::Label lblPerson{*this, "lblPerson", "Person", &fraLinks};
    ui::TextBox txtPerson{*this, "txtPerson", &fraLinks};
    ui::Button btnPersonChoose{*this, "btnPersonChoose", "...", &fraLinks};
    ui::Label lblProjectType{*this, "lblProjectType", "Geschäftsart", &fraLinks};
    ui::TextBox txtProjectType{*this, "txtProjectType", &fraLinks};
    ui::Button btnProjectTypeChoose{*this, "btnProjectTypeChoose", "...", &fraLinks};
    ui::Label lblDepartment{*this, "lblDepartment", "Abteilung", &fraLinks};
    ui::TextBox txtDepartment{*this, "txtDepartment", &fraLinks};
    ui::Button btnDepartmentChoose{*this, "btnDepartmentChoose", "...", &fraLinks};

    ui::Frame fraExtras{*this, "fraExtras", "Zusatztexte (GeschEx.)"};
    // Element i is "lblProjExt[i]" / "txtProjExt[i]" for ProjExt i + 1.
    std::array<ui::Label, 5> lblProjExt{Extra<ui::Label>("lblProjExt", 0), Extra<ui::Label>("lblProjExt", 1),
                                        Extra<ui::Label>("lblProjExt", 2), Extra<ui::Label>("lblProjExt", 3),
                                        Extra<ui::Label>("lblProjExt", 4)};
    std::array<ui::TextBox, 5> txtProjExt{Extra<ui::TextBox>("txtProjExt", 0), Extra<ui::TextBox>("txtProjExt", 1),
                                          Extra<ui::TextBox>("txtProjExt", 2), Extra<ui::TextBox>("txtProjExt", 3),
                                          Extra<ui::TextBox>("txtProjExt", 4)};
    ui::Button btnToggle{*this, "btnToggle", "Zusatztexte>"};

    ui::Frame fraClient{*this, "fraClient", "Klient"};
    ui::Label lblClient{*this, "lblClient", "Klient", &fraClient};
    ui::TextBox txtClient{*this, "txtClient", &fraClient};
    ui::Button btnClientChoose{*this, "btnClientChoose", "...", &fraClient};

    ui::Frame fraProperties{*this, "fraProperties", "Eigenschaften"};
    ui::Label lblPaymentLimit{*this, "lblPaymentLimit", "Zahlungsfrist", &fraProperties};
    ui::TextBox txtPaymentLimit{*this, "txtPaymentLimit", &fraProperties};
    ui::Label lblText{*this, "lblText", "Beschreibung", &fraProperties};
    ui::TextBox txtText{*this, "txtText", &fraProperties};
    ui::Label lblDateBegin{*this, "lblDateBegin", "Eröffnung", &fraProperties};
    ui::DatePicker dtpDateBegin{*this, "dtpDateBegin", &fraProperties};
    ui::Label lblDateEnd{*this, "lblDateEnd", "Abschluss", &fraProperties};
    ui::DatePicker dtpDateEnd{*this, "dtpDateEnd", &fraProperties};
    ui::Label lblDateBilled{*this, "lblDateBilled", "Rechnung", &fraProperties};
    ui::DatePicker dtpDateBilled{*this, "dtpDateBilled", &fraProperties};

    ui::Button btnClose{*this, "btnClose", "&Fertig"};
    ui::Button btnSave{*this, "btnSave", "&Speichern"};
    ui::Button btnRestore{*this, "btnRestore", "&Zurücksetzten"};
    ui::Button btnDelete{*this, "btnDelete", "&Löschen"};
    ui::Button btnSearch{*this, "btnSearch", "S&uchen..."};

    // Shows project modally (it must outlive the call). Saving writes it; closing hides the form.
    void Edit(Project& project);

    // The project as the boxes have it (the shown one with the boxes' values). Throws DbError 13
    // for a rate that is no amount.
    ProjectFields Collected() const;
    // The boxes differ from the project.
    bool Changed() const;
    // True while the extra texts are in front.
    bool ExtrasInFront() const { return extras_front_; }

    // The number a text begins with ("4 (AK) Anna Keller" → 4); 0 when it begins otherwise.
    static std::int32_t LeadingNumber(const std::string& text);

private:
    template <class T>
    T Extra(const char* name, int index) {
        std::string key = std::string(name) + "[" + std::to_string(index) + "]";
        if constexpr (std::is_same_v<T, ui::Label>)
            return T(*this, std::move(key), {}, &fraExtras);
        else
            return T(*this, std::move(key), &fraExtras);
    }
    void Display();
    bool Save();
    bool AskSave();
    bool CheckRate();
    bool CheckPaymentLimit();
    void ShowPage(bool extras);
    void ChooseData(int kind);
    void ChooseClient();

    Project* project_ = nullptr;
    Project empty_;
    tlx4r::Client client_;
    bool extras_front_ = false;
};

}  // namespace tlx4r
