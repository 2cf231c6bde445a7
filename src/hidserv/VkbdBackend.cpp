#include "VkbdBackend.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>

#include "DeviceTable.h"
#include "Dispatcher.h"
#include "LibraryThread.h"
#include "ReportTrace.h"

namespace hidserv {

namespace {

using vkbd::wire::MessageType;

constexpr size_t kControlReportSize = 64;
constexpr size_t kStatusReportSize = 2;
// A write that cannot go out within this time (the virtual keyboard stopped
// reading) fails, and the connection is dropped rather than left half-written.
constexpr int kWriteTimeoutMs = 1000;

constexpr InterfaceMask kAllInterfaces = maskOf(Interface::Keyboard) | maskOf(Interface::Consumer) |
                                         maskOf(Interface::Control) | maskOf(Interface::Status);

int connectTo(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return -1;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

// One connection to the virtual keyboard: the writing side, shared with the
// device table so that any thread can write while the backend thread reads.
class VkbdConnection : public ReportWriter {
  public:
    VkbdConnection(int fd, ReportTrace& trace) : fd_(fd), trace_(trace) {}
    ~VkbdConnection() override { close(fd_); }

    int fd() const { return fd_; }

    // Ends the connection for both sides; the descriptor itself stays open
    // until the last user lets go, so it can never be reused under a writer.
    void shutdown() { ::shutdown(fd_, SHUT_RDWR); }

    bool write(Interface interface, const uint8_t* bytes, size_t length) override {
        if (interface == Interface::Control) {
            // The control interface carries fixed 64-byte reports: a shorter
            // request is padded with zeros, a longer one does not fit.
            if (length > kControlReportSize)
                return false;
            uint8_t report[kControlReportSize] = {};
            std::memcpy(report, bytes, length);
            trace_.sent(report, sizeof report);
            return send(MessageType::ControlReport, report, sizeof report);
        }
        if (interface == Interface::Status) {
            if (length != kStatusReportSize)
                return false;
            trace_.sent(bytes, length);
            return send(MessageType::StatusWrite, bytes, length);
        }
        return false;  // the keyboard and consumer interfaces take no output here
    }

  private:
    bool send(MessageType type, const uint8_t* bytes, size_t length) {
        std::vector<uint8_t> message = vkbd::wire::encode(type, bytes, length);
        std::lock_guard lock(writeMutex_);
        auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
        size_t done = 0;
        while (done < message.size()) {
            ssize_t sent = ::send(fd_, message.data() + done, message.size() - done, MSG_NOSIGNAL);
            if (sent > 0) {
                done += static_cast<size_t>(sent);
                continue;
            }
            if (sent < 0 && errno == EINTR)
                continue;
            if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now());
                pollfd waitFor{fd_, POLLOUT, 0};
                if (left.count() > 0 && poll(&waitFor, 1, static_cast<int>(left.count())) >= 0)
                    continue;
            }
            // A message cut short would leave the stream unreadable for the
            // other side: give the connection up instead.
            shutdown();
            return false;
        }
        return true;
    }

    const int fd_;
    ReportTrace& trace_;
    std::mutex writeMutex_;
};

VkbdBackend::VkbdBackend(std::string socketPath, DeviceTable& table, Dispatcher& dispatcher,
                         ReportTrace& trace)
    : socketPath_(std::move(socketPath)), table_(table), dispatcher_(dispatcher), trace_(trace) {}

VkbdBackend::~VkbdBackend() {
    stop();
}

void VkbdBackend::connectNow() {
    if (connection_)
        return;
    struct stat info {};
    if (stat(socketPath_.c_str(), &info) != 0 || !S_ISSOCK(info.st_mode))
        return;
    int fd = connectTo(socketPath_);
    if (fd < 0)
        return;
    connection_ = std::make_shared<VkbdConnection>(fd, trace_);
    decoder_ = vkbd::wire::Decoder();
    table_.replace(Source::Virtual, {AttachedEntry{kAllInterfaces, connection_}});
}

void VkbdBackend::start() {
    if (thread_.joinable())
        return;
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
}

void VkbdBackend::stop() {
    stopping_ = true;
    waker_.signal();
    if (thread_.joinable())
        thread_.join();
    waker_.drain();
    detach();
}

void VkbdBackend::run() {
    markLibraryThread();
    while (!stopping_) {
        if (!connection_) {
            // Waiting before each attempt (Init has just tried once) also
            // keeps a removal and the next arrival at least one interval
            // apart, as with a keyboard pulled out and plugged in again.
            pollfd waitFor{waker_.fd(), POLLIN, 0};
            poll(&waitFor, 1, kWatchIntervalMs);
            if (!stopping_)
                connectNow();
            continue;
        }
        pollfd waitFor[2] = {{connection_->fd(), POLLIN, 0}, {waker_.fd(), POLLIN, 0}};
        if (poll(waitFor, 2, -1) < 0)
            continue;  // EINTR
        if (waitFor[1].revents)
            continue;  // stop requested
        if (waitFor[0].revents && !readAvailable())
            detach();
    }
}

bool VkbdBackend::readAvailable() {
    uint8_t buffer[4096];
    for (;;) {
        // poll said there is something to read: one recv takes it, and only a
        // full buffer means more may be waiting. Asking again for what is not
        // there would cost a system call on every response.
        ssize_t got = recv(connection_->fd(), buffer, sizeof buffer, 0);
        if (got == 0)
            return false;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno == EAGAIN || errno == EWOULDBLOCK;
        }
        decoder_.feed(buffer, static_cast<size_t>(got));
        while (auto message = decoder_.next()) {
            const auto& payload = message->payload;
            if (message->type == MessageType::ControlReport) {
                trace_.received(payload.data(), payload.size());
                // A control response goes straight to its callback from this
                // thread when the control lane is idle, saving a thread hop
                // per exchange. Control callbacks only hand the response
                // over, so they do not hold up this reader for long.
                dispatcher_.deliverInput(Interface::Control, payload.data(), payload.size());
            } else if (message->type == MessageType::ConsumerReport) {
                trace_.received(payload.data(), payload.size());
                // Consumer callbacks may wait for the program's window
                // thread: they always run on their own lane's thread.
                dispatcher_.postInput(Interface::Consumer, payload.data(), payload.size());
            }
            // Control-command replies belong to `keytune-vkbd ctl` clients; ignored.
        }
        if (decoder_.corrupt())
            return false;
        if (stopping_ || static_cast<size_t>(got) < sizeof buffer)
            break;
    }
    return true;
}

void VkbdBackend::detach() {
    if (!connection_)
        return;
    table_.replace(Source::Virtual, {});
    connection_->shutdown();
    connection_.reset();
}

}  // namespace hidserv
