// ProgramRun.h - runs a program to its end with its output collected, and
// waits for processes with a deadline so that a hung child cannot hang a test.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace testsupport {

struct ProgramResult {
    // The exit status; 128 + signal number when a signal ended it; -1 when it
    // could not be started or was killed at the deadline.
    int exitCode = -1;
    bool timedOut = false;
    std::string out;
    std::string err;
};

// Runs `path` with `args` (stdin from /dev/null, the current environment) and
// collects its standard output and standard error. A program still running
// after `timeoutMs` is killed.
ProgramResult runProgram(const std::string& path, const std::vector<std::string>& args,
                         int timeoutMs = 30000);

// Starts `path` with `args`, its standard output and standard error going to
// the given files (created or truncated). The process id, or -1.
pid_t spawnProgram(const std::string& path, const std::vector<std::string>& args,
                   const std::string& outFile, const std::string& errFile);

// Waits up to `timeoutMs` for the child to end: its exit status as above, or
// -1 when it is still running at the deadline (it is then left running).
int waitForExit(pid_t pid, int timeoutMs);

// SIGTERM, up to `graceMs` to end, then SIGKILL. The exit status.
int endProcess(pid_t pid, int graceMs);

}  // namespace testsupport
