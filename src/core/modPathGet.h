#pragma once

#include <string>

namespace tlx4r {

// The folder where the component proposes to put files: the first of KELVORA_DEBUG, the
// desktop's documents folder, $HOME/Documents, TMPDIR and /tmp that exists and can be written
// to; /tmp when none qualifies.
std::string DocumentsFolderGet();

// The folder of a database file, with its separator. A database on a server has none: in its
// place a folder of the documents folder, one per server database ("…/tlx4r/host_kanzlei/").
std::string DatabaseFolderGet(const std::string& database);

}  // namespace tlx4r
