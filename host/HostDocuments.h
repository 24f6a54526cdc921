#pragma once

#include "hostapi/Interface.h"
#include "platform/DocumentOpener.h"

#include <string>

namespace tlx4r {

// The host's document operation: opens a document the component names with the program the
// desktop associates with it.
class HostDocuments {
public:
    // Uses opener, which must outlive this object; the desktop's opener by default.
    explicit HostDocuments(platform::DocumentOpener& opener = platform::DefaultOpener());

    // values: the action, the document's path, the program's arguments. The action is "open"
    // (or empty, which means the same), in any case; the desktop's opener takes no arguments, so
    // these are ignored. The document opens in its own folder. Throws AppError (source
    // "DocumentOpen") with a description for the user when the action is unknown, the path is
    // empty or the opener failed (its code is the error number).
    void Open(const std::string& source, const hostapi::DocumentValues& values);

private:
    platform::DocumentOpener* opener_;
};

}  // namespace tlx4r
