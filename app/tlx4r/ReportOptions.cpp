#include "ReportOptions.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace tlx4r::cli {

ReportOptions::ReportOptions(const std::vector<std::string>& args, const std::set<std::string>& flags,
                             const std::set<std::string>& valued) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (flags.count(a) > 0) {
            if (!flags_.insert(a).second) throw BadOption{a + " is given twice"};
        } else if (valued.count(a) > 0) {
            if (i + 1 == args.size()) throw BadOption{a + " needs a value"};
            if (!values_.emplace(a, args[++i]).second) throw BadOption{a + " is given twice"};
        } else if (a.rfind("--", 0) == 0) {
            throw BadOption{"unknown option " + a};
        } else if (!reporting_.empty()) {
            throw BadOption{"unexpected argument '" + a + "'"};
        } else {
            reporting_ = a;
        }
    }
    if (reporting_.empty()) throw BadOption{"the reporting database is missing"};
}

std::optional<std::string> ReportOptions::Value(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

Date ReportOptions::ParseDate(const std::string& option, const std::string& text) {
    // d.m.yyyy strictly: the date parser also reads times and two-digit years, which a report's
    // bounds must not guess at.
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int part = 0;
    bool ok = !text.empty();
    for (char c : text) {
        if (c == '.') {
            if (++part > 2) ok = false;
        } else if (std::isdigit(static_cast<unsigned char>(c)) && part <= 2 && digits[part] < 4) {
            parts[part] = parts[part] * 10 + (c - '0');
            ++digits[part];
        } else {
            ok = false;
        }
    }
    ok = ok && part == 2 && digits[0] >= 1 && digits[0] <= 2 && digits[1] >= 1 && digits[1] <= 2 && digits[2] == 4;
    if (ok) {
        auto date = Date::Parse(text);
        if (date && date->Day() == parts[0] && date->Month() == parts[1] && date->Year() == parts[2]) return *date;
    }
    throw BadOption{option + ": '" + text + "' is not a date (dd.mm.yyyy)"};
}

std::optional<Date> ReportOptions::DateOf(const std::string& name) const {
    auto v = Value(name);
    if (!v) return std::nullopt;
    return ParseDate(name, *v);
}

std::optional<int> ReportOptions::Choice(const std::string& name, const std::vector<std::string>& words) const {
    auto v = Value(name);
    if (!v) return std::nullopt;
    auto it = std::find(words.begin(), words.end(), *v);
    if (it == words.end()) {
        std::string list;
        for (const auto& w : words) list += (list.empty() ? "" : "|") + w;
        throw BadOption{name + ": '" + *v + "' is not one of " + list};
    }
    return static_cast<int>(it - words.begin());
}

std::optional<std::vector<std::string>> ReportOptions::Types(const std::string& name) const {
    auto v = Value(name);
    if (!v) return std::nullopt;
    std::vector<std::string> codes;
    for (char c : *v) {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (std::strchr("GRATDNM", upper) == nullptr || upper == 0)
            throw BadOption{name + ": unknown record type '" + std::string(1, c) + "' (letters of GRATDNM)"};
        if (std::find(codes.begin(), codes.end(), std::string(1, upper)) == codes.end())
            codes.emplace_back(1, upper);
    }
    return codes;
}

ReportOptions::Range ReportOptions::ParseRange(const std::string& option, const std::string& text) {
    const auto dots = text.find("..");
    if (dots == std::string::npos) throw BadOption{option + ": '" + text + "' is no range FROM..TO"};
    Range range;
    const std::string from = text.substr(0, dots);
    const std::string to = text.substr(dots + 2);
    if (!from.empty()) range.from = ParseDate(option, from);
    if (!to.empty()) range.to = ParseDate(option, to);
    return range;
}

}  // namespace tlx4r::cli
