// LightingTestSupport.h - the lighting model on the device link, answered by
// the virtual keyboard's firmware model in-process through the fake library,
// with the frames that went out decoded for byte-exact comparisons.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

#include "DeviceTestSupport.h"
#include "device/CurrentProfileIndex.h"
#include "lighting/Lighting.h"
#include "support/FirmwareResponder.h"
#include "vkbd/Firmware.h"

namespace lighting::test {

// One request as the keyboard saw it: command, offset and the payload bytes
// the length field covers.
struct Sent {
    int command;
    int offset;
    std::vector<uint8_t> bytes;
    bool operator==(const Sent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Sent& s) {
    out << "{cmd " << s.command << " @" << s.offset << ":";
    for (uint8_t b : s.bytes) out << ' ' << int(b);
    return out << '}';
}

inline Sent Begin() {
    return {device::CMD_BEGIN_TRANSFER, 0, {}};
}
inline Sent End() {
    return {device::CMD_END_TRANSFER, 0, {}};
}
inline Sent Param(int offset, std::vector<uint8_t> bytes) {
    return {device::CMD_WRITE_PARAMETERS, offset, std::move(bytes)};
}
inline Sent Colours(int offset, std::vector<uint8_t> bytes) {
    return {device::CMD_WRITE_KEY_COLOURS, offset, std::move(bytes)};
}

class LightingOnVkbd : public fake::LinkedFakeTest {
  protected:
    explicit LightingOnVkbd(vkbd::FirmwareConfig config = {})
        : firmware(std::move(config)), lighting(link.commands()) {
        keyboard.setResponder(testsupport::firmwareResponder(firmware));
    }
    ~LightingOnVkbd() override { device::setCurrentProfileIndex(0); }

    // The requests written since the last call (reads included).
    std::vector<Sent> sent() {
        std::vector<Sent> out;
        for (const auto& f : newWrites()) {
            int command = f[device::kFrameCommandAt];
            int length = f[device::kFrameLengthAt];
            bool carriesBytes =
                command == device::CMD_WRITE_PARAMETERS || command == device::CMD_WRITE_KEY_COLOURS;
            std::vector<uint8_t> bytes;
            if (carriesBytes)
                bytes.assign(f.begin() + device::kPayloadOffset,
                             f.begin() + device::kPayloadOffset + length);
            out.push_back({command, fake::frameOffset(f), bytes});
        }
        markWrites();
        return out;
    }

    // Writes raw bytes into the keyboard's parameter memory, as if another
    // program had set them.
    void poke(int offset, std::vector<uint8_t> bytes) {
        link.commands().WriteParameters(bytes.data(), int(bytes.size()), offset);
        markWrites();
    }

    std::vector<uint8_t> parameterBytes(int from, int count) const {
        const auto& memory = firmware.parameterMemory();
        return {memory.begin() + from, memory.begin() + from + count};
    }

    vkbd::Firmware firmware;
    Lighting lighting;
};

}  // namespace lighting::test
