// FakeKeyboardPeer.h - a test stand-in for the virtual keyboard's socket: it
// listens on a Unix socket, accepts one client at a time, records every
// message the client sends and can send reports or drop the client.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "vkbd/VkbdWire.h"

class FakeKeyboardPeer {
  public:
    // Called on the peer's thread for each message from the client. It may
    // call send() or dropClient().
    using Handler = std::function<void(FakeKeyboardPeer& peer, const vkbd::wire::Message& message)>;

    explicit FakeKeyboardPeer(std::string socketPath) : path_(std::move(socketPath)) {}
    ~FakeKeyboardPeer() { stop(); }

    void setHandler(Handler handler);
    void listen();  // binds, listens and starts accepting
    void stop();    // closes everything and removes the socket file

    bool waitConnected(std::chrono::milliseconds timeout);
    bool waitDisconnected(std::chrono::milliseconds timeout);
    // The next message received from the client, in order.
    std::optional<vkbd::wire::Message> nextMessage(std::chrono::milliseconds timeout);

    bool send(vkbd::wire::MessageType type, const std::vector<uint8_t>& payload);
    bool sendRaw(const std::vector<uint8_t>& bytes);  // bytes as they are, framing and all
    void dropClient();

  private:
    void run();

    const std::string path_;
    Handler handler_;
    int listenFd_ = -1;
    int wakeFd_ = -1;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int clientFd_ = -1;  // guarded by mutex_
    std::deque<vkbd::wire::Message> received_;
};
