#include "host/HostDocuments.h"

#include "core/modShellExec.h"
#include "core/modStringLibrary.h"
#include "types/AppError.h"
#include "types/Utf8.h"

namespace tlx4r {

HostDocuments::HostDocuments(platform::DocumentOpener& opener) : opener_(&opener) {}

void HostDocuments::Open(const std::string& source, const hostapi::DocumentValues& values) {
    std::string action = utf8::Lower(Trim(NullToString(values[0])));
    std::string path = Trim(NullToString(values[1]));
    if (!action.empty() && action != "open") {
        throw AppError(5, "DocumentOpen",
                       "Die Aktion \"" + NullToString(values[0]) + "\" für Dokumente von " +
                           source + " wird nicht unterstützt.");
    }
    if (path.empty()) throw AppError(2, "DocumentOpen", "Kein Dokument angegeben.");
    int code = opener_->Open(path, PathOf(path));
    if (code <= 32) {
        throw AppError(
            code, "DocumentOpen",
            "Kann Dokument nicht öffnen!\r\n" + path + "\r\n" + ShellErrorDescription(code));
    }
}

}  // namespace tlx4r
