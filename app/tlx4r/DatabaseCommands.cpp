// The commands that drive the component's database operations as a host would, unattended.
#include "Command.h"
#include "HostSession.h"

#include "db/Database.h"
#include "host/DemoData.h"
#include "host/HostAccounts.h"

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
    if (args.size() != 1 || args[0].empty() || args[0].rfind("--", 0) == 0) {
        std::cerr << "usage: tlx4r demo DIR\n";
        return 2;
    }
    HostSession session;
    DemoFiles files = DemoCreate(args[0], session.Host(), session.Root());
    std::cout << files.finance << '\n' << files.reporting << '\n';
    return 0;
}

}  // namespace tlx4r::cli
