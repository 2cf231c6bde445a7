// HidrawBackend.h - the real keyboard through hidapi's hidraw backend.
//
// The keyboard's interfaces are found with hid_enumerate and told apart by
// usage page and usage; each node that can be opened counts (a node the user
// may not open is left out and tried again at the next change). A libudev
// monitor on the "hidraw" subsystem reports nodes coming and going; after a
// short settling time the backend enumerates again and brings its list of
// open nodes in step. Each node serving the consumer or control interface gets
// a reader thread that hands its input reports to the dispatcher.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "Interface.h"
#include "Waker.h"

namespace hidserv {

class DeviceTable;
class Dispatcher;
class ReportTrace;
class HidrawNode;

class HidrawBackend {
  public:
    HidrawBackend(DeviceTable& table, Dispatcher& dispatcher, ReportTrace& trace);
    ~HidrawBackend();
    HidrawBackend(const HidrawBackend&) = delete;
    HidrawBackend& operator=(const HidrawBackend&) = delete;

    // Initialises hidapi and does the first enumeration on the calling thread.
    // False when hidapi cannot be used (then nothing is counted).
    bool scanNow();
    // Starts watching for nodes coming and going (after scanNow succeeded).
    void start();
    void stop();

  private:
    void run();
    void rescan();
    void publish();

    DeviceTable& table_;
    Dispatcher& dispatcher_;
    ReportTrace& trace_;
    Waker waker_;  // stop requests and readers that lost their node
    std::atomic<bool> stopping_{false};
    bool started_ = false;
    std::thread thread_;
    // Open nodes by path; owned by the watching thread (or by start/stop).
    std::map<std::string, std::shared_ptr<HidrawNode>> nodes_;
};

}  // namespace hidserv
