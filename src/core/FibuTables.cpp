#include "core/FibuTables.h"

#include "db/Database.h"
#include "types/AppError.h"

#include <exception>
#include <random>

namespace tlx4r {

FibuTables::FibuTables(db::Database& db, std::function<std::string()> finance_path)
    : db_(db), finance_path_(std::move(finance_path)) {
    // Links are kept in the file; those a crashed session left behind go now.
    try {
        std::vector<std::string> stale;
        for (const auto& name : db_.TableDefs().Names())
            if (name.rfind(kNamePrefix, 0) == 0) stale.push_back(name);
        for (const auto& name : stale) links_.emplace_back("", name);
    } catch (const std::exception&) {
    }
    Clear();
}

FibuTables::~FibuTables() { Clear(); }

std::string FibuTables::Item(const std::string& fibu_name) {
    for (const auto& [fibu, local] : links_)
        if (fibu == fibu_name && !fibu.empty()) return local;
    const std::string finance = finance_path_ ? finance_path_() : std::string();
    if (finance.empty())
        throw AppError(91, "FibuTables.Item", "Es ist keine Finanzbuchhaltung geöffnet.");
    if (links_.size() >= kMaxLinks)
        throw AppError(9, "FibuTables.Item", "Zu viele verknüpfte Tabellen der Finanzbuchhaltung.");

    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> number(0, 999999);
    auto& tables = db_.TableDefs();
    std::string local;
    do {
        local = kNamePrefix + std::to_string(number(random));
    } while (tables.Exists(local) || db_.QueryDefs().Exists(local));
    try {
        tables.Delete(local);
    } catch (const std::exception&) {
        // there is none: that is what the name was chosen for
    }
    db::TableDef link(local);
    link.SetLink(";DATABASE=" + finance, fibu_name);
    tables.Append(link);
    links_.emplace_back(fibu_name, local);
    return local;
}

void FibuTables::Clear() noexcept {
    for (const auto& link : links_) {
        try {
            db_.TableDefs().Delete(link.second);
        } catch (...) {
            // a link that is gone already is what Clear wants
        }
    }
    links_.clear();
}

}  // namespace tlx4r
