#include "core/frmArchiveDelete.h"

#include "core/modBackup.h"

#include "core/Reporting.h"
#include "core/modReporting.h"
#include "entries/Entries.h"
#include "masterdata/Projects.h"
#include "types/AppError.h"
#include "ui/Ui.h"

#include <exception>

namespace tlx4r {

namespace {

const char* const kCaption = "Kelvora Reporting V4";

}  // namespace

frmArchiveDelete::frmArchiveDelete() : ui::Form("frmArchiveDelete", "Löschen") {
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    btnOk.Click = [this] { OkClick(); };
    btnCancel.Click = [this] { Hide(); };
}

void frmArchiveDelete::Choose() { FormShowModal(*this); }

std::optional<long long> frmArchiveDelete::Execute() {
    if (ui::MsgBox("Löschen ausführen?", ui::Buttons::YesNoCancel, ui::Icon::Question, kCaption) != ui::Answer::Yes)
        return std::nullopt;
    if (goReporting == nullptr || goReporting->Entries() == nullptr || goReporting->Projects() == nullptr)
        throw AppError(91, "DeleteArchive", "Es ist keine Reporting Datenbank geöffnet.");
    long long deleted = 0;
    {
        ui::BusyPointer busy;
        // After the user agreed and before anything is deleted; without a copy nothing is.
        BackupBefore(*goDatabase, "archive-delete");
        deleted = goReporting->Entries()->DeleteArchiveExec();
        goReporting->Projects()->Verify(false);
        ui::Current().DoEvents();
    }
    ui::MsgBox("Löschen beendet!", ui::Buttons::Ok, ui::Icon::Information, kCaption);
    return deleted;
}

void frmArchiveDelete::OkClick() {
    try {
        if (!Execute()) return;  // the dialog stays open
    } catch (const std::exception& e) {
        // A click has no caller to take the engine's error: the user sees it.
        ui::MsgBox(e.what(), ui::Buttons::Ok, ui::Icon::Critical, kCaption);
    }
    Hide();
}

}  // namespace tlx4r
