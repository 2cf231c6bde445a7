#include "HidrawBackend.h"

#include <hidapi.h>
#include <libudev.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <vector>

#include "DeviceTable.h"
#include "Dispatcher.h"
#include "HidrawFilter.h"
#include "LibraryThread.h"
#include "ReportTrace.h"
#include "hidserv/HidServ.h"

namespace hidserv {

namespace {

// udev reports a keyboard as several hidraw nodes in a quick burst; waiting
// this long after the last one turns the burst into one enumeration (and one
// count change).
constexpr auto kSettleTime = std::chrono::milliseconds(150);
// Without a udev monitor the backend enumerates at this interval instead.
constexpr int kFallbackScanMs = 2000;
// Readers wake this often to notice a stop request.
constexpr int kReadTimeoutMs = 100;

// The interfaces whose input reports the program reads. The boot keyboard
// interface is deliberately not read: nothing uses it, and reading it would
// copy every keystroke of the user into this process (and its trace).
constexpr InterfaceMask kReadInterfaces = maskOf(Interface::Consumer) | maskOf(Interface::Control);

}  // namespace

// One open hidraw node of the keyboard: a handle for writing (also the proof
// that the user may open it) and, for the interfaces the program reads, a
// second handle with its reader thread. Two handles keep reads and writes
// from sharing hidapi's per-handle state across threads.
class HidrawNode : public ReportWriter {
  public:
    HidrawNode(InterfaceMask interfaces, hid_device* writeHandle, hid_device* readHandle,
               Dispatcher& dispatcher, ReportTrace& trace, Waker& lostSignal)
        : interfaces_(interfaces),
          writeHandle_(writeHandle),
          readHandle_(readHandle),
          dispatcher_(dispatcher),
          trace_(trace),
          lostSignal_(lostSignal) {}

    ~HidrawNode() override {
        stopReader();
        hid_close(writeHandle_);
    }

    static std::shared_ptr<HidrawNode> open(const KeyboardNode& node, Dispatcher& dispatcher,
                                            ReportTrace& trace, Waker& lostSignal) {
        hid_device* writeHandle = hid_open_path(node.path.c_str());
        if (!writeHandle)
            return nullptr;  // no permission, or gone already
        hid_device* readHandle = nullptr;
        if (node.interfaces & kReadInterfaces) {
            readHandle = hid_open_path(node.path.c_str());
            if (!readHandle) {
                hid_close(writeHandle);
                return nullptr;
            }
        }
        return std::make_shared<HidrawNode>(node.interfaces, writeHandle, readHandle, dispatcher,
                                            trace, lostSignal);
    }

    InterfaceMask interfaces() const { return interfaces_; }
    bool lost() const { return lost_; }

    void startReader() {
        if (readHandle_ && !reader_.joinable())
            reader_ = std::thread([this] { readLoop(); });
    }

    void stopReader() {
        stopping_ = true;
        if (reader_.joinable())
            reader_.join();
        if (readHandle_)
            hid_close(readHandle_);
        readHandle_ = nullptr;
    }

    bool write(Interface interface, const uint8_t* bytes, size_t length) override {
        if (!(interfaces_ & maskOf(interface)) || length == 0)
            return false;
        trace_.sent(bytes, length);
        std::lock_guard lock(writeMutex_);
        int written = hid_write(writeHandle_, bytes, length);
        return written >= 0 && static_cast<size_t>(written) == length;
    }

  private:
    void readLoop() {
        markLibraryThread();
        uint8_t report[kMaxReportSize];
        while (!stopping_) {
            int got = hid_read_timeout(readHandle_, report, sizeof report, kReadTimeoutMs);
            if (got < 0) {
                // The node went away (or broke): let the watcher enumerate again.
                lost_ = true;
                lostSignal_.signal();
                return;
            }
            if (got == 0)
                continue;
            trace_.received(report, static_cast<size_t>(got));
            for (Interface interface : {Interface::Consumer, Interface::Control}) {
                if (interfaces_ & maskOf(interface))
                    dispatcher_.postInput(interface, report, static_cast<size_t>(got));
            }
        }
    }

    const InterfaceMask interfaces_;
    hid_device* const writeHandle_;
    hid_device* readHandle_;
    Dispatcher& dispatcher_;
    ReportTrace& trace_;
    Waker& lostSignal_;
    std::mutex writeMutex_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> lost_{false};
    std::thread reader_;
};

HidrawBackend::HidrawBackend(DeviceTable& table, Dispatcher& dispatcher, ReportTrace& trace)
    : table_(table), dispatcher_(dispatcher), trace_(trace) {}

HidrawBackend::~HidrawBackend() {
    stop();
}

bool HidrawBackend::scanNow() {
    if (!started_) {
        if (hid_init() != 0)
            return false;
        started_ = true;
    }
    rescan();
    return true;
}

void HidrawBackend::start() {
    if (!started_ || thread_.joinable())
        return;
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
}

void HidrawBackend::stop() {
    if (!started_)
        return;
    stopping_ = true;
    waker_.signal();
    if (thread_.joinable())
        thread_.join();
    waker_.drain();
    for (auto& entry : nodes_) entry.second->stopReader();
    nodes_.clear();
    table_.replace(Source::Hidraw, {});
    hid_exit();
    started_ = false;
}

void HidrawBackend::rescan() {
    std::vector<HidEnumerationEntry> listed;
    hid_device_info* devices = hid_enumerate(HIDSERV_VENDOR_ID, HIDSERV_PRODUCT_ID);
    for (hid_device_info* info = devices; info; info = info->next) {
        if (!info->path)
            continue;
        listed.push_back(
            {info->path, info->vendor_id, info->product_id, info->usage_page, info->usage});
    }
    hid_free_enumeration(devices);
    std::vector<KeyboardNode> wanted = selectKeyboardNodes(listed);

    // Keep the nodes that are still listed with the same interfaces and still
    // work; close the rest before opening anything new on the same path.
    std::map<std::string, std::shared_ptr<HidrawNode>> kept;
    for (const KeyboardNode& node : wanted) {
        auto it = nodes_.find(node.path);
        if (it != nodes_.end() && it->second->interfaces() == node.interfaces &&
            !it->second->lost()) {
            kept.emplace(node.path, it->second);
        }
    }
    for (auto& entry : nodes_) {
        if (!kept.count(entry.first))
            entry.second->stopReader();
    }

    std::vector<std::shared_ptr<HidrawNode>> opened;
    for (const KeyboardNode& node : wanted) {
        if (kept.count(node.path))
            continue;
        if (auto opening = HidrawNode::open(node, dispatcher_, trace_, waker_)) {
            kept.emplace(node.path, opening);
            opened.push_back(opening);
        }
    }
    nodes_ = std::move(kept);
    // The count change goes out before the first report of a new node.
    publish();
    for (auto& node : opened) node->startReader();
}

void HidrawBackend::publish() {
    std::vector<AttachedEntry> entries;
    for (const auto& entry : nodes_) entries.push_back({entry.second->interfaces(), entry.second});
    table_.replace(Source::Hidraw, std::move(entries));
}

void HidrawBackend::run() {
    markLibraryThread();
    // Events from the udev daemon come after its rules have run, so the user's
    // access to a new node is already granted. Without the daemon (its control
    // socket is missing, as in many containers) no such events ever arrive.
    udev* context = udev_new();
    udev_monitor* monitor = nullptr;
    if (context && access("/run/udev/control", F_OK) == 0)
        monitor = udev_monitor_new_from_netlink(context, "udev");
    if (monitor &&
        (udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
         udev_monitor_enable_receiving(monitor) < 0)) {
        udev_monitor_unref(monitor);
        monitor = nullptr;
    }

    using Clock = std::chrono::steady_clock;
    // A pending enumeration and when it is due (optional<time_point> draws a
    // false maybe-uninitialized warning from GCC 12).
    bool rescanDue = false;
    Clock::time_point rescanAt{};
    while (!stopping_) {
        int timeout = monitor ? -1 : kFallbackScanMs;
        if (rescanDue) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(rescanAt - Clock::now());
            timeout = left.count() > 0 ? static_cast<int>(left.count()) : 0;
        }
        pollfd waitFor[2] = {{waker_.fd(), POLLIN, 0},
                             {monitor ? udev_monitor_get_fd(monitor) : -1, POLLIN, 0}};
        int ready = poll(waitFor, monitor ? 2 : 1, timeout);
        if (stopping_)
            break;
        if (ready < 0)
            continue;  // EINTR
        if (waitFor[0].revents) {
            // A reader lost its node. Waiting the settling time also keeps a
            // node that fails at once from being reopened in a tight loop.
            waker_.drain();
            rescanDue = true;
            rescanAt = Clock::now() + kSettleTime;
        }
        if (monitor && waitFor[1].revents) {
            if (waitFor[1].revents & (POLLERR | POLLHUP | POLLNVAL)) {
                // A broken monitor would wake the loop forever: fall back to
                // enumerating at intervals.
                udev_monitor_unref(monitor);
                monitor = nullptr;
            } else {
                while (udev_device* device = udev_monitor_receive_device(monitor))
                    udev_device_unref(device);
            }
            rescanDue = true;
            rescanAt = Clock::now() + kSettleTime;
        }
        if (ready == 0 && !monitor && !rescanDue) {
            rescanDue = true;
            rescanAt = Clock::now();
        }
        if (rescanDue && Clock::now() >= rescanAt) {
            rescanDue = false;
            rescan();
        }
    }
    if (monitor)
        udev_monitor_unref(monitor);
    if (context)
        udev_unref(context);
}

}  // namespace hidserv
