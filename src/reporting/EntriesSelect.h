#pragma once

#include "core/Creatable.h"

#include <memory>
#include <string>

namespace tlx4r {

class frmEntriesSelect;

// The entries selection as hosts use it: Choose shows the dialog and hands back the statement
// (SQL), the summary of the criteria (Selected) and whether the user cancelled. The dialog is
// made on first use and kept, so that the user's criteria stay set for the life of this object;
// only the record types are preset anew by each Choose.
class EntriesSelect : public Creatable {
public:
    bool DialogCanceled = true;
    std::string SQL;
    std::string Selected;

    EntriesSelect();
    ~EntriesSelect() override;

    // Presets the record types ("Arbeitsrapport" with type_work, else "Auszug") and shows the
    // dialog. SQL and Selected are taken even when the user cancelled.
    void Choose(bool type_work = false);
    // The dialog, made when first asked for.
    frmEntriesSelect& Form();

private:
    std::unique_ptr<frmEntriesSelect> form_;
};

}  // namespace tlx4r
