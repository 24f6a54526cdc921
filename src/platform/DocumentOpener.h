#pragma once

#include <string>

namespace tlx4r::platform {

// Opens a document with the program the desktop associates with it. The result follows the
// old shell's convention so that callers keep one table of messages: a value above 32 means
// the document was handed over; 2 file not found, 3 path not found, 5 access denied,
// 27 the opener failed, 31 no opener for this kind of file.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    virtual int Open(const std::string& path, const std::string& working_dir) = 0;
};

// The desktop's opener, xdg-open. It waits briefly for xdg-open's verdict; an opener that is
// still running after that (some hand the file to a program and wait for it) counts as done.
class XdgOpener : public DocumentOpener {
public:
    int Open(const std::string& path, const std::string& working_dir) override;
};

// The opener the program uses; replaceable for tests.
DocumentOpener& DefaultOpener();
void SetDefaultOpener(DocumentOpener* opener);

}  // namespace tlx4r::platform
