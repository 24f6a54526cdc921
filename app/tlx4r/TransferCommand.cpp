// tlx4r transfer: the transfer of unbilled work into the finance database, run by the transfer
// dialog's own code with its options set as the user would set them.
#include "Command.h"
#include "HostSession.h"

#include "core/frmTransfer.h"
#include "types/Date.h"

#include <iostream>

namespace tlx4r::cli {

namespace {

constexpr const char* kUsage =
    "usage: tlx4r transfer REPORTING --finance FINANCE [--test] [--until dd.mm.yyyy | --clear]";

struct TransferArgs {
    DatabaseArgs database;
    bool test = false;
    bool clear = false;
    std::optional<Date> until;
};

std::optional<TransferArgs> Parse(const std::vector<std::string>& args) {
    TransferArgs out;
    std::vector<std::string> database_args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--test") {
            out.test = true;
        } else if (a == "--clear") {
            out.clear = true;
        } else if (a == "--until") {
            if (i + 1 == args.size()) {
                std::cerr << "tlx4r transfer: --until needs a date (dd.mm.yyyy)\n" << kUsage << '\n';
                return std::nullopt;
            }
            out.until = Date::Parse(args[++i]);
            if (!out.until || out.until->DayNumber() == 0) {
                std::cerr << "tlx4r transfer: '" << args[i] << "' is no date (dd.mm.yyyy)\n";
                return std::nullopt;
            }
        } else {
            database_args.push_back(a);
        }
    }
    auto database = ParseDatabaseArgs("transfer", database_args, true, false);
    if (!database) {
        std::cerr << kUsage << '\n';
        return std::nullopt;
    }
    if (!database->finance) {
        std::cerr << "tlx4r transfer: the finance database is missing (--finance FINANCE)\n" << kUsage << '\n';
        return std::nullopt;
    }
    if (out.clear && out.until) {
        std::cerr << "tlx4r transfer: --until and --clear exclude each other\n" << kUsage << '\n';
        return std::nullopt;
    }
    out.database = *database;
    return out;
}

std::string Lines(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c != '\r') out += c;
    }
    return out;
}

}  // namespace

// Prints the summary of the run (on stderr and with exit code 1 when an error cut it short).
int RunTransfer(const std::vector<std::string>& args) {
    auto parsed = Parse(args);
    if (!parsed) return 2;
    HostSession session;
    if (!session.Open(parsed->database)) return 1;
    frmTransfer form;
    if (parsed->clear) form.optTransferClear.SetValue(true);
    if (parsed->until) {
        form.optTransferDatum.SetValue(true);
        form.dtpDatum.SetValue(*parsed->until);
    }
    form.Run(!parsed->test);
    (form.Failed() ? std::cerr : std::cout) << Lines(form.Summary()) << '\n';
    return form.Failed() ? 1 : 0;
}

}  // namespace tlx4r::cli
