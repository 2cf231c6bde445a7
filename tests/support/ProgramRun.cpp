#include "support/ProgramRun.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "support/TempFolder.h"

extern char** environ;

namespace testsupport {

pid_t spawnProgram(const std::string& path, const std::vector<std::string>& args,
                   const std::string& outFile, const std::string& errFile) {
    std::vector<std::string> all = {path};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);

    // posix_spawn rather than fork: the test process may have threads of its
    // own (the device library's), and a forked copy of them is unsafe.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = -1;
    if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int waitForExit(pid_t pid, int timeoutMs) {
    if (pid <= 0)
        return -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (ended < 0 && errno != EINTR)
            return -1;
        if (std::chrono::steady_clock::now() >= deadline)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

int endProcess(pid_t pid, int graceMs) {
    if (pid <= 0)
        return -1;
    ::kill(pid, SIGTERM);
    int status = waitForExit(pid, graceMs);
    if (status == -1) {
        ::kill(pid, SIGKILL);
        status = waitForExit(pid, 5000);
    }
    return status;
}

ProgramResult runProgram(const std::string& path, const std::vector<std::string>& args,
                         int timeoutMs) {
    ProgramResult result;
    TempFolder scratch;
    if (scratch.path().empty())
        return result;
    const pid_t pid = spawnProgram(path, args, scratch.file("out"), scratch.file("err"));
    if (pid < 0)
        return result;
    result.exitCode = waitForExit(pid, timeoutMs);
    if (result.exitCode == -1) {
        result.timedOut = true;
        ::kill(pid, SIGKILL);
        waitForExit(pid, 5000);
    }
    result.out = TempFolder::read(scratch.file("out"));
    result.err = TempFolder::read(scratch.file("err"));
    return result;
}

}  // namespace testsupport
