#include "Command.h"
#include "ConsoleUi.h"

#include <cstring>
#include <exception>
#include <iostream>

namespace tlx4r::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands{
        {"demo-rules", "", "shows the date, time, amount and VAT rules at work", RunDemoRules},
    };
    return commands;
}

}  // namespace tlx4r::cli

namespace {

void Usage(std::ostream& out) {
    out << "usage: tlx4r COMMAND [ARGUMENTS]\n\ncommands:\n";
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
    std::vector<std::string> args(argv + 2, argv + argc);
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
