#include "reporting/frmProjectSelect.h"

namespace tlx4r {

frmProjectSelect::frmProjectSelect() : ui::Form("frmProjectSelect", "Geschäfte auswählen") {
    optClient[0].SetCaption("A&lle");
    optClient[1].SetCaption("&Mit Klienten-Eintrag");
    optClient[2].SetCaption("O&hne Klienten-Eintrag");
    optFibu[0].SetCaption("Al&le");
    optFibu[1].SetCaption("Mit &Fibu-Konto");
    optFibu[2].SetCaption("Ohne Fi&bukonto");
    optSort[0].SetCaption("Nach &Konto");
    optSort[1].SetCaption("Nach &Name");
    optClient[0].SetValue(true);
    optSort[0].SetValue(true);
    optFibu[0].SetValue(true);
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    btnOk.Click = [this] {
        dialog_canceled_ = false;
        Hide();
    };
    btnCancel.Click = [this] {
        dialog_canceled_ = true;
        Hide();
    };
}

}  // namespace tlx4r
