#pragma once

#include "ui/Form.h"

#include <memory>
#include <string>
#include <vector>

namespace tlx4r::qt {

// Entry forms filled with one plausible entry of each record type, for the screenshots of the
// user guide and the binding check: the name under which each is registered ("frmEntry" for a
// working-time entry, "frmEntry-Gebuehren", …) and a maker.
struct EntrySample {
    std::string name;
    std::unique_ptr<ui::Form> (*make)();
};
const std::vector<EntrySample>& EntrySamples();

}  // namespace tlx4r::qt
