// VkbdBackend.h - the virtual keyboard (keytune-vkbd) as an attached device.
//
// The virtual keyboard listens on a Unix socket; one connection to it is one
// attached keyboard exposing all four interfaces. A thread watches for the
// socket (trying to connect every 100 ms while there is no connection), reads
// the keyboard's reports from the connection, and notices when it closes;
// after a disconnect it goes back to watching, so a restarted virtual keyboard
// is found again like a keyboard plugged in later.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "Waker.h"
#include "vkbd/VkbdWire.h"

namespace hidserv {

class DeviceTable;
class Dispatcher;
class ReportTrace;
class VkbdConnection;

class VkbdBackend {
  public:
    VkbdBackend(std::string socketPath, DeviceTable& table, Dispatcher& dispatcher,
                ReportTrace& trace);
    ~VkbdBackend();
    VkbdBackend(const VkbdBackend&) = delete;
    VkbdBackend& operator=(const VkbdBackend&) = delete;

    // One connection attempt on the calling thread (for the first scan in Init).
    void connectNow();
    void start();
    void stop();

    // How often the socket is looked for while not connected.
    static constexpr int kWatchIntervalMs = 100;

  private:
    void run();
    // Reads whatever the connection has; false once it is closed or corrupt.
    bool readAvailable();
    void detach();

    const std::string socketPath_;
    DeviceTable& table_;
    Dispatcher& dispatcher_;
    ReportTrace& trace_;
    Waker waker_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    // Owned by the backend's thread (or by the caller before start / after stop).
    std::shared_ptr<VkbdConnection> connection_;
    vkbd::wire::Decoder decoder_;
};

}  // namespace hidserv
