#include "host/qt/HostViews.h"

#include "core/Reporting.h"
#include "host/HostOptions.h"
#include "host/frmAccount.h"
#include "host/frmAccountChoose.h"
#include "host/frmBackups.h"
#include "host/frmOptions.h"
#include "host/qt/AccountChooseView.h"
#include "host/qt/AccountView.h"
#include "host/qt/BackupsView.h"
#include "host/qt/OptionsView.h"
#include "platform/MemoryStore.h"
#include "qt/ViewRegistry.h"

namespace tlx4r::qt {

namespace {

// What the samples of the option and backup dialogs stand on: settings in memory and a root
// object without a database. A base class, so that it is built before the form that refers to it.
struct SampleHost {
    platform::MemoryStore user;
    platform::MemoryStore machine;
    HostOptions options{user, machine};
    Reporting root{user, machine};
};

struct OptionsSample : private SampleHost, public frmOptions {
    OptionsSample() : frmOptions(options, root) {
        txtOfficeName.SetText("Advokatur und Notariat Muster, Bern");
        chkEnableExporter.SetChecked(true);
        txtProjectExportFormats.SetText("XML;CSV");
        txtContactsSource.SetText("/home/anna/Kontakte/kanzlei.vcf");
        txtBackupsKept.SetText("10");
    }
};

struct BackupsSample : private SampleHost, public frmBackups {
    BackupsSample() : frmBackups(root) {
        lblDatabase.SetCaption("Reporting-Datenbank: /home/anna/Kanzlei/Kanzlei Muster Data.tdb4r");
        const char* const rows[][3] = {{"05.12.2026 17:42:10", "transfer", "Kanzlei Muster Data-20261205-174210-transfer.tdb4r"},
                                       {"04.12.2026 08:15:03", "compact", "Kanzlei Muster Data-20261204-081503-compact.tdb4r"},
                                       {"28.11.2026 16:01:55", "import", "Kanzlei Muster Data-20261128-160155-import.tdb4r"}};
        for (const auto& row : rows) lvwBackups.AddRow({row[0], {row[1], row[2]}, row[2], ""});
        lvwBackups.SetSelectedIndex(0);
    }
};

}  // namespace

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
    registry.Register(
        "frmOptions", [](ui::Form& form) -> QWidget* { return new OptionsView(dynamic_cast<frmOptions&>(form)); },
        [] { return std::make_unique<OptionsSample>(); });
    registry.Register(
        "frmBackups", [](ui::Form& form) -> QWidget* { return new BackupsView(dynamic_cast<frmBackups&>(form)); },
        [] { return std::make_unique<BackupsSample>(); });
}

}  // namespace tlx4r::qt
