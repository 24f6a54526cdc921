#include "RunProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>

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

bool RunAndKill(const std::string& program, const std::vector<std::string>& args, const TempDir& dir, long delay_us) {
    std::vector<std::string> argv_text{program};
    argv_text.insert(argv_text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argv_text) argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string config = dir.File("config");
    const std::string state = dir.File("state");
    const pid_t child = ::fork();
    if (child == -1) return false;
    if (child == 0) {
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ::setenv("XDG_STATE_HOME", state.c_str(), 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::usleep(static_cast<useconds_t>(delay_us));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

}  // namespace tlx4r::test
