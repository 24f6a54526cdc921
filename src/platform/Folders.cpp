#include "Folders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace tlx4r::platform {

namespace fs = std::filesystem;

std::optional<std::string> EnvironmentValue(const std::string& name) {
    const char* v = std::getenv(name.c_str());
    if (v == nullptr) return std::nullopt;
    return std::string(v);
}

std::optional<std::string> XdgDocumentsDir() {
    if (auto v = EnvironmentValue("XDG_DOCUMENTS_DIR"); v && !v->empty()) return v;
    auto home = EnvironmentValue("HOME").value_or("");
    auto config = EnvironmentValue("XDG_CONFIG_HOME").value_or("");
    if (config.empty()) {
        if (home.empty()) return std::nullopt;
        config = home + "/.config";
    }
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) != 0) continue;
        std::string v = line.substr(key.size());
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
        if (v.rfind("$HOME", 0) == 0) v = home + v.substr(5);
        if (v.empty()) return std::nullopt;
        return v;
    }
    return std::nullopt;
}

bool IsWritableFolder(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !fs::is_directory(path, ec)) return false;
    std::random_device rd;
    std::uniform_int_distribution<unsigned> dist(0, 999999);
    fs::path probe = fs::path(path) / ("_$_$_" + std::to_string(dist(rd)));
    {
        std::ofstream out(probe);
        if (!out) return false;
        out << "Hello World!\n";
        if (!out.flush()) {
            out.close();
            fs::remove(probe, ec);
            return false;
        }
    }
    return fs::remove(probe, ec) && !ec;
}

}  // namespace tlx4r::platform
