#include "MacroActionCodec.h"

#include "KeyLookup.h"
#include "LittleEndian.h"

namespace macros {

namespace {

// Modifier keys in the order of their bits 0x01..0x80.
constexpr uint16_t kModifierKeys[8] = {0x01D, 0x02A, 0x038, 0x15B, 0x11D, 0x036, 0x138, 0x15C};

constexpr uint16_t kLeftButton = 0x171, kRightButton = 0x172, kMiddleButton = 0x173;
constexpr uint16_t kWheelUp = 0x161, kWheelDown = 0x162;

}  // namespace

uint8_t modifierBit(uint16_t keyCode) {
    for (int i = 0; i < 8; ++i)
        if (kModifierKeys[i] == keyCode)
            return static_cast<uint8_t>(1u << i);
    return 0;
}

uint16_t keyOfModifierBits(uint8_t bits) {
    for (int i = 0; i < 8; ++i)
        if (bits & (1u << i))
            return kModifierKeys[i];
    return 0;
}

uint16_t keyFromTriple(uint8_t kind, uint8_t b1, uint8_t b2) {
    switch (kind) {
        case 1:
            if (b1 == 1 && b2 == 0x01)
                return kLeftButton;
            if (b1 == 1 && b2 == 0x02)
                return kRightButton;
            if (b1 == 1 && b2 == 0x04)
                return kMiddleButton;
            if (b1 == 5 && b2 == 0x01)
                return kWheelUp;
            if (b1 == 5 && b2 == 0xFF)
                return kWheelDown;
            return 0;
        case 2:
            if (b1 == 2)
                return lookup::keyFromUsage(7, b2);
            return keyOfModifierBits(b2);
        case 3:
            return lookup::keyFromUsage(12, static_cast<uint16_t>(b1 + 256 * b2));
        case 4:
            return lookup::keyFromUsage(1, static_cast<uint16_t>(b1 + 256 * b2));
        case 6:
            return b1 == 0xA2 ? static_cast<uint16_t>(0x1FF + b2) : 0;
        default:
            return 0;
    }
}

EncodedAction EncodeAction(const MacroAction& action) {
    uint16_t control = static_cast<uint16_t>((action.delayMs / 10) & 0xFFF);
    uint8_t kind = 0, b1 = 0, b2 = 0;
    const lookup::KeyClass cls = lookup::classifyKey(action.key);
    switch (cls.kind) {
        case 7:
            kind = 2;
            if (const uint8_t bit = modifierBit(action.key)) {
                b1 = 1;
                b2 = bit;
            } else {
                b1 = 2;
                b2 = static_cast<uint8_t>(cls.value);
            }
            break;
        case 2:
            kind = 1;
            switch (cls.value) {
                case 0xF1:
                    b1 = 1, b2 = 0x01;
                    break;
                case 0xF2:
                    b1 = 1, b2 = 0x02;
                    break;
                case 0xF3:
                    b1 = 1, b2 = 0x04;
                    break;
                case 0xF4:
                    b1 = 5, b2 = 0x01;
                    break;
                case 0xF5:
                    b1 = 5, b2 = 0xFF;
                    break;
                default:
                    break;  // other mouse usages have no encoding
            }
            break;
        case 1:
            kind = 4;
            b1 = static_cast<uint8_t>(cls.value);
            break;
        default:
            break;
    }
    control |= static_cast<uint16_t>(kind << 12);
    if (action.release != 1)
        control |= 0x8000;
    EncodedAction out{};
    le::put16(out.data(), control);
    out[2] = b1;
    out[3] = b2;
    return out;
}

MacroAction DecodeAction(const uint8_t* bytes) {
    const uint16_t control = le::get16(bytes);
    MacroAction action;
    action.delayMs = static_cast<uint32_t>(control & 0xFFF) * 10;
    action.release = (control & 0x8000) ? 0 : 1;
    action.key = keyFromTriple(static_cast<uint8_t>((control >> 12) & 7), bytes[2], bytes[3]);
    return action;
}

}  // namespace macros
