#include "PgTools.h"

#include "db/DbError.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace tlx4r::db {

namespace {

std::string Slurp(const char* path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::string PgTools::Run(const std::vector<std::string>& args, std::string* output) {
    char err_template[] = "/tmp/tlx4r-pgtool-XXXXXX";
    const int err = ::mkstemp(err_template);
    if (err < 0) return "no temporary file for the tool's messages";
    char out_template[] = "/tmp/tlx4r-pgtool-XXXXXX";
    const int out = output ? ::mkstemp(out_template) : -1;
    if (output && out < 0) {
        ::close(err);
        std::remove(err_template);
        return "no temporary file for the tool's output";
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    if (out >= 0) posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (rc == 0) ::waitpid(pid, &status, 0);
    ::close(err);
    std::string message = Slurp(err_template);
    std::remove(err_template);
    if (out >= 0) {
        ::close(out);
        *output = Slurp(out_template);
        std::remove(out_template);
    }
    if (rc != 0) return "'" + args[0] + "' cannot be started (the PostgreSQL client programs are missing?)";
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return {};
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
    return message.empty() ? "'" + args[0] + "' failed" : message;
}

void PgTools::Dump(const std::string& conninfo, const std::string& schema, const std::string& path) {
    const std::string message =
        Run({"pg_dump", "--format=custom", "--no-owner", "--schema=\"" + schema + "\"", "--file=" + path, "--dbname=" + conninfo});
    if (message.empty()) return;
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    throw DbError(3043, "The backup of '" + schema + "' into '" + path + "' failed: " + message);
}

void PgTools::Restore(const std::string& conninfo, const std::string& path) {
    const std::string message = Run({"pg_restore", "--no-owner", "--single-transaction", "--exit-on-error",
                                     "--dbname=" + conninfo, path});
    if (!message.empty()) throw DbError(3043, "Restoring '" + path + "' failed: " + message);
}

// A line of the table of contents: "7; 2615 123280 SCHEMA - name owner".
std::vector<std::string> PgTools::SchemasOf(const std::string& path) {
    std::string contents;
    const std::string message = Run({"pg_restore", "--list", path}, &contents);
    if (!message.empty()) throw DbError(3043, "'" + path + "' is no backup of a server database: " + message);
    std::vector<std::string> schemas;
    std::istringstream lines(contents);
    for (std::string line; std::getline(lines, line);) {
        const std::string mark = " SCHEMA - ";
        const auto at = line.find(mark);
        const auto owner = line.rfind(' ');
        if (line.empty() || line[0] == ';' || at == std::string::npos || owner <= at + mark.size()) continue;
        schemas.push_back(line.substr(at + mark.size(), owner - at - mark.size()));
    }
    return schemas;
}

}  // namespace tlx4r::db
