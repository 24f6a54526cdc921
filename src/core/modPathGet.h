#pragma once

#include <string>

namespace tlx4r {

// The folder where the component proposes to put files: the first of KELVORA_DEBUG, the
// desktop's documents folder, $HOME/Documents, TMPDIR and /tmp that exists and can be written
// to; /tmp when none qualifies.
std::string DocumentsFolderGet();

}  // namespace tlx4r
