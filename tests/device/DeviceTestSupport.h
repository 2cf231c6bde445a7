// DeviceTestSupport.h - a device link over the fake library, with the
// protocol's waits shortened so that retries and time-outs run quickly.
#pragma once

#include <gtest/gtest.h>

#include <chrono>

#include "FakeHidServ.h"
#include "device/DeviceLink.h"

namespace fake {

inline device::TransportTiming fastTiming(
    std::chrono::milliseconds responseWait = std::chrono::milliseconds(500)) {
    using std::chrono::milliseconds;
    return {responseWait, milliseconds(1), milliseconds(5), milliseconds(1)};
}

class LinkedFakeTest : public ::testing::Test {
  protected:
    explicit LinkedFakeTest(device::TransportTiming timing = fastTiming())
        : link(keyboard.api(), timing) {
        link.StartDeviceLink();
    }

    // Only the frames written from here on.
    std::vector<FrameBytes> newWrites() const {
        auto all = keyboard.writes();
        return {all.begin() + static_cast<long>(writesAtStart), all.end()};
    }
    void markWrites() { writesAtStart = keyboard.writeCount(); }

    FakeKeyboard keyboard;
    device::DeviceLink link;
    size_t writesAtStart = 0;
};

inline uint16_t frameOffset(const FrameBytes& f) {
    return static_cast<uint16_t>(f[5] | f[6] << 8);
}

}  // namespace fake
