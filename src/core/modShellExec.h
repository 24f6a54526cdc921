#pragma once

#include <string>

namespace tlx4r {

// Opens the document with the program the desktop associates with it, in the document's folder.
// Throws AppError (source "ShellOpen") with the opener's code and its description when the
// document could not be handed over.
void ShellOpen(const std::string& path);

// The description of an opener result code up to 32 ("Unknown error" for codes without one).
std::string ShellErrorDescription(int code);

}  // namespace tlx4r
