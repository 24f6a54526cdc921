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

std::string PgTools::Run(const std::vector<std::string>& args) {
    char err_template[] = "/tmp/tlx4r-pgtool-XXXXXX";
    const int err = ::mkstemp(err_template);
    if (err < 0) return "no temporary file for the tool's messages";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
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
    std::ifstream in(err_template);
    std::stringstream text;
    text << in.rdbuf();
    std::remove(err_template);
    if (rc != 0) return "'" + args[0] + "' cannot be started (the PostgreSQL client programs are missing?)";
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return {};
    std::string message = text.str();
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

}  // namespace tlx4r::db
