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

// Starts the program the same way (its output thrown away) and kills it with SIGKILL after
// delay_us microseconds. True when it was still running then, false when it had ended.
bool RunAndKill(const std::string& program, const std::vector<std::string>& args, const TempDir& dir, long delay_us);

}  // namespace tlx4r::test
