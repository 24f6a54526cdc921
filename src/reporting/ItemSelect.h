#pragma once

#include "core/Creatable.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tlx4r {

class frmItemSelect;

// Lets the user pick one row of a lookup table for a report: SelectedID is -2 when cancelled
// (SelectedName "*** cancel ***"), -1 for all, 0 for not assigned, else the row's ID.
class ItemSelect : public Creatable {
public:
    std::int32_t SelectedID = -2;
    std::string SelectedName = "*** cancel ***";

    ItemSelect();
    ~ItemSelect() override;

    // Shows the chooser over table (a lookup table of the open reporting database) with the
    // name fields of topic ("Person": PersonNameFull, else PersonName).
    void Choose(const std::string& table, const std::string& topic);

private:
    std::unique_ptr<frmItemSelect> form_;
};

}  // namespace tlx4r
