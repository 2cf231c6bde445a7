// VkbdProcess.cpp - process and socket plumbing for the program tests.
#include "VkbdProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace vkbd::testing {
namespace {

using Clock = std::chrono::steady_clock;

int connectTo(const std::string& socketPath) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof address.sun_path)
        return -1;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

pid_t spawn(const std::vector<std::string>& args, const std::string& out, const std::string& err) {
    std::vector<std::string> all = {programPath()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int waitPid(pid_t pid, int timeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (r < 0 || Clock::now() > end)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace

TempDir::TempDir() {
    // Short paths: a socket path must stay below 108 bytes.
    std::string pattern = (std::filesystem::temp_directory_path() / "vkbd-XXXXXX").string();
    if (mkdtemp(pattern.data()))
        path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ignored);
}

std::string programPath() {
    return std::string(KEYTUNE_STAGE_DIR) + "/keytune-vkbd";
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

RunResult runToEnd(const std::vector<std::string>& args, const std::string& scratchDir) {
    static int counter = 0;
    const std::string base = scratchDir + "/run" + std::to_string(++counter);
    RunResult result;
    const pid_t pid = spawn(args, base + ".out", base + ".err");
    if (pid < 0)
        return result;
    result.exitCode = waitPid(pid, 15000);
    if (result.exitCode == -1) {
        ::kill(pid, SIGKILL);
        waitPid(pid, 5000);
    }
    result.out = readText(base + ".out");
    result.err = readText(base + ".err");
    return result;
}

bool waitForConnectable(const std::string& socketPath, int timeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < end) {
        const int fd = connectTo(socketPath);
        if (fd >= 0) {
            ::close(fd);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

VkbdProcess::VkbdProcess(const std::vector<std::string>& args, const std::string& dir,
                         const std::string& socketPath, bool waitReady)
    : dir_(dir) {
    pid_ = spawn(args, dir + "/vkbd.out", dir + "/vkbd.err");
    if (pid_ > 0 && waitReady)
        ready_ = waitForConnectable(socketPath, 10000);
}

VkbdProcess::~VkbdProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        waitPid(pid_, 5000);
    }
}

int VkbdProcess::terminate() {
    if (pid_ <= 0)
        return -1;
    ::kill(pid_, SIGTERM);
    return waitExit(10000);
}

int VkbdProcess::waitExit(int timeoutMs) {
    if (pid_ <= 0)
        return -1;
    const int status = waitPid(pid_, timeoutMs);
    if (status != -1)
        pid_ = -1;
    return status;
}

std::string VkbdProcess::stderrText() const {
    return readText(dir_ + "/vkbd.err");
}

Client::Client(const std::string& socketPath) : fd_(connectTo(socketPath)) {}

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
