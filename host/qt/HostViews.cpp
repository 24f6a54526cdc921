#include "host/qt/HostViews.h"

#include "host/frmAccount.h"
#include "host/frmAccountChoose.h"
#include "host/qt/AccountView.h"
#include "host/qt/AccountChooseView.h"
#include "qt/ViewRegistry.h"

namespace tlx4r::qt {

void RegisterHostViews(ViewRegistry& registry) {
    registry.Register(
        "frmAccountChoose",
        [](ui::Form& form) -> QWidget* { return new AccountChooseView(dynamic_cast<frmAccountChoose&>(form)); },
        [] {
            // A few accounts, so that a screenshot shows what the chooser is for.
            auto chooser = std::make_unique<frmAccountChoose>();
            std::vector<AccountData> accounts(3);
            const char* const names[] = {"Bachmann Immobilien AG", "Erbengemeinschaft Huber-Stucki",
                                         "Frei-Lüthi Regula"};
            for (std::size_t i = 0; i < accounts.size(); ++i) {
                accounts[i].code = "1100.00" + std::to_string(i + 1);
                accounts[i].name = names[i];
            }
            chooser->Load(std::move(accounts), "1100.002");
            return chooser;
        });
    registry.Register(
        "frmAccount", [](ui::Form& form) -> QWidget* { return new AccountView(dynamic_cast<frmAccount&>(form)); },
        [] {
            auto editor = std::make_unique<frmAccount>();
            editor->SetCaption("Konto 1100.002");
            editor->txtCode.SetText("1100.002");
            editor->txtCode.SetReadOnly(true);
            editor->txtName.SetText("Erbengemeinschaft Huber-Stucki");
            editor->txtLevel.SetText("2");
            editor->chkDeleteOnCloture.SetChecked(true);
            return editor;
        });
}

}  // namespace tlx4r::qt
