#pragma once

#include "ui/Controls.h"

#include <optional>

namespace tlx4r {

// Deletes every archived entry for good, after a question, and then verifies the projects.
class frmArchiveDelete : public ui::Form {
public:
    frmArchiveDelete();

    ui::Label Label1{*this, "Label1",
                     "Achtung: Es werden sämtliche archivierten Einträge definitiv gelöscht. der Vorgang kann nicht "
                     "rückgängig gemacht werden."};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbrechen"};

    // Shows the dialog modally (Entries.DeleteArchive).
    void Choose();

    // The action of OK: asks, deletes the archived entries, verifies the projects and confirms;
    // returns how many entries were deleted, nullopt when the question was not answered Yes.
    // Throws AppError 91 while no reporting database is open; the engine's errors pass on.
    std::optional<long long> Execute();

private:
    void OkClick();
};

}  // namespace tlx4r
