#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tlx4r::platform {

// An environment variable; nullopt when it is not set.
std::optional<std::string> EnvironmentValue(const std::string& name);

// The user's documents folder as the desktop names it (XDG_DOCUMENTS_DIR from the environment or
// from user-dirs.dirs), or nullopt when the desktop names none.
std::optional<std::string> XdgDocumentsDir();

// True iff path is a folder in which a file can be created and removed again: a test file
// "_$_$_" + a random number holding "Hello World!" is written and deleted.
bool IsWritableFolder(const std::string& path);

}  // namespace tlx4r::platform
