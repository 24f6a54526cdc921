#include "DocumentOpener.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

extern char** environ;

namespace tlx4r::platform {

namespace fs = std::filesystem;

namespace {

DocumentOpener* g_opener = nullptr;

constexpr int kDone = 42;

int FromXdgExit(int status) {
    switch (status) {
        case 0:
            return kDone;
        case 2:
            return 2;   // the file does not exist
        case 3:
            return 31;  // no tool to open this kind of file
        default:
            return 27;  // the opener failed
    }
}

}  // namespace

int XdgOpener::Open(const std::string& path, const std::string& working_dir) {
    std::error_code ec;
    fs::path p(path);
    if (!p.has_parent_path() || fs::is_directory(p.parent_path(), ec)) {
        if (!fs::exists(p, ec)) return 2;
    } else {
        return 3;
    }
    if (access(path.c_str(), R_OK) != 0) return 5;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!working_dir.empty()) posix_spawn_file_actions_addchdir_np(&actions, working_dir.c_str());
    std::string program = "xdg-open";
    std::vector<char*> argv{program.data(), const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return 31;

    using namespace std::chrono;
    auto deadline = steady_clock::now() + seconds(3);
    while (steady_clock::now() < deadline) {
        int status = 0;
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return WIFEXITED(status) ? FromXdgExit(WEXITSTATUS(status)) : 27;
        if (done < 0) return kDone;
        std::this_thread::sleep_for(milliseconds(20));
    }
    // Still running: the document is open in a program xdg-open waits for. Reap it later so
    // that no zombie stays behind.
    std::thread([pid] {
        int status = 0;
        waitpid(pid, &status, 0);
    }).detach();
    return kDone;
}

DocumentOpener& DefaultOpener() {
    static XdgOpener xdg;
    return g_opener != nullptr ? *g_opener : xdg;
}

void SetDefaultOpener(DocumentOpener* opener) { g_opener = opener; }

}  // namespace tlx4r::platform
