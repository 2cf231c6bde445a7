// VkbdServer.cpp - socket handling for the virtual keyboard.
#include "VkbdServer.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "ControlCommand.h"

namespace vkbd {
namespace {

constexpr size_t kMaxClientBacklog = 4u << 20;  // a client that never reads is dropped
constexpr size_t kReadChunk = 4096;

// SIGINT/SIGTERM write one byte here; the poll loop wakes on it.
int gSignalPipe[2] = {-1, -1};
volatile std::sig_atomic_t gStopRequested = 0;

void onStopSignal(int) {
    gStopRequested = 1;
    if (gSignalPipe[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t ignored = ::write(gSignalPipe[1], &byte, 1);
    }
}

bool setNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL, 0);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

bool fillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

void installSignalHandlers() {
    if (gSignalPipe[0] < 0 && pipe(gSignalPipe) == 0) {
        for (int fd : gSignalPipe) {
            setNonBlocking(fd);
            fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    }
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A client that vanishes while we write to it must not end the keyboard.
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace

VkbdServer::VkbdServer(ServerOptions options, Firmware& firmware)
    : options_(std::move(options)), firmware_(firmware) {}

VkbdServer::~VkbdServer() {
    for (Client& c : clients_) closeClient(c);
    if (listenFd_ >= 0)
        ::close(listenFd_);
    if (ownsSocketFile_)
        ::unlink(options_.socketPath.c_str());
}

bool VkbdServer::start() {
    sockaddr_un address;
    if (!fillAddress(options_.socketPath, address)) {
        std::fprintf(stderr, "keytune-vkbd: socket path is empty or too long: %s\n",
                     options_.socketPath.c_str());
        return false;
    }

    // Another virtual keyboard that still answers owns the socket; a socket
    // file nobody listens on is left over from a crash and is removed.
    struct stat info {};
    if (::lstat(options_.socketPath.c_str(), &info) == 0) {
        if (!S_ISSOCK(info.st_mode)) {
            std::fprintf(stderr, "keytune-vkbd: %s exists and is not a socket\n",
                         options_.socketPath.c_str());
            return false;
        }
        const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool live = probe >= 0 && ::connect(probe, reinterpret_cast<sockaddr*>(&address),
                                                  sizeof address) == 0;
        if (probe >= 0)
            ::close(probe);
        if (live) {
            std::fprintf(stderr,
                         "keytune-vkbd: another virtual keyboard is already running on %s\n",
                         options_.socketPath.c_str());
            return false;
        }
        ::unlink(options_.socketPath.c_str());
    }

    if (!options_.tracePath.empty() && !trace_.open(options_.tracePath)) {
        std::fprintf(stderr, "keytune-vkbd: cannot write the trace file %s: %s\n",
                     options_.tracePath.c_str(), std::strerror(errno));
        return false;
    }

    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0 ||
        ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        std::fprintf(stderr, "keytune-vkbd: cannot bind %s: %s\n", options_.socketPath.c_str(),
                     std::strerror(errno));
        return false;
    }
    ownsSocketFile_ = true;
    if (::listen(listenFd_, 16) != 0 || !setNonBlocking(listenFd_)) {
        std::fprintf(stderr, "keytune-vkbd: cannot listen on %s: %s\n", options_.socketPath.c_str(),
                     std::strerror(errno));
        return false;
    }
    installSignalHandlers();
    return true;
}

int VkbdServer::run() {
    std::vector<pollfd> fds;
    std::vector<Client*> polled;
    while (!gStopRequested) {
        fds.clear();
        polled.clear();
        fds.push_back({listenFd_, POLLIN, 0});
        fds.push_back({gSignalPipe[0], POLLIN, 0});
        for (Client& c : clients_) {
            const short events = POLLIN | (c.output.empty() ? 0 : POLLOUT);
            fds.push_back({c.fd, events, 0});
            polled.push_back(&c);
        }
        const int ready = ::poll(fds.data(), fds.size(), pollTimeoutMs());
        if (ready < 0 && errno != EINTR) {
            std::perror("keytune-vkbd: poll");
            break;
        }
        if (gStopRequested)
            break;

        sendPendingDue();
        for (size_t i = 0; i < polled.size(); ++i) {
            Client& c = *polled[i];
            const short revents = fds[2 + i].revents;
            if (c.fd < 0 || revents == 0)
                continue;
            if (revents & (POLLIN | POLLHUP | POLLERR))
                readFrom(c);
            if (c.fd >= 0 && (revents & POLLOUT))
                flush(c);
        }
        if (fds[0].revents & POLLIN)
            acceptClients();
        clients_.remove_if([](const Client& c) { return c.fd < 0; });
    }

    saveIfDue(true);
    for (Client& c : clients_) closeClient(c);
    clients_.clear();
    ::close(listenFd_);
    listenFd_ = -1;
    if (ownsSocketFile_)
        ::unlink(options_.socketPath.c_str());
    ownsSocketFile_ = false;
    return 0;
}

void VkbdServer::acceptClients() {
    for (;;) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        Client& c = clients_.emplace_back();
        c.fd = fd;
        c.id = nextClientId_++;
    }
}

void VkbdServer::readFrom(Client& client) {
    uint8_t buffer[kReadChunk];
    const ssize_t n = ::recv(client.fd, buffer, sizeof buffer, 0);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        closeClient(client);
        return;
    }
    if (n < 0)
        return;
    client.decoder.feed(buffer, static_cast<size_t>(n));
    while (client.fd >= 0) {
        std::optional<wire::Message> message = client.decoder.next();
        if (!message)
            break;
        handleMessage(client, *message);
    }
    if (client.fd >= 0 && client.decoder.corrupt())
        closeClient(client);
}

void VkbdServer::handleMessage(Client& client, const wire::Message& message) {
    switch (message.type) {
        case wire::MessageType::ControlReport:
            handleControlReport(client, message.payload);
            break;
        case wire::MessageType::StatusWrite:
            firmware_.writeStatus(message.payload.data(), message.payload.size());
            break;
        case wire::MessageType::ControlCommand:
            handleControlCommand(client, message.payload);
            break;
        default:
            break;  // nothing else travels from a client to the keyboard
    }
}

void VkbdServer::handleControlReport(Client& client, const std::vector<uint8_t>& payload) {
    // Like a HID write: a shorter report is padded with zeros, a longer one cut.
    Frame request{};
    std::copy_n(payload.begin(), std::min(payload.size(), request.size()), request.begin());
    trace_.received(request);

    if (disconnectCountdown_ > 0 && --disconnectCountdown_ == 0) {
        // The keyboard is pulled out before it answers this request.
        disconnectEveryone();
        return;
    }

    const std::optional<Frame> response = firmware_.handleRequest(request);
    saveIfDue(false);
    if (!response)
        return;

    const int delayMs = firmware_.responseDelayMs(request[frame::kCommandAt]);
    if (delayMs <= 0 && pending_.empty()) {
        sendResponse(client.id, *response);
        return;
    }
    // Delayed answers leave in the order their requests came.
    auto due = std::chrono::steady_clock::now() + std::chrono::milliseconds(delayMs);
    if (!pending_.empty())
        due = std::max(due, pending_.back().due);
    pending_.push_back({due, client.id, *response});
}

void VkbdServer::handleControlCommand(Client& client, const std::vector<uint8_t>& payload) {
    const std::string line(payload.begin(), payload.end());
    ControlOutcome outcome = runControlCommand(line, firmware_, disconnectCountdown_);
    if (outcome.disconnectAfter)
        disconnectCountdown_ = *outcome.disconnectAfter;
    saveIfDue(false);
    queue(client, wire::encode(wire::MessageType::ControlReply, outcome.reply));
    for (const auto& report : outcome.reports) {
        const auto bytes =
            wire::encode(wire::MessageType::ConsumerReport, report.data(), report.size());
        for (Client& c : clients_)
            if (c.fd >= 0)
                queue(c, bytes);
    }
}

void VkbdServer::sendResponse(uint64_t clientId, const Frame& frame) {
    Client* client = findClient(clientId);
    if (!client)
        return;  // the asker has gone; nobody receives the answer
    trace_.sent(frame);
    queue(*client, wire::encode(wire::MessageType::ControlReport, frame.data(), frame.size()));
}

void VkbdServer::sendPendingDue() {
    const auto now = std::chrono::steady_clock::now();
    while (!pending_.empty() && pending_.front().due <= now) {
        const PendingResponse next = pending_.front();
        pending_.pop_front();
        sendResponse(next.clientId, next.frame);
    }
}

int VkbdServer::pollTimeoutMs() const {
    if (pending_.empty())
        return -1;
    const auto wait = pending_.front().due - std::chrono::steady_clock::now();
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, 60000));
}

void VkbdServer::queue(Client& client, const std::vector<uint8_t>& bytes) {
    if (client.fd < 0)
        return;
    client.output.insert(client.output.end(), bytes.begin(), bytes.end());
    flush(client);
    if (client.fd >= 0 && client.output.size() > kMaxClientBacklog)
        closeClient(client);
}

void VkbdServer::flush(Client& client) {
    while (client.fd >= 0 && !client.output.empty()) {
        const ssize_t n =
            ::send(client.fd, client.output.data(), client.output.size(), MSG_NOSIGNAL);
        if (n > 0) {
            client.output.erase(client.output.begin(), client.output.begin() + n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (n < 0 && errno == EINTR)
            continue;
        closeClient(client);  // the client went away
    }
}

void VkbdServer::closeClient(Client& client) {
    if (client.fd < 0)
        return;
    ::close(client.fd);
    client.fd = -1;
    client.output.clear();
}

void VkbdServer::disconnectEveryone() {
    for (Client& c : clients_) closeClient(c);
    pending_.clear();
    disconnectCountdown_ = 0;
    // What was written before the plug was pulled stays in flash.
    saveIfDue(true);
}

void VkbdServer::saveIfDue(bool force) {
    if (options_.statePath.empty())
        return;
    const bool due = firmware_.consumeSavePoint() || (force && firmware_.hasUnsavedChanges());
    if (!due)
        return;
    if (firmware_.saveState(options_.statePath))
        firmware_.markSaved();
    else
        std::fprintf(stderr, "keytune-vkbd: cannot save the state file %s\n",
                     options_.statePath.c_str());
}

VkbdServer::Client* VkbdServer::findClient(uint64_t id) {
    for (Client& c : clients_)
        if (c.id == id && c.fd >= 0)
            return &c;
    return nullptr;
}

}  // namespace vkbd
