// VkbdWire.h - the framing on the virtual keyboard's Unix socket.
//
// One connection is one attached keyboard as seen by one client (libHidServ
// or `keytune-vkbd ctl`). Every message in either direction is
//     u8 type, u32 payload length (little-endian), payload bytes.
// The socket is a byte stream, so readers collect whole messages before use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

namespace vkbd::wire {

enum class MessageType : uint8_t {
    ControlReport = 0x01,   // client->keyboard: a 64-byte request on the control interface;
                            // keyboard->client: a 64-byte input report on the control interface
    ConsumerReport = 0x02,  // keyboard->client: an input report on the consumer interface
    StatusWrite = 0x03,     // client->keyboard: the two status bytes (G-key layer)
    ControlCommand = 0x10,  // client->keyboard: a `keytune-vkbd ctl` command line (ASCII)
    ControlReply = 0x11,    // keyboard->client: the reply text; first line "ok" or "error: ..."
};

constexpr size_t kHeaderSize = 5;
constexpr size_t kControlReportSize = 64;  // both ways
constexpr size_t kConsumerReportSize = 4;  // 16-bit code little-endian, then two zero bytes
constexpr size_t kStatusWriteSize = 2;
constexpr size_t kMaxPayload = 1u << 20;  // a guard against a corrupt stream

inline std::vector<uint8_t> encode(MessageType type, const uint8_t* payload, size_t length) {
    std::vector<uint8_t> out(kHeaderSize + length);
    out[0] = static_cast<uint8_t>(type);
    for (int i = 0; i < 4; ++i) out[1 + i] = static_cast<uint8_t>(length >> (8 * i));
    for (size_t i = 0; i < length; ++i) out[kHeaderSize + i] = payload[i];
    return out;
}

inline std::vector<uint8_t> encode(MessageType type, const std::string& text) {
    return encode(type, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

struct Message {
    MessageType type;
    std::vector<uint8_t> payload;
};

// Collects bytes from a stream and hands out whole messages.
class Decoder {
  public:
    void feed(const uint8_t* data, size_t length) {
        buffer_.insert(buffer_.end(), data, data + length);
    }

    // The next whole message, or nothing while it is incomplete. A length above
    // kMaxPayload marks the stream as corrupt (see corrupt()).
    std::optional<Message> next() {
        if (corrupt_ || buffer_.size() < kHeaderSize)
            return std::nullopt;
        uint32_t length = 0;
        for (int i = 0; i < 4; ++i) length |= uint32_t(buffer_[1 + i]) << (8 * i);
        if (length > kMaxPayload) {
            corrupt_ = true;
            return std::nullopt;
        }
        if (buffer_.size() < kHeaderSize + length)
            return std::nullopt;
        Message message{static_cast<MessageType>(buffer_[0]),
                        std::vector<uint8_t>(buffer_.begin() + kHeaderSize,
                                             buffer_.begin() + kHeaderSize + length)};
        buffer_.erase(buffer_.begin(), buffer_.begin() + kHeaderSize + length);
        return message;
    }

    bool corrupt() const { return corrupt_; }

  private:
    std::vector<uint8_t> buffer_;
    bool corrupt_ = false;
};

// The socket path: $KEYTUNE_VKBD_SOCKET, else $XDG_RUNTIME_DIR/keytune-vkbd.sock,
// else /tmp/keytune-vkbd-<uid>.sock when no runtime folder is set.
inline std::string defaultSocketPath() {
    if (const char* path = std::getenv("KEYTUNE_VKBD_SOCKET"); path && *path)
        return path;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::string(runtime) + "/keytune-vkbd.sock";
    return "/tmp/keytune-vkbd-" + std::to_string(getuid()) + ".sock";
}

}  // namespace vkbd::wire
