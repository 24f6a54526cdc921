#pragma once

#include "core/Reporting.h"
#include "host/HostDocuments.h"
#include "host/HostInterface.h"
#include "host/HostOptions.h"
#include "host/HostTrace.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tlx4r::cli {

// The component compares a path with the one it has linked as text: the full path of a file; a
// server's database name as it is.
std::string Full(const std::string& path);

// The arguments of a database command: the one file it works on and its options.
struct DatabaseArgs {
    std::string reporting;
    std::optional<std::string> finance;
    bool full = false;
};

// Reads "FILE [--finance FINANCE] [--full]" (the options in any order, only those allowed);
// nullopt after printing what is wrong to stderr.
std::optional<DatabaseArgs> ParseDatabaseArgs(const std::string& command, const std::vector<std::string>& args,
                                              bool finance_allowed, bool full_allowed);

// The program playing the host: the substitute host's services and interface, and the
// component's root object using it. Destroying the session closes the reporting database, then
// the finance database.
class HostSession {
public:
    HostSession();
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    HostInterface& Host() { return host_; }
    Reporting& Root() { return *root_; }

    // Opens the finance database (if given), which reopens the reporting database linked to it,
    // then the reporting database through the component, which links it to the finance
    // database. True iff the reporting database is open; otherwise the component or the host
    // has reported why on stderr.
    bool Open(const DatabaseArgs& args);

private:
    HostOptions options_;
    HostTrace trace_;
    HostDocuments documents_;
    HostInterface host_;
    std::unique_ptr<Reporting> root_;
};

}  // namespace tlx4r::cli
