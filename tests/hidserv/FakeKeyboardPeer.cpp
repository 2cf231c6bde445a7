#include "FakeKeyboardPeer.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

using vkbd::wire::Message;

void FakeKeyboardPeer::setHandler(Handler handler) {
    handler_ = std::move(handler);
}

void FakeKeyboardPeer::listen() {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path_.size() >= sizeof address.sun_path)
        throw std::runtime_error("socket path too long");
    std::memcpy(address.sun_path, path_.c_str(), path_.size() + 1);
    unlink(path_.c_str());
    listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 4) != 0)
        throw std::runtime_error("cannot listen on " + path_);
    wakeFd_ = eventfd(0, EFD_CLOEXEC);
    thread_ = std::thread([this] { run(); });
}

void FakeKeyboardPeer::stop() {
    if (thread_.joinable()) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t written = write(wakeFd_, &one, sizeof one);
        thread_.join();
    }
    if (listenFd_ >= 0) {
        close(listenFd_);
        unlink(path_.c_str());
    }
    if (wakeFd_ >= 0)
        close(wakeFd_);
    listenFd_ = wakeFd_ = -1;
    std::lock_guard lock(mutex_);
    if (clientFd_ >= 0)
        close(clientFd_);
    clientFd_ = -1;
}

bool FakeKeyboardPeer::waitConnected(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return clientFd_ >= 0; });
}

bool FakeKeyboardPeer::waitDisconnected(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return clientFd_ < 0; });
}

std::optional<Message> FakeKeyboardPeer::nextMessage(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [&] { return !received_.empty(); }))
        return std::nullopt;
    Message message = std::move(received_.front());
    received_.pop_front();
    return message;
}

bool FakeKeyboardPeer::send(vkbd::wire::MessageType type, const std::vector<uint8_t>& payload) {
    return sendRaw(vkbd::wire::encode(type, payload.data(), payload.size()));
}

bool FakeKeyboardPeer::sendRaw(const std::vector<uint8_t>& bytes) {
    std::lock_guard lock(mutex_);
    if (clientFd_ < 0)
        return false;
    return ::send(clientFd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
}

void FakeKeyboardPeer::dropClient() {
    // Only the peer's thread closes the descriptor (it may be polling it).
    std::lock_guard lock(mutex_);
    if (clientFd_ >= 0)
        shutdown(clientFd_, SHUT_RDWR);
}

void FakeKeyboardPeer::run() {
    vkbd::wire::Decoder decoder;
    for (;;) {
        int client;
        {
            std::lock_guard lock(mutex_);
            client = clientFd_;
        }
        pollfd fds[3] = {{wakeFd_, POLLIN, 0}, {listenFd_, POLLIN, 0}, {client, POLLIN, 0}};
        if (poll(fds, client >= 0 ? 3 : 2, 50) < 0)
            continue;
        if (fds[0].revents)
            return;
        if (fds[1].revents) {
            int accepted = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (accepted >= 0) {
                decoder = vkbd::wire::Decoder();
                std::lock_guard lock(mutex_);
                if (clientFd_ >= 0)
                    close(clientFd_);  // one keyboard at a time
                clientFd_ = accepted;
                changed_.notify_all();
            }
            continue;
        }
        if (client >= 0 && fds[2].revents) {
            uint8_t buffer[4096];
            ssize_t got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) {
                std::lock_guard lock(mutex_);
                if (clientFd_ == client) {
                    close(clientFd_);
                    clientFd_ = -1;
                    changed_.notify_all();
                }
                continue;
            }
            decoder.feed(buffer, static_cast<size_t>(got));
            while (auto message = decoder.next()) {
                {
                    std::lock_guard lock(mutex_);
                    received_.push_back(*message);
                    changed_.notify_all();
                }
                if (handler_)
                    handler_(*this, *message);
            }
        }
    }
}
