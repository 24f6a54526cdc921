#include "ExportLedger.h"

#include "ExportFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unordered_map>
#include <unordered_set>

namespace tlx4r {

namespace fs = std::filesystem;

namespace {

// The same file whichever way its path is written; paths that do not resolve compare as text.
bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

// A plain file name: no folder part, so nothing outside the folder is ever named.
bool PlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos;
}

}  // namespace

std::string ExportLedger::ListPath() const { return (fs::path(directory_) / kFileName).string(); }

std::vector<std::string> ExportLedger::Names() const {
    std::vector<std::string> names;
    std::unordered_set<std::string> listed;  // a run of one file per project lists tens of thousands
    std::ifstream in(ListPath(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (PlainName(line) && listed.insert(line).second) names.push_back(line);
    }
    return names;
}

void ExportLedger::Save(const std::vector<std::string>& names) const {
    const std::string path = ListPath();
    {
        std::ofstream out(path + ".part", std::ios::binary | std::ios::trunc);
        for (const auto& name : names) out << name << '\n';
        if (!out) return;
    }
    std::error_code ec;
    fs::rename(path + ".part", path, ec);
    if (ec) fs::remove(path + ".part", ec);
}

void ExportLedger::Add(const std::vector<std::string>& paths) noexcept {
    try {
        std::vector<std::string> names = Names();
        std::unordered_set<std::string> listed(names.begin(), names.end());
        // the files of a run share one or two folders: each is compared with ours once
        std::unordered_map<std::string, bool> inside;
        for (const auto& path : paths) {
            if (path.empty()) continue;
            const fs::path file(path);
            const std::string parent = file.parent_path().string();
            auto folder = inside.find(parent);
            if (folder == inside.end()) folder = inside.emplace(parent, SameFile(parent, directory_)).first;
            if (!folder->second) continue;
            const std::string name = file.filename().string();
            if (PlainName(name) && listed.insert(name).second) names.push_back(name);
        }
        Save(names);
    } catch (...) {
    }
}

void ExportLedger::Clear(const std::vector<std::string>& patterns, const std::vector<std::string>& keep) noexcept {
    try {
        std::vector<std::string> left;
        for (const auto& name : Names()) {
            const fs::path file = fs::path(directory_) / name;
            const bool matches =
                std::any_of(patterns.begin(), patterns.end(), [&](const auto& p) { return NameMatches(name, p); });
            const bool kept = std::any_of(keep.begin(), keep.end(), [&](const auto& k) {
                return !k.empty() && SameFile(file, k);
            });
            std::error_code ec;
            if (!matches || kept || !fs::is_regular_file(file, ec)) {
                if (!matches || kept) left.push_back(name);
                continue;
            }
            if (!fs::remove(file, ec) || ec) left.push_back(name);
        }
        Save(left);
    } catch (...) {
    }
}

}  // namespace tlx4r
