#include "host/frmBackups.h"

#include "core/Reporting.h"
#include "core/modBackup.h"
#include "platform/DocumentOpener.h"
#include "ui/Ui.h"

#include <exception>

namespace tlx4r {

namespace {

constexpr const char* kCaption = "Datensicherungen";

// "20241205-143012" as "05.12.2024 14:30:12".
std::string StampText(const std::string& stamp) {
    if (stamp.size() != 15) return stamp;
    return stamp.substr(6, 2) + "." + stamp.substr(4, 2) + "." + stamp.substr(0, 4) + " " + stamp.substr(9, 2) + ":" +
           stamp.substr(11, 2) + ":" + stamp.substr(13, 2);
}

}  // namespace

frmBackups::frmBackups(Reporting& root) : ui::Form("frmBackups", kCaption), root_(root) {
    lvwBackups.AddColumn("Gesichert am", 2600);
    lvwBackups.AddColumn("Vor dem Vorgang", 2000);
    lvwBackups.AddColumn("Datei", 5000);
    lvwBackups.SetFullRowSelect(true);
    lvwBackups.ItemClick = [this](int) { btnRestore.SetEnabled(true); };
    btnBackupNow.Click = [this] { BackupNow(); };
    btnRestore.Click = [this] { Restore(); };
    btnFolder.Click = [this] {
        if (platform::DefaultOpener().Open(db::Backup::Folder(database_), "") <= 32)
            ui::MsgBox("Der Ordner" + std::string("\r\n") + db::Backup::Folder(database_) + "\r\n" +
                           "kann nicht geöffnet werden.",
                       ui::Buttons::Ok, ui::Icon::Exclamation, kCaption);
    };
    btnClose.SetCancel(true);
    btnClose.Click = [this] { Hide(); };
    SetMinimumSize(ui::PixelsToTwips(760), ui::PixelsToTwips(320));
}

void frmBackups::ShowFor() {
    if (root_.Database() == nullptr) {
        ui::MsgBox("Es ist keine Reporting-Datenbank geöffnet.", ui::Buttons::Ok, ui::Icon::Information, kCaption);
        return;
    }
    Fill(root_.DatabaseName());
    lvwBackups.SetFocus();
    Show(true);
}

void frmBackups::Fill(const std::string& database) {
    database_ = database;
    lblDatabase.SetCaption("Reporting-Datenbank: " + database);
    items_ = db::Backup::List(database);
    lvwBackups.ClearRows();
    for (const auto& item : items_) lvwBackups.AddRow({StampText(item.stamp), {item.operation, item.name}, item.name, ""});
    lvwBackups.SetSelectedIndex(items_.empty() ? -1 : 0);
    btnRestore.SetEnabled(!items_.empty());
    btnFolder.SetEnabled(!items_.empty());
}

void frmBackups::BackupNow() {
    if (root_.Database() == nullptr) return;
    try {
        BackupBefore(*root_.Database(), "manual");
    } catch (const std::exception& e) {
        ui::MsgBox(e.what(), ui::Buttons::Ok, ui::Icon::Critical, kCaption);
    }
    Fill(database_);
}

void frmBackups::Restore() {
    const int row = lvwBackups.SelectedIndex();
    if (row < 0 || row >= static_cast<int>(items_.size())) return;
    const db::Backup::Item item = items_[static_cast<std::size_t>(row)];
    const std::string question = "Die Reporting-Datenbank" + std::string("\r\n") + database_ + "\r\n" +
                                 "auf den Stand vom " + StampText(item.stamp) + " (vor \"" + item.operation +
                                 "\") zurücksetzen?\r\nDer jetzige Stand wird vorher gesichert.";
    if (ui::MsgBox(question, ui::Buttons::YesNo, ui::Icon::Question, kCaption) != ui::Answer::Yes) return;

    // The file is replaced while nobody has it open; the component reopens it from the
    // accounting's link, as after the accounting reopened its own database.
    root_.DatabaseCloseByHost();
    std::string before;
    std::string failure;
    try {
        before = db::Backup::Restore(database_, item.name, BackupsKept());
    } catch (const std::exception& e) {
        failure = e.what();
    }
    root_.DatabaseReopen();
    if (root_.Database() == nullptr) {
        try {
            root_.DatabaseOpen(database_);  // a database the accounting does not link
        } catch (const std::exception&) {
            // said below
        }
    }
    if (!failure.empty()) {
        ui::MsgBox("Die Sicherung kann nicht zurückgeladen werden; die Datenbank ist unverändert." +
                       std::string("\r\n") + failure,
                   ui::Buttons::Ok, ui::Icon::Critical, kCaption);
    } else if (root_.Database() == nullptr) {
        ui::MsgBox("Die Sicherung ist zurückgeladen, aber die Reporting-Datenbank kann nicht wieder geöffnet werden."
                   "\r\n" + database_,
                   ui::Buttons::Ok, ui::Icon::Exclamation, kCaption);
    } else {
        ui::MsgBox("Der Stand vom " + StampText(item.stamp) + " ist zurückgeladen." + "\r\n" +
                       "Der vorherige Stand ist gesichert in" + "\r\n" + before,
                   ui::Buttons::Ok, ui::Icon::Information, kCaption);
    }
    Fill(database_);
}

}  // namespace tlx4r
