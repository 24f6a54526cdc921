#include "Command.h"
#include "HostSession.h"
#include "PlayOperations.h"

#include <fstream>
#include <iostream>

namespace tlx4r::cli {

// Plays a dialog script against a reporting database: the forms run headless, the script stands
// in for the user, and what the forms show and answer is printed. See the user guide.
int RunPlay(const std::vector<std::string>& args) {
    if (args.empty() || args.back().rfind("--", 0) == 0) {
        std::cerr << "usage: tlx4r play REPORTING [--finance FINANCE] SCRIPT|-\n";
        return 2;
    }
    const std::string script_name = args.back();
    auto parsed = ParseDatabaseArgs("play", std::vector<std::string>(args.begin(), args.end() - 1), true, false);
    if (!parsed) return 2;

    std::ifstream file;
    std::istream* script = &std::cin;
    if (script_name != "-") {
        file.open(script_name);
        if (!file) {
            std::cerr << "tlx4r play: cannot read " << script_name << '\n';
            return 2;
        }
        script = &file;
    }
    HostSession session;
    if (!session.Open(*parsed)) return 1;
    ui::script::ScriptPlayer player(std::cout, std::cerr, PlayOperations(session));
    return player.Play(*script);
}

}  // namespace tlx4r::cli
