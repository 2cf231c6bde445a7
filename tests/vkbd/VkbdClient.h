// VkbdClient.h - a client of keytune-vkbd's socket that speaks its framing,
// for the program tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "vkbd/FrameLayout.h"
#include "vkbd/VkbdWire.h"

namespace vkbd::testing {

class Client {
  public:
    explicit Client(const std::string& socketPath);
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
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

}  // namespace vkbd::testing
