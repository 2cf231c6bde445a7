// VkbdRunner.h - starts keytune-vkbd from the program folder on a socket in a
// fresh temporary folder, for end-to-end tests and benchmarks.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace fake {

class VkbdRunner {
  public:
    // Makes the temporary folder and points KEYTUNE_VKBD_SOCKET at a socket
    // in it (and sets KEYTUNE_HIDRAW=0), so libHidServ.so finds this keyboard
    // and no real one.
    explicit VkbdRunner(std::string programFolder);
    ~VkbdRunner();  // stops the keyboard and removes the folder

    // Starts keytune-vkbd with the given extra options (and a frame trace in
    // tracePath() unless `trace` is false) and waits until its socket accepts
    // connections. False if it did not come up within 5 s.
    bool start(const std::vector<std::string>& options = {}, bool trace = true);
    // SIGTERM, then waits for the process to end.
    void stop();
    // Runs `keytune-vkbd ctl --socket S WORDS...`; returns its exit status.
    int control(const std::vector<std::string>& words) const;

    const std::string& folder() const { return folder_; }
    const std::string& socketPath() const { return socket_; }
    std::string tracePath() const { return folder_ + "/trace.txt"; }
    pid_t pid() const { return pid_; }

  private:
    std::string programFolder_;
    std::string folder_;
    std::string socket_;
    pid_t pid_ = -1;
};

// Runs a program and collects its standard output and exit status.
struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};
ProgramRun runProgram(const std::string& path, const std::vector<std::string>& args);

}  // namespace fake
