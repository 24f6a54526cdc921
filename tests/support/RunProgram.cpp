#include "RunProgram.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace tlx4r::test {

namespace {

std::string ShellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace

Outcome RunProgram(const std::string& program, const std::vector<std::string>& args, const TempDir& dir) {
    const std::string err_file = dir.File("stderr.txt");
    std::string command = "XDG_CONFIG_HOME=" + ShellQuote(dir.File("config")) +
                          " XDG_STATE_HOME=" + ShellQuote(dir.File("state")) + " " + ShellQuote(program);
    for (const auto& a : args) command += " " + ShellQuote(a);
    command += " 2>" + ShellQuote(err_file);
    Outcome run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = FileBytes(err_file);
    return run;
}

}  // namespace tlx4r::test
