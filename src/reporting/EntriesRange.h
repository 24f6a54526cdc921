#pragma once

#include "core/Creatable.h"
#include "types/Date.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tlx4r {

class frmEntriesRange;

// Which entries of one chosen item (a project) a work report or a fee statement holds. Set the
// inputs, call Choose, read the outputs. The dialog is made on first use and kept, so that the
// last date range and record types stay set between calls.
class EntriesRange : public Creatable {
public:
    // in
    std::string Topic;         // caption of the item's frame, e.g. "Geschäft"
    std::string SelectedName;  // the item's name
    bool WorkType = false;     // true: work report, false: fee statement
    // out
    bool DialogCanceled = true;
    std::vector<std::string> EntryType;  // the checked codes, in the order G, R, A, T, D, N, M
    std::optional<Date> DateFrom;        // nullopt: open
    std::optional<Date> DateTo;
    std::optional<int> Archive;  // 0 not archived, 1 archived, nullopt both

    EntriesRange();
    ~EntriesRange() override;

    void Choose();
    // The dialog, made when first asked for.
    frmEntriesRange& Form();

private:
    std::unique_ptr<frmEntriesRange> form_;
};

}  // namespace tlx4r
