#include "VkbdClient.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "support/LocalSocket.h"

namespace vkbd::testing {

using Clock = std::chrono::steady_clock;

Client::Client(const std::string& socketPath) : fd_(testsupport::connectLocalSocket(socketPath)) {}

Client::~Client() {
    close();
}

void Client::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool Client::send(wire::MessageType type, const std::vector<uint8_t>& payload) {
    if (fd_ < 0)
        return false;
    const std::vector<uint8_t> bytes = wire::encode(type, payload.data(), payload.size());
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool Client::sendFrame(const Frame& frame) {
    return send(wire::MessageType::ControlReport, std::vector<uint8_t>(frame.begin(), frame.end()));
}

std::optional<wire::Message> Client::receive(int timeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (auto message = decoder_.next())
            return message;
        if (fd_ < 0)
            return std::nullopt;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0)
            return std::nullopt;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0)
            continue;
        uint8_t buffer[4096];
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n <= 0) {
            closed_ = true;
            close();
            return std::nullopt;
        }
        decoder_.feed(buffer, static_cast<size_t>(n));
    }
}

std::optional<Frame> Client::exchange(const Frame& request, int timeoutMs) {
    if (!sendFrame(request))
        return std::nullopt;
    while (auto message = receive(timeoutMs)) {
        if (message->type != wire::MessageType::ControlReport || message->payload.size() != 64)
            continue;
        Frame frame;
        std::copy(message->payload.begin(), message->payload.end(), frame.begin());
        return frame;
    }
    return std::nullopt;
}

}  // namespace vkbd::testing
