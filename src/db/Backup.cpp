#include "Backup.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/PgName.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace tlx4r::db {

namespace fs = std::filesystem;

namespace {

std::string Stamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// Letters, digits and "-" only: the operation is part of a file name.
std::string Word(const std::string& operation) {
    std::string word;
    for (char c : operation) {
        const auto u = static_cast<unsigned char>(c);
        word += std::isalnum(u) ? static_cast<char>(std::tolower(u)) : '-';
    }
    return word.empty() ? "backup" : word;
}

bool Digits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

// A database on a server has no folder of its own: its backups go to the user's data folder,
// one folder per server database.
std::string Backup::Folder(const std::string& database_path) {
    if (PgName::IsServerName(database_path)) {
        const std::string server = PgName(database_path).FolderName();
        const char* data = std::getenv("XDG_DATA_HOME");
        const char* home = std::getenv("HOME");
        const fs::path base = data && *data ? fs::path(data) : fs::path(home ? home : "/tmp") / ".local" / "share";
        return (base / "tlx4r" / kFolder / server).string();
    }
    return (fs::absolute(database_path).parent_path() / kFolder).string();
}

std::string Backup::NewPath(const std::string& database_path, const std::string& operation) {
    const fs::path file(database_path);
    const std::string folder = Folder(database_path);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw DbError(3043, "The backups folder '" + folder + "' cannot be made: " + ec.message());
    const std::string base = file.stem().string() + "-" + Stamp() + "-" + Word(operation);
    std::string path = (fs::path(folder) / (base + file.extension().string())).string();
    // Two backups in one second: the later one gets a number after its operation.
    for (int n = 2; fs::exists(path, ec); ++n)
        path = (fs::path(folder) / (base + "-" + std::to_string(n) + file.extension().string())).string();
    return path;
}

std::string Backup::Take(Database& db, const std::string& operation, int keep) {
    const std::string path = NewPath(db.Name(), operation);
    db.BackupInto(path);
    Prune(db.Name(), keep);
    return path;
}

std::string Backup::TakeOfFile(const std::string& database_path, const std::string& operation, int keep) {
    OpenOptions options;
    options.read_only = true;
    Database db = Database::Open(database_path, options);
    return Take(db, operation, keep);
}

std::vector<Backup::Item> Backup::List(const std::string& database_path) {
    const fs::path file(database_path);
    const std::string stem = file.stem().string() + "-";
    const std::string ext = file.extension().string();
    std::vector<Item> items;
    std::vector<fs::file_time_type> written;
    std::error_code ec;
    for (fs::directory_iterator it(Folder(database_path), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        // stem-yyyymmdd-hhnnss-operation.ext
        if (name.size() < stem.size() + 17 + ext.size() || name.compare(0, stem.size(), stem) != 0 ||
            name.compare(name.size() - ext.size(), ext.size(), ext) != 0)
            continue;
        const std::string rest = name.substr(stem.size(), name.size() - stem.size() - ext.size());
        if (rest.size() < 17 || !Digits(rest.substr(0, 8)) || rest[8] != '-' || !Digits(rest.substr(9, 6)) ||
            rest[15] != '-')
            continue;
        std::string operation = rest.substr(16);
        // "-2", "-3", … told apart backups of one second
        const std::size_t dash = operation.rfind('-');
        if (dash != std::string::npos && Digits(operation.substr(dash + 1))) operation.erase(dash);
        items.push_back({name, it->path().string(), rest.substr(0, 15), operation});
        written.push_back(it->last_write_time(ec));
    }
    // Newest first: by the moment in the name, within one second by the time of writing.
    std::vector<std::size_t> order(items.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (items[a].stamp != items[b].stamp) return items[a].stamp > items[b].stamp;
        if (written[a] != written[b]) return written[a] > written[b];
        return items[a].name > items[b].name;
    });
    std::vector<Item> sorted;
    for (std::size_t i : order) sorted.push_back(items[i]);
    return sorted;
}

void Backup::Prune(const std::string& database_path, int keep) noexcept {
    if (keep < 1) return;
    try {
        const auto items = List(database_path);
        for (std::size_t i = static_cast<std::size_t>(keep); i < items.size(); ++i) {
            std::error_code ec;
            fs::remove(items[i].path, ec);
        }
    } catch (...) {
        // an old backup left behind costs space, never data
    }
}

std::string Backup::Restore(const std::string& database_path, const std::string& name, int keep) {
    const auto items = List(database_path);
    const auto found = std::find_if(items.begin(), items.end(), [&](const Item& i) { return i.name == name; });
    if (found == items.end())
        throw DbError(3024, "There is no backup '" + name + "' of '" + database_path + "' in " + Folder(database_path) + ".");
    const std::string source = found->path;
    Database db = Database::Open(database_path);
    // The current state is kept too, so that a restore can be undone; old backups go only once
    // the one restored has been read.
    const std::string before = Take(db, "restore", 0);
    db.RestoreFrom(source);
    db.Close();
    Prune(database_path, keep);
    return before;
}

}  // namespace tlx4r::db
