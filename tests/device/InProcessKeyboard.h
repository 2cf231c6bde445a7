// InProcessKeyboard.h - the virtual keyboard's firmware model answering behind
// the fake library, with a device link started on it: the whole device path
// in one process, for benchmarks.
#pragma once

#include <utility>

#include "FakeHidServ.h"
#include "device/DeviceLink.h"
#include "support/FirmwareResponder.h"
#include "vkbd/Firmware.h"

namespace fake {

struct InProcessKeyboard {
    explicit InProcessKeyboard(vkbd::FirmwareConfig config = {})
        : firmware(std::move(config)), link(keyboard.api()) {
        keyboard.setResponder(testsupport::firmwareResponder(firmware));
        link.StartDeviceLink();
    }

    FakeKeyboard keyboard;
    vkbd::Firmware firmware;
    device::DeviceLink link;
};

}  // namespace fake
