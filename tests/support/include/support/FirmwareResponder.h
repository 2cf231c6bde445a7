// FirmwareResponder.h - the virtual keyboard's firmware model answering the
// requests a fake device library receives, as the keyboard would.
#pragma once

#include <functional>
#include <optional>
#include <type_traits>

#include "device/CommandFrame.h"
#include "vkbd/Firmware.h"

namespace testsupport {

// Both sides speak the same 64-byte report, so a response passes unchanged.
static_assert(std::is_same_v<device::FrameBytes, vkbd::Frame>);

// The model's response to one request, or nothing where the keyboard stays
// silent (a dropped answer).
inline std::optional<device::FrameBytes> firmwareAnswer(vkbd::Firmware& firmware,
                                                        const device::FrameBytes& request) {
    return firmware.handleRequest(request);
}

// A responder for the fake library. The fake calls it from its one answering
// thread, so the model is never used from two threads at once.
inline std::function<std::optional<device::FrameBytes>(const device::FrameBytes&, int)>
firmwareResponder(vkbd::Firmware& firmware) {
    return [&firmware](const device::FrameBytes& request, int) {
        return firmwareAnswer(firmware, request);
    };
}

}  // namespace testsupport
