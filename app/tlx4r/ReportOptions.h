#pragma once

#include "types/Date.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tlx4r::cli {

// Wrong arguments of a report: what() names the option; the program exits 2 without writing.
struct BadOption {
    std::string message;
};

// The arguments of "tlx4r report KIND REPORTING [options]": the file, the flags given and the
// options with their values, each allowed once.
class ReportOptions {
public:
    // flags take no value, valued options take the next argument. Throws BadOption for anything
    // else, a missing value or a repeated option.
    ReportOptions(const std::vector<std::string>& args, const std::set<std::string>& flags,
                  const std::set<std::string>& valued);

    const std::string& Reporting() const { return reporting_; }
    bool Flag(const std::string& name) const { return flags_.count(name) > 0; }
    std::optional<std::string> Value(const std::string& name) const;

    // A calendar date written dd.mm.yyyy that exists; BadOption naming the option otherwise.
    std::optional<Date> DateOf(const std::string& name) const;
    // One of the allowed words; its position in the list (BadOption for another word).
    std::optional<int> Choice(const std::string& name, const std::vector<std::string>& words) const;
    // Record-type letters out of GRATDNM (upper or lower case); each once, in the given order.
    std::optional<std::vector<std::string>> Types(const std::string& name) const;

    // "FROM..TO" with either side empty (open), each side a date as DateOf reads it.
    struct Range {
        std::optional<Date> from;
        std::optional<Date> to;
    };
    static Range ParseRange(const std::string& option, const std::string& text);
    static Date ParseDate(const std::string& option, const std::string& text);

private:
    std::string reporting_;
    std::set<std::string> flags_;
    std::map<std::string, std::string> values_;
};

}  // namespace tlx4r::cli
