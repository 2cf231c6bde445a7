// Key events of an X11 or Wayland session (native scan code = evdev + 8)
// come back as their catalogue keys through KeyFromMessage.
#include <linux/input-event-codes.h>

#include <gtest/gtest.h>

#include "keys/KeyCatalogue.h"
#include "keys/KeyEventTranslator.h"

namespace {

using namespace keys;

struct EvdevKey {
    int evdev;
    KeyCode key;
};

// Every key of the key-button table by its kernel key code, written from the
// kernel's names independently of the translator's own table.
const EvdevKey kButtonKeys[] = {
    {KEY_A, 0x01E},         {KEY_B, 0x030},          {KEY_C, 0x02E},
    {KEY_D, 0x020},         {KEY_E, 0x012},          {KEY_F, 0x021},
    {KEY_G, 0x022},         {KEY_H, 0x023},          {KEY_I, 0x017},
    {KEY_J, 0x024},         {KEY_K, 0x025},          {KEY_L, 0x026},
    {KEY_M, 0x032},         {KEY_N, 0x031},          {KEY_O, 0x018},
    {KEY_P, 0x019},         {KEY_Q, 0x010},          {KEY_R, 0x013},
    {KEY_S, 0x01F},         {KEY_T, 0x014},          {KEY_U, 0x016},
    {KEY_V, 0x02F},         {KEY_W, 0x011},          {KEY_X, 0x02D},
    {KEY_Y, 0x015},         {KEY_Z, 0x02C},          {KEY_1, 0x002},
    {KEY_2, 0x003},         {KEY_3, 0x004},          {KEY_4, 0x005},
    {KEY_5, 0x006},         {KEY_6, 0x007},          {KEY_7, 0x008},
    {KEY_8, 0x009},         {KEY_9, 0x00A},          {KEY_0, 0x00B},
    {KEY_ENTER, 0x01C},     {KEY_ESC, 0x001},        {KEY_BACKSPACE, 0x00E},
    {KEY_TAB, 0x00F},       {KEY_SPACE, 0x039},      {KEY_MINUS, 0x00C},
    {KEY_EQUAL, 0x00D},     {KEY_LEFTBRACE, 0x01A},  {KEY_RIGHTBRACE, 0x01B},
    {KEY_BACKSLASH, 0x02B}, {KEY_SEMICOLON, 0x027},  {KEY_APOSTROPHE, 0x028},
    {KEY_GRAVE, 0x029},     {KEY_COMMA, 0x033},      {KEY_DOT, 0x034},
    {KEY_SLASH, 0x035},     {KEY_F1, 0x03B},         {KEY_F2, 0x03C},
    {KEY_F3, 0x03D},        {KEY_F4, 0x03E},         {KEY_F5, 0x03F},
    {KEY_F6, 0x040},        {KEY_F7, 0x041},         {KEY_F8, 0x042},
    {KEY_F9, 0x043},        {KEY_F10, 0x044},        {KEY_F11, 0x057},
    {KEY_F12, 0x058},       {KEY_SYSRQ, 0x137},      {KEY_PAUSE, 0x045},
    {KEY_INSERT, 0x152},    {KEY_DELETE, 0x153},     {KEY_HOME, 0x147},
    {KEY_END, 0x14F},       {KEY_PAGEUP, 0x149},     {KEY_PAGEDOWN, 0x151},
    {KEY_UP, 0x148},        {KEY_DOWN, 0x150},       {KEY_LEFT, 0x14B},
    {KEY_RIGHT, 0x14D},     {KEY_SCROLLLOCK, 0x046}, {KEY_CAPSLOCK, 0x03A},
    {KEY_COMPOSE, 0x15D},   {KEY_LEFTCTRL, 0x01D},   {KEY_RIGHTCTRL, 0x11D},
    {KEY_LEFTSHIFT, 0x02A}, {KEY_RIGHTSHIFT, 0x036}, {KEY_LEFTALT, 0x038},
    {KEY_RIGHTALT, 0x138},  {KEY_LEFTMETA, 0x15B},   {KEY_RIGHTMETA, 0x15C},
    {KEY_KP1, 0x04F},       {KEY_KP2, 0x050},        {KEY_KP3, 0x051},
    {KEY_KP4, 0x04B},       {KEY_KP5, 0x04C},        {KEY_KP6, 0x04D},
    {KEY_KP7, 0x047},       {KEY_KP8, 0x048},        {KEY_KP9, 0x049},
    {KEY_KP0, 0x052},       {KEY_NUMLOCK, 0x145},    {KEY_KPENTER, 0x11C},
    {KEY_KPDOT, 0x053},     {KEY_KPSLASH, 0x135},    {KEY_KPASTERISK, 0x037},
    {KEY_KPMINUS, 0x04A},   {KEY_KPPLUS, 0x04E},
};
static_assert(std::size(kButtonKeys) == kKeyButtonCount);

// The media keys as the kernel reports the keyboard's consumer usages.
const EvdevKey kMediaKeys[] = {
    {KEY_CONFIG, 0x16D},       {KEY_PLAYPAUSE, 0x122}, {KEY_STOPCD, 0x124},
    {KEY_PREVIOUSSONG, 0x110}, {KEY_NEXTSONG, 0x119},  {KEY_VOLUMEDOWN, 0x12E},
    {KEY_VOLUMEUP, 0x130},     {KEY_MUTE, 0x120},      {KEY_HOMEPAGE, 0x132},
    {KEY_REFRESH, 0x167},      {KEY_STOP, 0x168},      {KEY_BACK, 0x16A},
    {KEY_FORWARD, 0x169},      {KEY_BOOKMARKS, 0x166}, {KEY_SEARCH, 0x165},
    {KEY_FILE, 0x16B},         {KEY_CALC, 0x121},      {KEY_MAIL, 0x16C},
};

KeyCode RoundTrip(int evdev, KeyTransition transition, bool numLockOn, bool lowLevel = false) {
    KeyEvent event{static_cast<uint32_t>(evdev) + kNativeScanCodeOffset, transition, numLockOn};
    auto message = TranslateKeyEvent(event);
    if (!message)
        return 0xFFFF;
    return KeyFromMessage(lowLevel ? message->lowLevelVk : message->vk, message->data);
}

TEST(KeysTranslator, EveryKeyButtonComesBackAsItsKey) {
    for (const EvdevKey& k : kButtonKeys) {
        for (bool numLock : {true, false}) {
            for (auto transition :
                 {KeyTransition::Press, KeyTransition::AutoRepeat, KeyTransition::Release}) {
                EXPECT_EQ(RoundTrip(k.evdev, transition, numLock), k.key)
                    << "evdev " << k.evdev << " num lock " << numLock;
                EXPECT_EQ(RoundTrip(k.evdev, transition, numLock, true), k.key)
                    << "evdev " << k.evdev << " (low-level VK)";
            }
        }
    }
}

TEST(KeysTranslator, MediaKeysComeBackAsMediaKeys) {
    for (const EvdevKey& k : kMediaKeys) {
        EXPECT_EQ(RoundTrip(k.evdev, KeyTransition::Press, true), k.key) << k.evdev;
        EXPECT_TRUE(IsMediaKey(k.key));
    }
}

TEST(KeysTranslator, VirtualKeysAndMessageBits) {
    struct {
        int evdev;
        bool numLock;
        uint8_t vk, lowLevelVk;
        uint32_t scanAndExtended;  // bits 16..24
    } cases[] = {
        {KEY_RIGHTCTRL, true, 0x11, 0xA3, 0x11D},
        {KEY_RIGHTALT, true, 0x12, 0xA5, 0x138},
        {KEY_RIGHTSHIFT, true, 0x10, 0xA1, 0x036},
        {KEY_KPENTER, true, 0x0D, 0x0D, 0x11C},
        {KEY_KPSLASH, true, 0x6F, 0x6F, 0x135},
        {KEY_UP, true, 0x26, 0x26, 0x148},
        {KEY_KP8, true, 0x68, 0x68, 0x048},
        {KEY_KP8, false, 0x26, 0x26, 0x048},  // same VK as Up, not extended
        {KEY_KP5, false, 0x0C, 0x0C, 0x04C},
        {KEY_KPDOT, false, 0x2E, 0x2E, 0x053},
        {KEY_SYSRQ, true, 0x2C, 0x2C, 0x137},
        {KEY_PAUSE, true, 0x13, 0x13, 0x045},
        {KEY_NUMLOCK, true, 0x90, 0x90, 0x145},
        {KEY_LEFTMETA, true, 0x5B, 0x5B, 0x15B},
        {KEY_MUTE, true, 0xAD, 0xAD, 0x120},
    };
    for (auto c : cases) {
        auto m =
            TranslateKeyEvent({c.evdev + kNativeScanCodeOffset, KeyTransition::Press, c.numLock});
        ASSERT_TRUE(m) << c.evdev;
        EXPECT_EQ(m->vk, c.vk) << c.evdev;
        EXPECT_EQ(m->lowLevelVk, c.lowLevelVk) << c.evdev;
        EXPECT_EQ((m->data >> 16) & 0x1FF, c.scanAndExtended) << c.evdev;
    }

    EXPECT_EQ(KeyMessageData(0x01E, KeyTransition::Press), 0x001E0001u);
    EXPECT_EQ(KeyMessageData(0x01E, KeyTransition::AutoRepeat), 0x401E0001u);
    EXPECT_EQ(KeyMessageData(0x148, KeyTransition::Release), 0xC1480001u);
    EXPECT_EQ(KeyMessageData(0x01E, KeyTransition::Press, true), 0x201E0001u);
}

TEST(KeysTranslator, MarksPressesWindowsWouldNotDeliver) {
    auto event = [](int evdev, KeyTransition t) {
        return *TranslateKeyEvent({evdev + kNativeScanCodeOffset, t, true});
    };
    EXPECT_TRUE(event(KEY_SYSRQ, KeyTransition::Press).pressOfReleaseOnlyKey);
    EXPECT_TRUE(event(KEY_HANGEUL, KeyTransition::AutoRepeat).pressOfReleaseOnlyKey);
    EXPECT_FALSE(event(KEY_SYSRQ, KeyTransition::Release).pressOfReleaseOnlyKey);
    EXPECT_FALSE(event(KEY_A, KeyTransition::Press).pressOfReleaseOnlyKey);
}

TEST(KeysTranslator, UnknownScanCodesGiveNothing) {
    for (uint32_t native : {0u, 7u, 8u, 84u + 8u, 101u + 8u, 240u + 8u, 100000u}) {
        EXPECT_FALSE(TranslateKeyEvent({native, KeyTransition::Press, true})) << native;
    }
}

}  // namespace
