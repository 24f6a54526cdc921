// tlx4r migrate: an office's two databases, the finance database and the reporting database it
// names, copied from files to a server or back, and compared with their originals.
#include "Command.h"
#include "HostSession.h"

#include "core/Finance.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/DatabaseCopy.h"
#include "db/DbError.h"
#include "db/PgName.h"
#include "host/FinanceDatabase.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace tlx4r::cli {

namespace {

constexpr const char* kUsage = "usage: tlx4r migrate FINANCE TARGET_FINANCE";

bool SameDatabase(const std::string& a, const std::string& b) {
    if (db::PgName::IsServerName(a) || db::PgName::IsServerName(b)) return a == b;
    std::error_code ec;
    return std::filesystem::weakly_canonical(a, ec) == std::filesystem::weakly_canonical(b, ec);
}

std::string SumsText(const db::DatabaseCopy::TableTotals& t) {
    std::string out;
    for (const auto& [field, sum] : t.sums) out += "\t" + field + " " + sum.Format(2, false);
    return out;
}

// Copies one database and prints the totals of both side by side; throws when they differ.
void CopyOne(const std::string& from_name, const std::string& to_name, const std::string& finance_from,
             const std::string& finance_to, std::vector<std::string>& made) {
    db::Database from = db::Database::Open(from_name, {.read_only = true});
    db::Database to = db::Database::Create(to_name);
    made.push_back(to_name);
    std::cout << from_name << " -> " << to_name << '\n';
    db::DatabaseCopy::Copy(
        from, to, [&](const std::string& path) { return SameDatabase(path, finance_from) ? finance_to : path; },
        [](long long done, long long total) {
            if (total > 0) std::cerr << "\r" << done * 100 / total << " %" << (done == total ? "\n" : "") << std::flush;
        });
    const auto before = db::DatabaseCopy::Totals(from);
    const auto after = db::DatabaseCopy::Totals(to);
    for (const auto& t : after) {
        const auto* original = [&]() -> const db::DatabaseCopy::TableTotals* {
            for (const auto& o : before)
                if (o.table == t.table) return &o;
            return nullptr;
        }();
        std::cout << "  " << t.table << "\t" << t.rows << " rows" << SumsText(t)
                  << (original && *original == t ? "\tas the original" : "\tDIFFERS from the original") << '\n';
    }
    if (before != after) throw std::runtime_error("the copy of '" + from_name + "' differs from the original");
}

}  // namespace

// The finance database names its reporting database by file name; the copy of the reporting
// database goes beside the copy of the finance database under the same name, so that the pair
// stays a pair ("postgresql://server/office/Kanzlei.tdb4f" finds ".../Kanzlei.tdb4r").
int RunMigrate(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    const std::string finance = Full(args[0]), target = Full(args[1]);
    std::string setting;
    try {
        setting = FinanceDatabase::Open(finance).SettingGet(Finance::kSettingDatabase);
    } catch (const std::exception& e) {
        std::cerr << "tlx4r migrate: " << e.what() << '\n';
        return 1;
    }
    if (setting.empty()) {
        std::cerr << "tlx4r migrate: the finance database '" << finance << "' names no reporting database\n";
        return 1;
    }
    const std::string reporting = PathOf(finance) + BaseNameOf(setting) + ".tdb4r";
    const std::string target_reporting = PathOf(target) + BaseNameOf(setting) + ".tdb4r";
    std::vector<std::string> made;
    try {
        if (!db::PgName::IsServerName(target)) {
            std::error_code ec;
            std::filesystem::create_directories(std::filesystem::path(target).parent_path(), ec);
        }
        CopyOne(finance, target, finance, target, made);
        CopyOne(reporting, target_reporting, finance, target, made);
    } catch (const std::exception& e) {
        // nothing half-copied stays behind to be taken for the office
        for (const auto& name : made) {
            try {
                db::Database::Remove(name);
            } catch (const std::exception&) {
            }
        }
        std::cerr << "tlx4r migrate: " << e.what() << "; the copies were removed, the originals are unchanged\n";
        return 1;
    }
    std::cout << "The office is copied: open " << target << '\n';
    return 0;
}

}  // namespace tlx4r::cli
