#pragma once

#include "core/Creatable.h"

namespace tlx4r {

// How a project list is to be filtered and sorted. Modes: 0 all, 1 only with, -1 only without.
// Each Choose starts from "Alle", "Nach Konto", "Alle", whatever the last call returned.
class ProjectSelect : public Creatable {
public:
    bool DialogCanceled = true;
    bool SortName = false;  // true: by name, false: by account
    int ClientMode = 0;
    int FibuMode = 0;

    void Choose();
};

}  // namespace tlx4r
