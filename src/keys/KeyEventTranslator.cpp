// KeyEventTranslator.cpp - evdev key codes to set-1 key codes and VKs.
#include "keys/KeyEventTranslator.h"

namespace keys {
namespace {

struct EvdevKey {
    uint16_t evdev;
    KeyCode key;
};

// Evdev codes outside 1..88 (linux/input-event-codes.h names in comments).
// Pause and Num Lock carry the catalogue's swapped codes; the consumer keys
// are those the kernel reports for the keyboard's consumer usages.
constexpr EvdevKey kEvdevKeys[] = {
    {89, 0x073},   // KEY_RO
    {92, 0x079},   // KEY_HENKAN
    {93, 0x070},   // KEY_KATAKANAHIRAGANA
    {94, 0x07B},   // KEY_MUHENKAN
    {96, 0x11C},   // KEY_KPENTER
    {97, 0x11D},   // KEY_RIGHTCTRL
    {98, 0x135},   // KEY_KPSLASH
    {99, 0x137},   // KEY_SYSRQ (Print Screen)
    {100, 0x138},  // KEY_RIGHTALT
    {102, 0x147},  // KEY_HOME
    {103, 0x148},  // KEY_UP
    {104, 0x149},  // KEY_PAGEUP
    {105, 0x14B},  // KEY_LEFT
    {106, 0x14D},  // KEY_RIGHT
    {107, 0x14F},  // KEY_END
    {108, 0x150},  // KEY_DOWN
    {109, 0x151},  // KEY_PAGEDOWN
    {110, 0x152},  // KEY_INSERT
    {111, 0x153},  // KEY_DELETE
    {113, 0x120},  // KEY_MUTE
    {114, 0x12E},  // KEY_VOLUMEDOWN
    {115, 0x130},  // KEY_VOLUMEUP
    {116, 0x15E},  // KEY_POWER
    {119, 0x045},  // KEY_PAUSE
    {121, 0x07E},  // KEY_KPCOMMA
    {122, 0x072},  // KEY_HANGEUL
    {123, 0x071},  // KEY_HANJA
    {124, 0x07D},  // KEY_YEN
    {125, 0x15B},  // KEY_LEFTMETA
    {126, 0x15C},  // KEY_RIGHTMETA
    {127, 0x15D},  // KEY_COMPOSE (Application)
    {128, 0x168},  // KEY_STOP (browser stop)
    {140, 0x121},  // KEY_CALC
    {142, 0x15F},  // KEY_SLEEP
    {143, 0x163},  // KEY_WAKEUP
    {144, 0x16B},  // KEY_FILE (local machine browser)
    {150, 0x132},  // KEY_WWW
    {155, 0x16C},  // KEY_MAIL
    {156, 0x166},  // KEY_BOOKMARKS
    {157, 0x16B},  // KEY_COMPUTER
    {158, 0x16A},  // KEY_BACK
    {159, 0x169},  // KEY_FORWARD
    {163, 0x119},  // KEY_NEXTSONG
    {164, 0x122},  // KEY_PLAYPAUSE
    {165, 0x110},  // KEY_PREVIOUSSONG
    {166, 0x124},  // KEY_STOPCD
    {171, 0x16D},  // KEY_CONFIG (media player)
    {172, 0x132},  // KEY_HOMEPAGE
    {173, 0x167},  // KEY_REFRESH
    {183, 0x064},  // KEY_F13
    {217, 0x165},  // KEY_SEARCH
    {226, 0x16D},  // KEY_MEDIA
};

// Num Lock is 0x45 in set 1, but the catalogue calls it 0x145 (and Pause 0x045).
constexpr uint32_t kEvdevNumLock = 69;
constexpr uint32_t kEvdevLastSet1 = 88;
constexpr uint32_t kEvdevUnused = 84;   // no key
constexpr uint32_t kEvdevZenkaku = 85;  // KEY_ZENKAKUHANKAKU, no set-1 identity

uint8_t ThreadHookVk(uint8_t vk) {
    switch (vk) {
        case 0xA0:
        case 0xA1:
            return 0x10;  // VK_SHIFT
        case 0xA2:
        case 0xA3:
            return 0x11;  // VK_CONTROL
        case 0xA4:
        case 0xA5:
            return 0x12;  // VK_MENU
        default:
            return vk;
    }
}

}  // namespace

KeyCode KeyCodeFromEvdev(uint32_t evdevCode) {
    if (evdevCode == kEvdevNumLock)
        return 0x145;
    if (evdevCode >= 1 && evdevCode <= kEvdevLastSet1 && evdevCode != kEvdevUnused &&
        evdevCode != kEvdevZenkaku) {
        return static_cast<KeyCode>(evdevCode);
    }
    for (const EvdevKey& entry : kEvdevKeys) {
        if (entry.evdev == evdevCode)
            return entry.key;
    }
    return kNoKey;
}

uint32_t KeyMessageData(KeyCode key, KeyTransition transition, bool altDown) {
    uint32_t data = 1;  // repeat count
    data |= uint32_t{static_cast<uint8_t>(key & 0xFF)} << 16;
    if (key >= 0x100)
        data |= kMessageExtended;
    if (altDown)
        data |= kMessageAltDown;
    if (transition != KeyTransition::Press)
        data |= kMessagePreviousDown;
    if (transition == KeyTransition::Release)
        data |= kMessageReleased;
    return data;
}

std::optional<KeyMessage> TranslateKeyEvent(const KeyEvent& event) {
    if (event.nativeScanCode < kNativeScanCodeOffset)
        return std::nullopt;
    KeyCode key = KeyCodeFromEvdev(event.nativeScanCode - kNativeScanCodeOffset);
    if (key == kNoKey)
        return std::nullopt;
    const KeyRow& row = RowOf(key);
    if (row.empty())
        return std::nullopt;

    KeyMessage message;
    message.key = key;
    message.lowLevelVk = event.numLockOn ? row.vk : row.altVk;
    message.vk = ThreadHookVk(message.lowLevelVk);
    message.data = KeyMessageData(key, event.transition, event.altDown);
    message.pressOfReleaseOnlyKey =
        IsReleaseOnlyKey(key) && event.transition != KeyTransition::Release;
    return message;
}

}  // namespace keys
