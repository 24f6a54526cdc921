#pragma once

#include "support/TempDir.h"

#include <string>
#include <vector>

namespace tlx4r::test {

struct Outcome {
    int exit_code = -1;  // -1 when the program did not end normally
    std::string out;
    std::string err;
};

// Runs a built program as a user would, with its settings and trace kept in dir (not the
// user's own), and collects what it printed.
Outcome RunProgram(const std::string& program, const std::vector<std::string>& args, const TempDir& dir);

}  // namespace tlx4r::test
