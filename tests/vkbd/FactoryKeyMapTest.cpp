// The factory key map, decoded the way the host decodes it: every matrix
// position gives the intended key, every key of the keyboard is there once,
// and the map agrees with the host's built-in default map.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "vkbd/Firmware.h"

namespace vkbd {
namespace {

// Key codes and usage codes of the host's key catalogue, written out here on
// their own so the test does not trust the firmware's tables.
struct CatalogueRow {
    uint16_t code;
    uint8_t usage;
};

// The 104 keys with a button on the host's main window.
const CatalogueRow kButtonKeys[] = {
    {0x01E, 0x04}, {0x030, 0x05}, {0x02E, 0x06}, {0x020, 0x07}, {0x012, 0x08}, {0x021, 0x09},
    {0x022, 0x0A}, {0x023, 0x0B}, {0x017, 0x0C}, {0x024, 0x0D}, {0x025, 0x0E}, {0x026, 0x0F},
    {0x032, 0x10}, {0x031, 0x11}, {0x018, 0x12}, {0x019, 0x13}, {0x010, 0x14}, {0x013, 0x15},
    {0x01F, 0x16}, {0x014, 0x17}, {0x016, 0x18}, {0x02F, 0x19}, {0x011, 0x1A}, {0x02D, 0x1B},
    {0x015, 0x1C}, {0x02C, 0x1D}, {0x002, 0x1E}, {0x003, 0x1F}, {0x004, 0x20}, {0x005, 0x21},
    {0x006, 0x22}, {0x007, 0x23}, {0x008, 0x24}, {0x009, 0x25}, {0x00A, 0x26}, {0x00B, 0x27},
    {0x01C, 0x28}, {0x001, 0x29}, {0x00E, 0x2A}, {0x00F, 0x2B}, {0x039, 0x2C}, {0x00C, 0x2D},
    {0x00D, 0x2E}, {0x01A, 0x2F}, {0x01B, 0x30}, {0x02B, 0x31}, {0x027, 0x33}, {0x028, 0x34},
    {0x029, 0x35}, {0x033, 0x36}, {0x034, 0x37}, {0x035, 0x38}, {0x03B, 0x3A}, {0x03C, 0x3B},
    {0x03D, 0x3C}, {0x03E, 0x3D}, {0x03F, 0x3E}, {0x040, 0x3F}, {0x041, 0x40}, {0x042, 0x41},
    {0x043, 0x42}, {0x044, 0x43}, {0x057, 0x44}, {0x058, 0x45}, {0x137, 0x46}, {0x045, 0x48},
    {0x152, 0x49}, {0x153, 0x4C}, {0x147, 0x4A}, {0x14F, 0x4D}, {0x149, 0x4B}, {0x151, 0x4E},
    {0x148, 0x52}, {0x150, 0x51}, {0x14B, 0x50}, {0x14D, 0x4F}, {0x046, 0x47}, {0x03A, 0x39},
    {0x15D, 0x65}, {0x01D, 0xE0}, {0x11D, 0xE4}, {0x02A, 0xE1}, {0x036, 0xE5}, {0x038, 0xE2},
    {0x138, 0xE6}, {0x15B, 0xE3}, {0x15C, 0xE7}, {0x04F, 0x59}, {0x050, 0x5A}, {0x051, 0x5B},
    {0x04B, 0x5C}, {0x04C, 0x5D}, {0x04D, 0x5E}, {0x047, 0x5F}, {0x048, 0x60}, {0x049, 0x61},
    {0x052, 0x62}, {0x145, 0x53}, {0x11C, 0x58}, {0x053, 0x63}, {0x135, 0x54}, {0x037, 0x55},
    {0x04A, 0x56}, {0x04E, 0x57},
};

// Catalogue rows without a button but with a usage code: they compete in the
// lowest-index search of a usage code.
const CatalogueRow kOtherKeys[] = {
    {0x056, 0x64}, {0x070, 0x88}, {0x071, 0x91}, {0x072, 0x90}, {0x073, 0x87}, {0x079, 0x8A},
    {0x07B, 0x8B}, {0x07D, 0x89}, {0x07E, 0x85}, {0x110, 0xD0}, {0x119, 0xD1}, {0x120, 0xCD},
    {0x121, 0xC4}, {0x122, 0xCE}, {0x124, 0xCF}, {0x12E, 0xC1}, {0x130, 0xC0}, {0x132, 0xC7},
    {0x136, 0xE5}, {0x146, 0x48}, {0x15E, 0x81}, {0x15F, 0x82}, {0x161, 0xF4}, {0x162, 0xF5},
    {0x163, 0x83}, {0x165, 0xC6}, {0x166, 0xCC}, {0x167, 0xCB}, {0x168, 0xCA}, {0x169, 0xC9},
    {0x16A, 0xC8}, {0x16B, 0xC5}, {0x16C, 0xC3}, {0x16D, 0xC2}, {0x171, 0xF1}, {0x172, 0xF2},
    {0x173, 0xF3}, {0x174, 0xD2}, {0x175, 0xD3}, {0x17B, 0xD4}, {0x17C, 0xD5},
};

int keyIndex(uint16_t code) {
    return code < 0x100 ? code : (code - 0x80) % 256;
}

// Keyboard usage -> key code: the row with the lowest key index wins.
uint16_t keyFromUsage(uint8_t usage) {
    if (usage == 0)
        return 0;
    int best = 256;
    uint16_t code = 0;
    auto consider = [&](const CatalogueRow& row) {
        if (row.usage == usage && keyIndex(row.code) < best) {
            best = keyIndex(row.code);
            code = row.code;
        }
    };
    for (const auto& row : kButtonKeys) consider(row);
    for (const auto& row : kOtherKeys) consider(row);
    return code;
}

uint16_t decodeEntry(uint8_t b0, uint8_t b1, uint8_t b2) {
    if (b0 == 0x02 && b1 == 0x02)
        return keyFromUsage(b2);
    if (b0 == 0x02) {
        const uint16_t modifiers[] = {0x01D, 0x02A, 0x038, 0x15B, 0x11D, 0x036, 0x138, 0x15C};
        for (int bit = 0; bit < 8; ++bit)
            if (b2 & (1 << bit))
                return modifiers[bit];
        return 0;
    }
    if (b0 == 0x06 && b1 == 0xA2)
        return static_cast<uint16_t>(0x1FF + b2);
    return 0;  // mouse entries are never in the factory map
}

struct Entry {
    uint8_t b0, b1, b2;
    bool operator==(const Entry&) const = default;
};

std::vector<Entry> entries(const std::vector<uint8_t>& map) {
    std::vector<Entry> out;
    for (size_t i = 0; i + 2 < map.size(); i += 3) out.push_back({map[i], map[i + 1], map[i + 2]});
    return out;
}

// The host's built-in default map, by position (all other positions 00 00 00).
const std::map<int, Entry> kBuiltIn = {
    {0, {5, 0, 0}},     {1, {5, 0, 0}},     {2, {5, 0, 0}},     {3, {5, 0, 0}},
    {4, {5, 0, 0}},     {5, {5, 0, 0}},     {8, {2, 2, 0x29}},  {9, {2, 2, 0x35}},
    {10, {2, 2, 0x2B}}, {11, {2, 2, 0x39}}, {12, {2, 1, 0x02}}, {13, {2, 1, 0x01}},
    {16, {2, 2, 0x3A}}, {17, {2, 2, 0x1E}}, {18, {2, 2, 0x14}}, {19, {2, 2, 0x04}},
    {20, {2, 2, 0x1D}}, {21, {2, 1, 0x08}}, {24, {2, 2, 0x3B}}, {25, {2, 2, 0x1F}},
    {26, {2, 2, 0x1A}}, {27, {2, 2, 0x16}}, {28, {2, 2, 0x1B}}, {29, {2, 1, 0x04}},
    {32, {2, 2, 0x3C}}, {33, {2, 2, 0x20}}, {34, {2, 2, 0x08}}, {35, {2, 2, 0x07}},
    {36, {2, 2, 0x06}}, {37, {2, 2, 0x2C}}, {38, {2, 2, 0x46}}, {40, {2, 2, 0x3D}},
    {41, {2, 2, 0x21}}, {42, {2, 2, 0x15}}, {43, {2, 2, 0x09}}, {44, {2, 2, 0x19}},
    {45, {2, 1, 0x40}}, {46, {2, 2, 0x47}}, {48, {2, 2, 0x3E}}, {49, {2, 2, 0x22}},
    {50, {2, 2, 0x17}}, {51, {2, 2, 0x0A}}, {52, {2, 2, 0x05}}, {53, {5, 2, 2}},
    {54, {2, 2, 0x2E}}, {56, {2, 2, 0x3F}}, {57, {2, 2, 0x23}}, {58, {2, 2, 0x1C}},
    {59, {2, 2, 0x0B}}, {60, {2, 2, 0x11}}, {61, {2, 2, 0x65}}, {62, {2, 2, 0x48}},
};

const Entry kFn{0x05, 0x02, 0x02};

TEST(VkbdFactoryKeyMap, HoldsEveryKeyFnAndEighteenGKeysExactlyOnce) {
    const std::vector<Entry> map = entries(Firmware().factoryKeyMap());
    ASSERT_EQ(map.size(), 126u);

    std::multiset<uint16_t> decoded;
    int fnCount = 0;
    for (size_t k = 0; k < map.size(); ++k) {
        const Entry& e = map[k];
        const uint16_t code = decodeEntry(e.b0, e.b1, e.b2);
        if (code != 0) {
            decoded.insert(code);
        } else if (e == kFn) {
            ++fnCount;
        } else {
            EXPECT_EQ(e, (Entry{5, 0, 0})) << "position " << k << " holds an unknown entry";
        }
    }
    std::multiset<uint16_t> expected;
    for (const auto& row : kButtonKeys) expected.insert(row.code);
    for (uint16_t n = 1; n <= 18; ++n) expected.insert(static_cast<uint16_t>(0x1FF + n));
    EXPECT_EQ(decoded, expected);
    EXPECT_EQ(fnCount, 1);
}

TEST(VkbdFactoryKeyMap, EachKeyUsesItsOwnUsageAndModifiersTheirBit) {
    const std::vector<Entry> map = entries(Firmware().factoryKeyMap());
    const std::map<uint16_t, uint8_t> modifierBits = {{0x01D, 0x01}, {0x02A, 0x02}, {0x038, 0x04},
                                                      {0x15B, 0x08}, {0x11D, 0x10}, {0x036, 0x20},
                                                      {0x138, 0x40}, {0x15C, 0x80}};
    for (const auto& row : kButtonKeys) {
        Entry want{2, 2, row.usage};
        if (auto m = modifierBits.find(row.code); m != modifierBits.end())
            want = {2, 1, m->second};
        int found = 0;
        for (const Entry& e : map) found += e == want;
        EXPECT_EQ(found, 1) << "key 0x" << std::hex << row.code;
    }
    for (uint8_t n = 1; n <= 18; ++n) {
        int found = 0;
        for (const Entry& e : map) found += e == Entry{6, 0xA2, n};
        EXPECT_EQ(found, 1) << "G" << int(n);
    }
}

TEST(VkbdFactoryKeyMap, AgreesWithTheHostsBuiltInMapWhereverThatMapNamesAKey) {
    const std::vector<Entry> map = entries(Firmware().factoryKeyMap());
    int named = 0;
    for (const auto& [position, entry] : kBuiltIn) {
        if (decodeEntry(entry.b0, entry.b1, entry.b2) == 0)
            continue;
        ++named;
        EXPECT_EQ(map[position], entry) << "position " << position;
    }
    EXPECT_EQ(named, 45);
    EXPECT_EQ(map[53], kFn) << "Fn stays where the built-in map has it";
}

}  // namespace
}  // namespace vkbd
