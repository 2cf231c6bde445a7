// VkbdProcess.h - runs keytune-vkbd for a test and talks to it over its socket.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "vkbd/FrameLayout.h"
#include "vkbd/VkbdWire.h"

namespace vkbd::testing {

// A private temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

std::string programPath();
std::string readText(const std::string& path);

// Runs a program to completion with stdout and stderr captured.
struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};
RunResult runToEnd(const std::vector<std::string>& args, const std::string& scratchDir);

class VkbdProcess {
  public:
    // Starts keytune-vkbd with the arguments; its stdout and stderr go to
    // files in dir. waitReady: wait until the socket accepts connections.
    VkbdProcess(const std::vector<std::string>& args, const std::string& dir,
                const std::string& socketPath, bool waitReady = true);
    ~VkbdProcess();

    bool ready() const { return ready_; }
    // Sends SIGTERM and returns the exit status (-1 if it did not exit).
    int terminate();
    // Waits for the process to end by itself; exit status or -1.
    int waitExit(int timeoutMs);
    std::string stderrText() const;

  private:
    pid_t pid_ = -1;
    bool ready_ = false;
    std::string dir_;
};

class Client {
  public:
    explicit Client(const std::string& socketPath);
    ~Client();
    bool connected() const { return fd_ >= 0; }

    bool send(wire::MessageType type, const std::vector<uint8_t>& payload);
    bool sendFrame(const Frame& frame);
    // The next message, or nothing on time-out or when the keyboard closed the
    // connection (see closedByPeer()).
    std::optional<wire::Message> receive(int timeoutMs = 3000);
    // The next control report, skipping consumer reports.
    std::optional<Frame> exchange(const Frame& request, int timeoutMs = 3000);
    bool closedByPeer() const { return closed_; }
    void close();

  private:
    int fd_ = -1;
    bool closed_ = false;
    wire::Decoder decoder_;
};

bool waitForConnectable(const std::string& socketPath, int timeoutMs);

}  // namespace vkbd::testing
