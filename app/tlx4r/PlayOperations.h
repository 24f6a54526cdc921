#pragma once

#include "ui/script/ScriptPlayer.h"

#include <vector>

namespace tlx4r::cli {

class HostSession;

// The operations `tlx4r play` can start, by member path, on the session's root object. Every
// dialog that a public member opens belongs here.
std::vector<ui::script::PlayOperation> PlayOperations(HostSession& session);

}  // namespace tlx4r::cli
