// Interface.h - the keyboard's four HID interfaces and the 16-byte device
// selector that names one of them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace hidserv {

enum class Interface : uint8_t { Keyboard = 0, Consumer = 1, Control = 2, Status = 3 };
constexpr size_t kInterfaceCount = 4;

// A set of interfaces as a bit mask (bit i = Interface i).
using InterfaceMask = uint8_t;
constexpr InterfaceMask maskOf(Interface interface) {
    return static_cast<InterfaceMask>(1u << static_cast<unsigned>(interface));
}

// Number of attached devices exposing each interface, indexed by Interface.
using InterfaceCounts = std::array<int, kInterfaceCount>;

// The largest input report handed to callbacks (the size of a registration's
// read buffer); longer reports are cut to this size.
constexpr size_t kMaxReportSize = 4096;

// The interface a usage page / usage pair stands for, if it is one of the four.
std::optional<Interface> interfaceForUsage(uint16_t usagePage, uint16_t usage);

// Decodes a device selector: u32 0x0F, u16 vendor id, u16 product id, u16 usage
// page, u16 usage, u32 0, all little-endian. Nothing for a null pointer, another
// vendor or product, an unknown usage pair or any other deviation.
std::optional<Interface> parseSelector(const uint8_t* selector);

}  // namespace hidserv
