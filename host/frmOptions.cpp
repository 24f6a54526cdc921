#include "host/frmOptions.h"

#include "core/ProgOption.h"
#include "core/Reporting.h"
#include "core/modBackup.h"
#include "core/modStringLibrary.h"
#include "core/modValidate.h"
#include "host/HostOptions.h"
#include "masterdata/OlContacts.h"
#include "reporting/Exporter.h"
#include "ui/Ui.h"

#include <filesystem>

namespace tlx4r {

namespace {

constexpr int kMostBackupsKept = 1000;

}  // namespace

frmOptions::frmOptions(HostOptions& options, Reporting& root)
    : ui::Form("frmOptions", "Optionen"), options_(options), root_(root) {
    txtOfficeName.SetMaxLength(255);
    // The formats are chosen from the exporter's list, so that only names it knows are stored.
    txtProjectExportFormats.SetReadOnly(true);
    txtBackupsKept.SetMaxLength(4);
    txtBackupsKept.KeyPress = [](int& key) { key = KeyFilterNumber(key); };
    btnFormats.Click = [this] {
        Exporter exporter;
        exporter.SetFormats(txtProjectExportFormats.Text());
        if (exporter.FormatsChoose()) txtProjectExportFormats.SetText(exporter.Formats());
    };
    btnContactsSource.Click = [this] {
        if (auto source = OlContacts::AskSource(Trim(txtContactsSource.Text()))) txtContactsSource.SetText(*source);
    };
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    btnOk.Click = [this] {
        if (!Check()) return;
        Store();
        stored_ = true;
        Hide();
    };
    btnCancel.Click = [this] { Hide(); };
    SetMinimumSize(ui::PixelsToTwips(460), ui::PixelsToTwips(380));
}

bool frmOptions::Edit() {
    stored_ = false;
    Load();
    txtOfficeName.SetFocus();
    Show(true);
    return stored_;
}

void frmOptions::Load() {
    txtOfficeName.SetText(options_.Text(HostOptions::kOfficeName));
    chkEnableExporter.SetChecked(options_.Boolean(HostOptions::kEnableExporter));
    txtProjectExportFormats.SetText(options_.Text(HostOptions::kProjectExportFormats));
    txtContactsSource.SetText(root_.OlContacts() ? root_.OlContacts()->Source() : "");
    txtBackupsKept.SetText(std::to_string(BackupsKept()));
}

bool frmOptions::Check() {
    const std::string kept = Trim(txtBackupsKept.Text());
    const bool number = !kept.empty() && kept.size() <= 4 &&
                        kept.find_first_not_of("0123456789") == std::string::npos &&
                        std::stoi(kept) <= kMostBackupsKept;
    if (!number) {
        ui::MsgBox("Bitte die Zahl der Sicherungen als ganze Zahl von 0 bis " + std::to_string(kMostBackupsKept) +
                       " angeben.",
                   ui::Buttons::Ok, ui::Icon::Exclamation, Caption());
        txtBackupsKept.SetFocus();
        return false;
    }
    const std::string source = Trim(txtContactsSource.Text());
    std::error_code ec;
    if (!source.empty() && !std::filesystem::exists(source, ec)) {
        ui::MsgBox("Die Kontaktdatei oder der Ordner" + std::string("\r\n") + source + "\r\n" + "ist nicht vorhanden.",
                   ui::Buttons::Ok, ui::Icon::Exclamation, Caption());
        txtContactsSource.SetFocus();
        return false;
    }
    return true;
}

void frmOptions::Store() {
    options_.SetText(HostOptions::kOfficeName, Trim(txtOfficeName.Text()));
    options_.SetBoolean(HostOptions::kEnableExporter, chkEnableExporter.Checked());
    options_.SetText(HostOptions::kProjectExportFormats, txtProjectExportFormats.Text());
    if (root_.OlContacts() && root_.OlContacts()->Source() != Trim(txtContactsSource.Text()))
        root_.OlContacts()->SetSource(Trim(txtContactsSource.Text()));
    if (root_.ProgOption())
        root_.ProgOption()->CurrentUserSet(ProgOption::kSectionOptions, kOptionBackupsKept,
                                           db::Value(static_cast<std::int32_t>(std::stoi(Trim(txtBackupsKept.Text())))));
}

}  // namespace tlx4r
