// tlx4r backup and tlx4r check: the automatic backups of a reporting database, and the check of
// its file with the engine's own tools.
#include "Command.h"
#include "HostSession.h"

#include "core/modBackup.h"
#include "db/Backup.h"
#include "db/Database.h"
#include "db/PgName.h"
#include "ui/Ui.h"

#include <filesystem>
#include <iostream>

namespace tlx4r::cli {

namespace {

constexpr const char* kBackupUsage = "usage: tlx4r backup list|restore REPORTING [NAME] [--yes]";

// "20241205-143012" as "05.12.2024 14:30:12".
std::string StampText(const std::string& stamp) {
    return stamp.substr(6, 2) + "." + stamp.substr(4, 2) + "." + stamp.substr(0, 4) + " " + stamp.substr(9, 2) + ":" +
           stamp.substr(11, 2) + ":" + stamp.substr(13, 2);
}

}  // namespace

// Lists the backups of a reporting database (newest first: name, moment, operation), or
// restores one after backing up the current state.
int RunBackup(const std::vector<std::string>& args) {
    if (args.size() < 2 || (args[0] != "list" && args[0] != "restore") || (args[0] == "list" && args.size() != 2) ||
        (args[0] == "restore" && args.size() != 3)) {
        std::cerr << kBackupUsage << '\n';
        return 2;
    }
    const std::string database = Full(args[1]);
    if (!db::PgName::IsServerName(database) && !std::filesystem::exists(database)) {
        std::cerr << "tlx4r backup: the database '" << database << "' does not exist\n";
        return 1;
    }
    if (args[0] == "list") {
        for (const auto& item : db::Backup::List(database))
            std::cout << item.name << '\t' << StampText(item.stamp) << '\t' << item.operation << '\n';
        return 0;
    }
    HostSession session;  // the options say how many backups are kept
    const ui::Answer answer =
        ui::MsgBox("Die Reporting Datenbank\r\n" + database + "\r\nwird durch die Sicherung \"" + args[2] +
                       "\" ersetzt. Der jetzige Stand wird vorher gesichert.\r\nWollen Sie weiterfahren?",
                   ui::Buttons::YesNo, ui::Icon::Question, "Sicherung zurückspielen");
    if (answer != ui::Answer::Yes) return 1;
    const std::string before = db::Backup::Restore(database, args[2], BackupsKept());
    std::cout << before << '\n';
    return 0;
}

// Runs the engine's integrity and foreign-key checks and checks every relation's keys; prints
// what it found, "ok" when nothing. Exit 1 when something is wrong.
int RunCheck(const std::vector<std::string>& args) {
    if (args.size() != 1 || args[0].rfind("--", 0) == 0) {
        std::cerr << "usage: tlx4r check REPORTING\n";
        return 2;
    }
    db::OpenOptions options;
    options.read_only = true;
    db::Database db = db::Database::Open(Full(args[0]), options);
    bool errors = false;
    for (const auto& finding : db.Check()) {
        std::cout << (finding.error ? "error: " : "note: ") << finding.text << '\n';
        errors = errors || finding.error;
    }
    if (!errors) std::cout << "ok\n";
    return errors ? 1 : 0;
}

}  // namespace tlx4r::cli
