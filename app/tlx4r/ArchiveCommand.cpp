// tlx4r archive and archive-delete: the archive dialogs' actions with their options set as the
// user would set them. Their questions need --yes, or an answer typed on the terminal.
#include "Command.h"
#include "ConsoleUi.h"
#include "ConfirmUi.h"
#include "HostSession.h"

#include "core/frmArchive.h"
#include "core/frmArchiveDelete.h"
#include "masterdata/Projects.h"
#include "platform/Console.h"
#include "types/Date.h"

#include <iostream>

namespace tlx4r::cli {

namespace {

constexpr const char* kArchiveUsage =
    "usage: tlx4r archive REPORTING --finance FINANCE [--reactivate] [--project ACCOUNTCODE | --marked] "
    "[--from dd.mm.yyyy] [--to dd.mm.yyyy] [--types LETTERS] [--yes]";
constexpr const char* kDeleteUsage = "usage: tlx4r archive-delete REPORTING --finance FINANCE [--yes]";

struct ArchiveArgs {
    DatabaseArgs database;
    bool yes = false;
    bool reactivate = false;
    bool marked = false;
    std::optional<std::string> project;
    std::optional<Date> from;
    std::optional<Date> to;
    std::optional<std::string> types;
};

// The arguments both commands share: the database with its finance database, and --yes; the
// options of archive only when archive is true. nullopt after saying what is wrong.
std::optional<ArchiveArgs> Parse(const char* command, const char* usage, const std::vector<std::string>& args,
                                 bool archive) {
    ArchiveArgs out;
    // The program takes --yes off the command line for every command and tells its console.
    if (auto* console = dynamic_cast<ConsoleUi*>(&ui::Current())) out.yes = console->AnswerYes();
    std::vector<std::string> database_args;
    auto value = [&](std::size_t& i) -> std::optional<std::string> {
        if (i + 1 == args.size()) {
            std::cerr << "tlx4r " << command << ": " << args[i] << " needs a value\n" << usage << '\n';
            return std::nullopt;
        }
        return args[++i];
    };
    auto date = [&](std::size_t& i, std::optional<Date>& target) {
        auto text = value(i);
        if (!text) return false;
        target = Date::Parse(*text);
        if (!target || target->DayNumber() == 0) {
            std::cerr << "tlx4r " << command << ": '" << *text << "' is no date (dd.mm.yyyy)\n";
            return false;
        }
        return true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--yes") {
            out.yes = true;
        } else if (archive && a == "--reactivate") {
            out.reactivate = true;
        } else if (archive && a == "--marked") {
            out.marked = true;
        } else if (archive && (a == "--project" || a == "--types")) {
            auto text = value(i);
            if (!text) return std::nullopt;
            (a == "--project" ? out.project : out.types) = *text;
        } else if (archive && (a == "--from" || a == "--to")) {
            if (!date(i, a == "--from" ? out.from : out.to)) return std::nullopt;
        } else {
            database_args.push_back(a);
        }
    }
    auto database = ParseDatabaseArgs(command, database_args, true, false);
    if (!database) {
        std::cerr << usage << '\n';
        return std::nullopt;
    }
    if (!database->finance) {
        std::cerr << "tlx4r " << command << ": the finance database is missing (--finance FINANCE)\n" << usage << '\n';
        return std::nullopt;
    }
    if (out.marked && out.project) {
        std::cerr << "tlx4r " << command << ": --project and --marked exclude each other\n" << usage << '\n';
        return std::nullopt;
    }
    if (out.types) {
        for (char c : *out.types) {
            if (std::string("GRATDNMgratdnm").find(c) == std::string::npos) {
                std::cerr << "tlx4r " << command << ": '" << c << "' is no record type (G, R, A, T, D, N, M)\n";
                return std::nullopt;
            }
        }
    }
    // Nobody can answer the question: refuse rather than guess.
    if (!out.yes && !platform::StandardInputIsTerminal()) {
        std::cerr << "tlx4r " << command
                  << ": standard input is no terminal to answer the question; confirm with --yes\n";
        return std::nullopt;
    }
    out.database = *database;
    return out;
}

}  // namespace

// Archives (or reactivates) the chosen entries and prints how many the statement set.
int RunArchive(const std::vector<std::string>& args) {
    auto parsed = Parse("archive", kArchiveUsage, args, true);
    if (!parsed) return 2;
    HostSession session;
    if (!session.Open(parsed->database)) return 1;
    frmArchive form;
    if (parsed->reactivate) form.optArchive[1].SetValue(true);
    if (parsed->marked) form.optMarkedForDelete.SetValue(true);
    if (parsed->project) {
        const std::int32_t id = session.Root().Projects()->ID(*parsed->project);
        if (id == 0) {
            std::cerr << "tlx4r archive: there is no project of the account '" << *parsed->project << "'\n";
            return 1;
        }
        form.ProjectID(id);
    }
    if (parsed->from || parsed->to) form.DateRange.SetFromTo(parsed->from, parsed->to);
    if (parsed->types) {
        std::vector<std::string> letters;
        for (char c : *parsed->types) letters.emplace_back(1, c);
        form.EntryType(letters);
    }
    ConfirmUi confirm(std::cerr, std::cin, parsed->yes);
    ui::ScopedUi installed(confirm);
    auto changed = form.Execute();
    if (!changed) {
        std::cerr << "Abgebrochen!\n";
        return 1;
    }
    std::cout << *changed << '\n';
    return 0;
}

// Deletes the archived entries, verifies the projects and prints how many entries went.
int RunArchiveDelete(const std::vector<std::string>& args) {
    auto parsed = Parse("archive-delete", kDeleteUsage, args, false);
    if (!parsed) return 2;
    HostSession session;
    if (!session.Open(parsed->database)) return 1;
    frmArchiveDelete form;
    ConfirmUi confirm(std::cerr, std::cin, parsed->yes);
    ui::ScopedUi installed(confirm);
    auto deleted = form.Execute();
    if (!deleted) {
        std::cerr << "Abgebrochen!\n";
        return 1;
    }
    std::cout << *deleted << '\n';
    return 0;
}

}  // namespace tlx4r::cli
