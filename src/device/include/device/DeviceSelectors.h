// DeviceSelectors.h - the 16-byte selectors that name the keyboard's four HID
// interfaces to libHidServ.so: u32 0x0F, u16 vendor, u16 product, u16 usage
// page, u16 usage, u32 0, all little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include <hidserv/HidServ.h>

namespace device {

using DeviceSelector = std::array<uint8_t, HIDSERV_SELECTOR_SIZE>;

DeviceSelector makeSelector(uint16_t usagePage, uint16_t usage);

const DeviceSelector& keyboardSelector();
const DeviceSelector& consumerSelector();
const DeviceSelector& controlSelector();
const DeviceSelector& statusSelector();

}  // namespace device
