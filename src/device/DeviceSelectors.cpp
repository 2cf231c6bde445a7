#include "device/DeviceSelectors.h"

namespace device {

namespace {

void putU16(DeviceSelector& s, size_t at, uint16_t v) {
    s[at] = static_cast<uint8_t>(v & 0xFF);
    s[at + 1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

DeviceSelector makeSelector(uint16_t usagePage, uint16_t usage) {
    DeviceSelector s{};
    s[0] = 0x0F;  // u32 0x0000000F
    putU16(s, 4, HIDSERV_VENDOR_ID);
    putU16(s, 6, HIDSERV_PRODUCT_ID);
    putU16(s, 8, usagePage);
    putU16(s, 10, usage);
    return s;  // bytes 12..15 stay 0
}

const DeviceSelector& keyboardSelector() {
    static const DeviceSelector s =
        makeSelector(HIDSERV_KEYBOARD_USAGE_PAGE, HIDSERV_KEYBOARD_USAGE);
    return s;
}

const DeviceSelector& consumerSelector() {
    static const DeviceSelector s =
        makeSelector(HIDSERV_CONSUMER_USAGE_PAGE, HIDSERV_CONSUMER_USAGE);
    return s;
}

const DeviceSelector& controlSelector() {
    static const DeviceSelector s = makeSelector(HIDSERV_CONTROL_USAGE_PAGE, HIDSERV_CONTROL_USAGE);
    return s;
}

const DeviceSelector& statusSelector() {
    static const DeviceSelector s = makeSelector(HIDSERV_STATUS_USAGE_PAGE, HIDSERV_STATUS_USAGE);
    return s;
}

}  // namespace device
