#include "Interface.h"

#include "hidserv/HidServ.h"

namespace hidserv {

namespace {

uint16_t readU16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

uint32_t readU32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

}  // namespace

std::optional<Interface> interfaceForUsage(uint16_t usagePage, uint16_t usage) {
    struct Entry {
        uint16_t page;
        uint16_t usage;
        Interface interface;
    };
    static constexpr Entry kTable[] = {
        {HIDSERV_KEYBOARD_USAGE_PAGE, HIDSERV_KEYBOARD_USAGE, Interface::Keyboard},
        {HIDSERV_CONSUMER_USAGE_PAGE, HIDSERV_CONSUMER_USAGE, Interface::Consumer},
        {HIDSERV_CONTROL_USAGE_PAGE, HIDSERV_CONTROL_USAGE, Interface::Control},
        {HIDSERV_STATUS_USAGE_PAGE, HIDSERV_STATUS_USAGE, Interface::Status},
    };
    for (const Entry& entry : kTable) {
        if (entry.page == usagePage && entry.usage == usage)
            return entry.interface;
    }
    return std::nullopt;
}

std::optional<Interface> parseSelector(const uint8_t* selector) {
    if (selector == nullptr)
        return std::nullopt;
    if (readU32(selector) != 0x0000000Fu)
        return std::nullopt;
    if (readU16(selector + 4) != HIDSERV_VENDOR_ID)
        return std::nullopt;
    if (readU16(selector + 6) != HIDSERV_PRODUCT_ID)
        return std::nullopt;
    if (readU32(selector + 12) != 0)
        return std::nullopt;
    return interfaceForUsage(readU16(selector + 8), readU16(selector + 10));
}

}  // namespace hidserv
