// The commands that drive the component's database operations as a host would, unattended.
#include "Command.h"
#include "HostSession.h"

#include "db/Database.h"
#include "host/DemoData.h"
#include "host/DemoLargeOffice.h"
#include "host/HostAccounts.h"

#include <cstdint>
#include <iostream>

namespace tlx4r::cli {

namespace {

void PrintTables(db::Database& db) {
    for (const auto& name : db.TableDefs().Names()) {
        db::TableDef table = db.TableDefs().Item(name);
        // Links into the finance database are the session's own, not the file's tables.
        if (table.IsLinked()) continue;
        std::cout << name << '\t' << table.RecordCount() << '\n';
    }
}

}  // namespace

int RunNew(const std::vector<std::string>& args) {
    auto parsed = ParseDatabaseArgs("new", args, true, false);
    if (!parsed) return 2;
    HostSession session;
    if (parsed->finance) {
        try {
            session.Host().DatabaseOpen(*parsed->finance);
        } catch (const std::exception& e) {
            std::cerr << "Kann Finanzbuchhaltung nicht öffnen!\n" << *parsed->finance << "\n" << e.what() << "\n";
            return 1;
        }
    }
    session.Root().DatabaseNew(parsed->reporting);
    if (session.Root().Database() == nullptr) return 1;
    std::cout << session.Root().DatabaseName() << '\n';
    return 0;
}

int RunOpen(const std::vector<std::string>& args) {
    auto parsed = ParseDatabaseArgs("open", args, true, false);
    if (!parsed) return 2;
    HostSession session;
    if (!session.Open(*parsed)) return 1;
    PrintTables(*session.Root().Database());
    return 0;
}

int RunVerify(const std::vector<std::string>& args) {
    auto parsed = ParseDatabaseArgs("verify", args, true, true);
    if (!parsed) return 2;
    if (parsed->full && !parsed->finance) {
        // Without the accounts every project would count as one without an account.
        std::cerr << "tlx4r verify: --full needs --finance FINANCE\n";
        return 2;
    }
    HostSession session;
    if (!session.Open(*parsed)) return 1;
    session.Root().Verify(std::string("quiet"), parsed->full ? std::optional<std::string>("full") : std::nullopt);
    return 0;
}

int RunCompact(const std::vector<std::string>& args) {
    auto parsed = ParseDatabaseArgs("compact", args, false, false);
    if (!parsed) return 2;
    HostSession session;
    if (!session.Open(*parsed)) return 1;
    return session.Root().DatabaseCompact(std::string("quiet")) ? 0 : 1;
}

int RunConvert(const std::vector<std::string>& args) {
    auto parsed = ParseDatabaseArgs("convert", args, false, false);
    if (!parsed) return 2;
    HostSession session;
    if (!session.Open(*parsed)) return 1;
    return session.Root().DatabaseConvert(std::string("quiet")) ? 0 : 1;
}

int RunDemo(const std::vector<std::string>& args) {
    // demo [--size large] [--seed N] DIR
    bool large = false;
    std::uint32_t seed = 1;
    std::string dir;
    bool usage = false;
    for (std::size_t i = 0; i < args.size() && !usage; ++i) {
        if (args[i] == "--size" && i + 1 < args.size() && (args[i + 1] == "large" || args[i + 1] == "small")) {
            large = args[++i] == "large";
        } else if (args[i] == "--seed" && i + 1 < args.size() && !args[i + 1].empty() &&
                   args[i + 1].find_first_not_of("0123456789") == std::string::npos && args[i + 1].size() <= 9) {
            seed = static_cast<std::uint32_t>(std::stoul(args[++i]));
        } else if (args[i].empty() || args[i].rfind("--", 0) == 0 || !dir.empty()) {
            usage = true;
        } else {
            dir = args[i];
        }
    }
    if (usage || dir.empty()) {
        std::cerr << "usage: tlx4r demo [--size small|large] [--seed N] DIR\n";
        return 2;
    }
    HostSession session;
    DemoFiles files = large ? DemoCreateLarge(dir, session.Host(), session.Root(), seed)
                            : DemoCreate(dir, session.Host(), session.Root());
    std::cout << files.finance << '\n' << files.reporting << '\n';
    return 0;
}

}  // namespace tlx4r::cli
