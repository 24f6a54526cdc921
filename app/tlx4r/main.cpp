#include "Command.h"
#include "ConsoleUi.h"

#include <cstring>
#include <exception>
#include <iostream>

namespace tlx4r::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands{
        {"demo-rules", "", "shows the date, time, amount and VAT rules at work", RunDemoRules},
        {"sql", "FILE \"STATEMENT\"", "runs a statement on a reporting database; rows are printed as CSV", RunSql},
        {"new", "REPORTING [--finance FINANCE]", "creates a reporting database (linked to the finance database)", RunNew},
        {"open", "REPORTING [--finance FINANCE]", "opens a reporting database and prints each table's row count", RunOpen},
        {"verify", "REPORTING [--full] [--finance FINANCE]", "checks and repairs a reporting database", RunVerify},
        {"compact", "REPORTING", "compacts a reporting database in place", RunCompact},
        {"convert", "REPORTING", "rebuilds a reporting database of an older format", RunConvert},
        {"demo", "[--size large] [--seed N] DIR", "creates a demo finance database and the reporting database linked to it in DIR (--size large: an office after twenty years, a million entries)", RunDemo},
        {"lookup", "REPORTING TABLE export|import FILE [options]",
         "writes or reads a lookup table (departments, project types, persons, templates) as a text file", RunLookup},
        {"projects", "REPORTING", "lists the projects as CSV", RunProjects},
        {"clients", "REPORTING", "lists the clients as CSV", RunClients},
        {"entries", "REPORTING [--verify]", "lists the entries as CSV (after checking and rewriting them)", RunEntries},
        {"export", "REPORTING [--formats XML;CSV;...] [--one-file] [--clear] [--dir DIR] [--finance FINANCE]",
         "exports all projects (XML, MDB, CSV, TXT, DBF) into the folder \"export\" or DIR; prints the count",
         RunExport},
        {"play", "REPORTING [--finance FINANCE] SCRIPT|-",
         "plays a dialog script: starts an operation that shows a form and acts on it as a user would", RunPlay},
        {"report",
         "entries|work|projects REPORTING [options]",
         "prints a report as the selection dialogs build it:\n"
         "        entries [--finance F] [--from dd.mm.yyyy] [--to dd.mm.yyyy] [--types GRATDNM] [--archive no|yes|all]\n"
         "          [--project ACCOUNTCODE] [--person SHORTNAME] [--text TEXT] [--match contains|begins|ends|exact]\n"
         "          [--sort date|entry] [--reverse] [--max all|10|20|50|100|200|500|1000] [--sql] [--csv FILE] [--pdf FILE]\n"
         "        work --project ACCOUNTCODE [--fees] [--from] [--to] [--types] [--archive] (types default to\n"
         "          the dialog's Standard: A for the work report, GAN for the fee statement)\n"
         "        projects [--finance F] [--group person|department|type] [--order code|name|opened|closed|billed]\n"
         "          [--desc] [--opened FROM..TO] [--closed FROM..TO|empty|notempty] [--billed FROM..TO|empty|notempty]\n"
         "          [--clients with|without] [--accounts with|without] [--sql]\n"
         "        --sql prints the statement and the criteria line; --pdf FILE writes the report as an A4 PDF\n"
         "          instead of printing it (also without a display; not in builds without Qt)",
         RunReport},
        {"contacts", "FILE|DIR", "lists the contacts of a vCard file or folder as the client editor takes them",
         RunContacts},
        {"vat", "REPORTING [--add dd.mm.yyyy RATE]",
         "lists the VAT rates by the day they apply from; --add adds a rate (percent) from that day on", RunVat},
        {"transfer", "REPORTING --finance FINANCE [--test] [--until dd.mm.yyyy | --clear]",
         "transfers the unbilled work into the finance database's client accounts; prints the summary", RunTransfer},
        {"archive",
         "REPORTING --finance FINANCE [--reactivate] [--project ACCOUNTCODE | --marked] [--from dd.mm.yyyy] "
         "[--to dd.mm.yyyy] [--types LETTERS] --yes",
         "archives (or reactivates) entries; prints how many the statement set", RunArchive},
        {"archive-delete", "REPORTING --finance FINANCE --yes",
         "deletes the archived entries for good and verifies the projects; prints how many went", RunArchiveDelete},
        {"backup", "list|restore REPORTING [NAME] [--yes]",
         "lists the automatic backups of a reporting database, or restores one (backing up the current state first)",
         RunBackup},
        {"check", "REPORTING", "runs the integrity and foreign-key checks on a reporting database", RunCheck},
        {"migrate", "FINANCE TARGET_FINANCE",
         "copies an office (the finance database and its reporting database) from files to a PostgreSQL server "
         "(postgresql://host/database/Name.tdb4f) or back, and compares the rows and sums of every table",
         RunMigrate},
    };
    return commands;
}

}  // namespace tlx4r::cli

namespace {

void Usage(std::ostream& out) {
    out << "usage: tlx4r COMMAND [ARGUMENTS] [--yes]\n\n"
           "--yes answers the questions that change or delete data; without it such a question fails the command\n\n"
           "commands:\n";
    for (const auto& c : tlx4r::cli::Commands()) {
        std::string head = std::string(c.name) + (std::strlen(c.usage) ? " " : "") + c.usage;
        out << "  " << head << "\n      " << c.summary << "\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        Usage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    tlx4r::cli::ConsoleUi console(std::cerr);
    tlx4r::ui::ScopedUi installed(console);
    std::vector<std::string> args;
    // --yes belongs to every command: it answers the questions that change or delete data.
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], tlx4r::cli::ConsoleUi::kYesOption) == 0)
            console.SetAnswerYes(true);
        else
            args.emplace_back(argv[i]);
    }
    for (const auto& c : tlx4r::cli::Commands()) {
        if (c.name != std::string(argv[1])) continue;
        try {
            return c.run(args);
        } catch (const std::exception& e) {
            std::cerr << "tlx4r " << c.name << ": " << e.what() << '\n';
            return 1;
        }
    }
    std::cerr << "tlx4r: unknown command '" << argv[1] << "'\n";
    Usage(std::cerr);
    return 2;
}
