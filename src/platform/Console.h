#pragma once

namespace tlx4r::platform {

// True iff the program's standard input is a terminal, i.e. someone can answer a question
// typed there (a pipe, a file or /dev/null cannot).
bool StandardInputIsTerminal();

}  // namespace tlx4r::platform
