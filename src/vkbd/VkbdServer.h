// VkbdServer.h - the virtual keyboard on its Unix-domain socket.
//
// One single-threaded poll() loop serves every client: each control request
// is answered to its sender, the keyboard's own consumer reports go to every
// client. Faults count requests over all clients together, since they belong
// to the one keyboard.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <list>
#include <string>
#include <vector>

#include "FrameTrace.h"
#include "vkbd/Firmware.h"
#include "vkbd/VkbdWire.h"

namespace vkbd {

struct ServerOptions {
    std::string socketPath;
    std::string statePath;  // empty: memories live only as long as the process
    std::string tracePath;  // empty: no trace
};

class VkbdServer {
  public:
    VkbdServer(ServerOptions options, Firmware& firmware);
    ~VkbdServer();
    VkbdServer(const VkbdServer&) = delete;
    VkbdServer& operator=(const VkbdServer&) = delete;

    // Binds the socket (refusing when another virtual keyboard answers on it,
    // removing a stale socket file) and opens the trace. False with a message
    // on standard error when it cannot start.
    bool start();

    // Serves until SIGINT or SIGTERM; then saves the state and removes the
    // socket. Returns the process exit status.
    int run();

  private:
    struct Client {
        int fd = -1;
        uint64_t id = 0;
        wire::Decoder decoder;
        std::vector<uint8_t> output;
    };
    struct PendingResponse {
        std::chrono::steady_clock::time_point due;
        uint64_t clientId;
        Frame frame;
    };

    void acceptClients();
    void readFrom(Client& client);
    void handleMessage(Client& client, const wire::Message& message);
    void handleControlReport(Client& client, const std::vector<uint8_t>& payload);
    void handleControlCommand(Client& client, const std::vector<uint8_t>& payload);
    void sendResponse(uint64_t clientId, const Frame& frame);
    void sendPendingDue();
    int pollTimeoutMs() const;
    void queue(Client& client, const std::vector<uint8_t>& bytes);
    void flush(Client& client);
    void closeClient(Client& client);
    void disconnectEveryone();
    void saveIfDue(bool force);
    Client* findClient(uint64_t id);

    ServerOptions options_;
    Firmware& firmware_;
    FrameTrace trace_;
    int listenFd_ = -1;
    bool ownsSocketFile_ = false;
    std::list<Client> clients_;  // stable references while serving
    uint64_t nextClientId_ = 1;
    std::deque<PendingResponse> pending_;
    int disconnectCountdown_ = 0;  // 0 = off
};

}  // namespace vkbd
