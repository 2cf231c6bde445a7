// VkbdRunner.h - starts keytune-vkbd from the program folder on a socket in a
// private temporary folder, for end-to-end tests and benchmarks, and stops it
// again (at the latest when the runner goes away).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace testsupport {

// The staged program folder of this build.
std::string stageFolder();

class VkbdRunner {
  public:
    // Makes the folder and points KEYTUNE_VKBD_SOCKET at the socket in it
    // (and sets KEYTUNE_HIDRAW=0), so libHidServ.so started by this test or
    // by a program it runs finds this keyboard and no real one.
    VkbdRunner();
    explicit VkbdRunner(std::string programFolder);
    ~VkbdRunner();  // stops the keyboard and removes the folder
    VkbdRunner(const VkbdRunner&) = delete;
    VkbdRunner& operator=(const VkbdRunner&) = delete;

    // Starts keytune-vkbd on socketPath() with the given extra options, with a
    // frame trace in tracePath() unless `trace` is false, and waits until the
    // socket accepts connections. False if it ended or did not come up within
    // 10 s (stderrText() then says why); false if it is already running.
    bool start(const std::vector<std::string>& options = {}, bool trace = true);
    // SIGTERM, then waits for the end (SIGKILL after 10 s). Its exit status,
    // or -1 when it was not running.
    int stop();
    bool running() const { return pid_ > 0; }

    // Runs `keytune-vkbd ctl --socket S WORDS...` to its end.
    ProgramResult ctl(const std::vector<std::string>& words) const;

    const std::string& folder() const { return folder_.path(); }
    std::string file(const std::string& name) const { return folder_.file(name); }
    const std::string& socketPath() const { return socket_; }
    std::string tracePath() const { return folder_.file("trace.txt"); }
    // What the last started keyboard wrote to its standard error.
    std::string stderrText() const { return TempFolder::read(folder_.file("vkbd.err")); }
    pid_t pid() const { return pid_; }

  private:
    std::string program_;
    TempFolder folder_;
    std::string socket_;
    pid_t pid_ = -1;
};

}  // namespace testsupport
