// VkbdMain.cpp - the keytune-vkbd program: the virtual keyboard itself, and
// `keytune-vkbd ctl` to steer a running one.
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "ControlCommand.h"
#include "VkbdServer.h"
#include "vkbd/Firmware.h"
#include "vkbd/VkbdWire.h"

namespace {

constexpr int kCtlReplyTimeoutMs = 10000;

void printUsage(std::FILE* out) {
    std::fprintf(
        out,
        "usage:\n"
        "  keytune-vkbd [--socket PATH] [--state FILE] [--trace FILE] [--firmware 0xNNNN]\n"
        "               [--capacity UNITS] [--modes 1,2,...]\n"
        "      Runs a virtual keyboard in the foreground until SIGINT or SIGTERM and\n"
        "      removes its socket on exit. Defaults: firmware 0x0102, capacity 64\n"
        "      units (8192 bytes), modes 1..18 and 20, no state file, no trace.\n"
        "      Socket: $KEYTUNE_VKBD_SOCKET, else $XDG_RUNTIME_DIR/keytune-vkbd.sock.\n"
        "  keytune-vkbd ctl [--socket PATH] COMMAND\n"
        "%s"
        "  keytune-vkbd --help\n",
        vkbd::controlCommandUsage());
}

int usageError(const std::string& reason) {
    std::fprintf(stderr, "keytune-vkbd: %s\n", reason.c_str());
    printUsage(stderr);
    return 2;
}

// Decimal or 0x-prefixed hexadecimal, within [0, high].
std::optional<unsigned> parseUnsigned(const std::string& text, unsigned high) {
    int base = 10;
    size_t start = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        start = 2;
    }
    unsigned value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data() + start, end, value, base);
    if (text.size() == start || ec != std::errc() || ptr != end || value > high)
        return std::nullopt;
    return value;
}

std::optional<std::vector<uint8_t>> parseModes(const std::string& text) {
    std::vector<uint8_t> modes;
    size_t at = 0;
    while (at <= text.size()) {
        const size_t comma = std::min(text.find(',', at), text.size());
        const auto mode = parseUnsigned(text.substr(at, comma - at), 255);
        if (!mode)
            return std::nullopt;
        modes.push_back(static_cast<uint8_t>(*mode));
        at = comma + 1;
    }
    if (modes.size() > 32)
        return std::nullopt;
    return modes;
}

// Splits "--name=value" or "--name value"; advances i past the value.
bool takeOption(const std::vector<std::string>& args, size_t& i, const std::string& name,
                std::string& value) {
    const std::string& a = args[i];
    if (a == name) {
        if (i + 1 >= args.size())
            return false;
        value = args[++i];
        return true;
    }
    if (a.rfind(name + "=", 0) == 0) {
        value = a.substr(name.size() + 1);
        return true;
    }
    return false;
}

bool sendAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

int runCtl(const std::vector<std::string>& args) {
    std::string socketPath = vkbd::wire::defaultSocketPath();
    std::string command;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (command.empty() && takeOption(args, i, "--socket", value)) {
            socketPath = value;
            continue;
        }
        command += (command.empty() ? "" : " ") + args[i];
    }
    if (command.empty())
        return usageError("ctl needs a command");

    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof address.sun_path)
        return usageError("socket path too long");
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        std::fprintf(stderr, "error: no virtual keyboard on %s\n", socketPath.c_str());
        if (fd >= 0)
            ::close(fd);
        return 1;
    }
    if (!sendAll(fd, vkbd::wire::encode(vkbd::wire::MessageType::ControlCommand, command))) {
        std::fprintf(stderr, "error: the virtual keyboard closed the connection\n");
        ::close(fd);
        return 1;
    }

    // Consumer reports may arrive before the reply; they are not ours.
    vkbd::wire::Decoder decoder;
    for (;;) {
        while (auto message = decoder.next()) {
            if (message->type != vkbd::wire::MessageType::ControlReply)
                continue;
            ::close(fd);
            const std::string reply(message->payload.begin(), message->payload.end());
            const bool ok = reply.rfind("ok", 0) == 0;
            std::fputs(reply.c_str(), ok ? stdout : stderr);
            return ok ? 0 : 1;
        }
        pollfd p{fd, POLLIN, 0};
        uint8_t buffer[4096];
        const ssize_t n =
            ::poll(&p, 1, kCtlReplyTimeoutMs) > 0 ? ::recv(fd, buffer, sizeof buffer, 0) : -1;
        if (n <= 0 || decoder.corrupt())
            break;
        decoder.feed(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    std::fprintf(stderr, "error: no reply from the virtual keyboard\n");
    return 1;
}

int runKeyboard(const std::vector<std::string>& args) {
    vkbd::ServerOptions options;
    options.socketPath = vkbd::wire::defaultSocketPath();
    vkbd::FirmwareConfig config;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (takeOption(args, i, "--socket", value)) {
            options.socketPath = value;
        } else if (takeOption(args, i, "--state", value)) {
            options.statePath = value;
        } else if (takeOption(args, i, "--trace", value)) {
            options.tracePath = value;
        } else if (takeOption(args, i, "--firmware", value)) {
            const auto version = parseUnsigned(value, 0xFFFF);
            if (!version)
                return usageError("--firmware wants 0x0000..0xFFFF: " + value);
            config.firmwareVersion = static_cast<uint16_t>(*version);
        } else if (takeOption(args, i, "--capacity", value)) {
            const auto units = parseUnsigned(value, 255);
            if (!units)
                return usageError("--capacity wants 0..255 units: " + value);
            config.capacityUnits = static_cast<uint8_t>(*units);
        } else if (takeOption(args, i, "--modes", value)) {
            const auto modes = parseModes(value);
            if (!modes)
                return usageError("--modes wants up to 32 codes 0..255, comma-separated");
            config.modes = *modes;
        } else {
            return usageError("unknown or incomplete argument: " + args[i]);
        }
    }
    if (options.socketPath.empty())
        return usageError("no socket path");

    vkbd::Firmware firmware(config);
    if (!options.statePath.empty()) {
        std::string problem;
        if (firmware.loadStateFile(options.statePath, &problem) == vkbd::StateLoadResult::Corrupt)
            std::fprintf(stderr,
                         "keytune-vkbd: warning: state file %s is unusable (%s); starting from "
                         "the factory state\n",
                         options.statePath.c_str(), problem.c_str());
    }
    vkbd::VkbdServer server(options, firmware);
    if (!server.start())
        return 1;
    std::printf("keytune-vkbd: listening on %s\n", options.socketPath.c_str());
    std::fflush(stdout);
    return server.run();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        printUsage(stdout);
        return 0;
    }
    if (!args.empty() && args[0] == "ctl")
        return runCtl({args.begin() + 1, args.end()});
    return runKeyboard(args);
}
