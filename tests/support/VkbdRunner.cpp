#include "support/VkbdRunner.h"

#include <stdlib.h>

#include <chrono>
#include <thread>

#include "support/LocalSocket.h"

namespace testsupport {

std::string stageFolder() {
    return KEYTUNE_STAGE_DIR;
}

VkbdRunner::VkbdRunner() : VkbdRunner(stageFolder()) {}

VkbdRunner::VkbdRunner(std::string programFolder)
    : program_(std::move(programFolder) + "/keytune-vkbd"), socket_(folder_.file("vkbd.sock")) {
    ::setenv("KEYTUNE_VKBD_SOCKET", socket_.c_str(), 1);
    ::setenv("KEYTUNE_HIDRAW", "0", 1);
}

VkbdRunner::~VkbdRunner() {
    stop();
}

bool VkbdRunner::start(const std::vector<std::string>& options, bool trace) {
    if (running() || folder_.path().empty())
        return false;
    std::vector<std::string> args = {"--socket", socket_};
    if (trace)
        args.insert(args.end(), {"--trace", tracePath()});
    args.insert(args.end(), options.begin(), options.end());
    pid_ = spawnProgram(program_, args, folder_.file("vkbd.out"), folder_.file("vkbd.err"));
    if (pid_ < 0)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitUntilAccepting(socket_, 10))
            return true;
        if (waitForExit(pid_, 0) != -1) {  // it gave up (a bad option, a live socket)
            pid_ = -1;
            return false;
        }
    }
    return false;
}

int VkbdRunner::stop() {
    if (!running())
        return -1;
    const int status = endProcess(pid_, 10000);
    pid_ = -1;
    return status;
}

ProgramResult VkbdRunner::ctl(const std::vector<std::string>& words) const {
    std::vector<std::string> args = {"ctl", "--socket", socket_};
    args.insert(args.end(), words.begin(), words.end());
    return runProgram(program_, args);
}

}  // namespace testsupport
