// KeyTables.cpp - the constant tables of the key catalogue.
//
// The key table is built at compile time from a list of keys by key code, so
// each key is written once with all its fields.
#include <algorithm>

#include "keys/KeyCatalogue.h"

namespace keys {
namespace {

struct KeyEntry {
    KeyCode code;
    const char* nameKey;
    uint8_t usage;
    int16_t chooser;
    uint8_t vk;
    uint8_t altVk;  // 0 = same as vk
};

constexpr int16_t X(int value) {
    return static_cast<int16_t>(value);
}

// Every catalogue key, keys with a button first (in button order), then the
// rest in key-code order. Chooser codes 0x8001..0x802D are keys outside the
// macro editor's chooser.
constexpr KeyEntry kKeys[] = {
    {0x01E, "IDS_KEYBOARD_A", 0x04, 0, 0x41, 0},
    {0x030, "IDS_KEYBOARD_B", 0x05, 1, 0x42, 0},
    {0x02E, "IDS_KEYBOARD_C", 0x06, 2, 0x43, 0},
    {0x020, "IDS_KEYBOARD_D", 0x07, 3, 0x44, 0},
    {0x012, "IDS_KEYBOARD_E", 0x08, 4, 0x45, 0},
    {0x021, "IDS_KEYBOARD_F", 0x09, 5, 0x46, 0},
    {0x022, "IDS_KEYBOARD_G", 0x0A, 6, 0x47, 0},
    {0x023, "IDS_KEYBOARD_H", 0x0B, 7, 0x48, 0},
    {0x017, "IDS_KEYBOARD_I", 0x0C, 8, 0x49, 0},
    {0x024, "IDS_KEYBOARD_J", 0x0D, 9, 0x4A, 0},
    {0x025, "IDS_KEYBOARD_K", 0x0E, 10, 0x4B, 0},
    {0x026, "IDS_KEYBOARD_L", 0x0F, 11, 0x4C, 0},
    {0x032, "IDS_KEYBOARD_M", 0x10, 12, 0x4D, 0},
    {0x031, "IDS_KEYBOARD_N", 0x11, 13, 0x4E, 0},
    {0x018, "IDS_KEYBOARD_O", 0x12, 14, 0x4F, 0},
    {0x019, "IDS_KEYBOARD_P", 0x13, 15, 0x50, 0},
    {0x010, "IDS_KEYBOARD_Q", 0x14, 16, 0x51, 0},
    {0x013, "IDS_KEYBOARD_R", 0x15, 17, 0x52, 0},
    {0x01F, "IDS_KEYBOARD_S", 0x16, 18, 0x53, 0},
    {0x014, "IDS_KEYBOARD_T", 0x17, 19, 0x54, 0},
    {0x016, "IDS_KEYBOARD_U", 0x18, 20, 0x55, 0},
    {0x02F, "IDS_KEYBOARD_V", 0x19, 21, 0x56, 0},
    {0x011, "IDS_KEYBOARD_W", 0x1A, 22, 0x57, 0},
    {0x02D, "IDS_KEYBOARD_X", 0x1B, 23, 0x58, 0},
    {0x015, "IDS_KEYBOARD_Y", 0x1C, 24, 0x59, 0},
    {0x02C, "IDS_KEYBOARD_Z", 0x1D, 25, 0x5A, 0},
    {0x002, "IDS_KEYBOARD_1", 0x1E, 26, 0x31, 0},
    {0x003, "IDS_KEYBOARD_2", 0x1F, 27, 0x32, 0},
    {0x004, "IDS_KEYBOARD_3", 0x20, 28, 0x33, 0},
    {0x005, "IDS_KEYBOARD_4", 0x21, 29, 0x34, 0},
    {0x006, "IDS_KEYBOARD_5", 0x22, 30, 0x35, 0},
    {0x007, "IDS_KEYBOARD_6", 0x23, 31, 0x36, 0},
    {0x008, "IDS_KEYBOARD_7", 0x24, 32, 0x37, 0},
    {0x009, "IDS_KEYBOARD_8", 0x25, 33, 0x38, 0},
    {0x00A, "IDS_KEYBOARD_9", 0x26, 34, 0x39, 0},
    {0x00B, "IDS_KEYBOARD_0", 0x27, 35, 0x30, 0},
    {0x01C, "IDS_KEYBOARD_ENTER", 0x28, 36, 0x0D, 0},
    {0x001, "IDS_KEYBOARD_ESC", 0x29, 37, 0x1B, 0},
    {0x00E, "IDS_KEYBOARD_BS", 0x2A, 38, 0x08, 0},
    {0x00F, "IDS_KEYBOARD_TAB", 0x2B, 39, 0x09, 0},
    {0x039, "IDS_KEYBOARD_SPACE", 0x2C, 40, 0x20, 0},
    {0x00C, "IDS_KEYBOARD_MINUS", 0x2D, 41, 0xBD, 0},
    {0x00D, "IDS_KEYBOARD_EQU", 0x2E, 42, 0xBB, 0},
    {0x01A, "IDS_KEYBOARD_SB1", 0x2F, 43, 0xDB, 0},
    {0x01B, "IDS_KEYBOARD_SB2", 0x30, 44, 0xDD, 0},
    {0x02B, "IDS_KEYBOARD_AV", 0x31, 45, 0xDC, 0},
    {0x027, "IDS_KEYBOARD_SEM", 0x33, 46, 0xBA, 0},
    {0x028, "IDS_KEYBOARD_QUOT", 0x34, 47, 0xDE, 0},
    {0x029, "IDS_KEYBOARD_AID1", 0x35, 48, 0xC0, 0},
    {0x033, "IDS_KEYBOARD_COMMA", 0x36, 49, 0xBC, 0},
    {0x034, "IDS_KEYBOARD_PER", 0x37, 50, 0xBE, 0},
    {0x035, "IDS_KEYBOARD_VIR", 0x38, 51, 0xBF, 0},
    {0x03B, "IDS_KEYBOARD_F1", 0x3A, 52, 0x70, 0},
    {0x03C, "IDS_KEYBOARD_F2", 0x3B, 53, 0x71, 0},
    {0x03D, "IDS_KEYBOARD_F3", 0x3C, 54, 0x72, 0},
    {0x03E, "IDS_KEYBOARD_F4", 0x3D, 55, 0x73, 0},
    {0x03F, "IDS_KEYBOARD_F5", 0x3E, 56, 0x74, 0},
    {0x040, "IDS_KEYBOARD_F6", 0x3F, 57, 0x75, 0},
    {0x041, "IDS_KEYBOARD_F7", 0x40, 58, 0x76, 0},
    {0x042, "IDS_KEYBOARD_F8", 0x41, 59, 0x77, 0},
    {0x043, "IDS_KEYBOARD_F9", 0x42, 60, 0x78, 0},
    {0x044, "IDS_KEYBOARD_F10", 0x43, 61, 0x79, 0},
    {0x057, "IDS_KEYBOARD_F11", 0x44, 62, 0x7A, 0},
    {0x058, "IDS_KEYBOARD_F12", 0x45, 63, 0x7B, 0},
    {0x137, "IDS_KEYBOARD_PRINT", 0x46, 64, 0x2C, 0},
    {0x045, "IDS_KEYBOARD_PAUSE", 0x48, 65, 0x13, 0},
    {0x152, "IDS_KEYBOARD_INSERT", 0x49, 67, 0x2D, 0},
    {0x153, "IDS_KEYBOARD_DELETE", 0x4C, 68, 0x2E, 0},
    {0x147, "IDS_KEYBOARD_HOME", 0x4A, 69, 0x24, 0},
    {0x14F, "IDS_KEYBOARD_END", 0x4D, 70, 0x23, 0},
    {0x149, "IDS_KEYBOARD_PAGE_UP", 0x4B, 71, 0x21, 0},
    {0x151, "IDS_KEYBOARD_PAGE_DOWN", 0x4E, 72, 0x22, 0},
    {0x148, "IDS_KEYBOARD_UP", 0x52, 73, 0x26, 0},
    {0x150, "IDS_KEYBOARD_DOWN", 0x51, 74, 0x28, 0},
    {0x14B, "IDS_KEYBOARD_LEFT", 0x50, 75, 0x25, 0},
    {0x14D, "IDS_KEYBOARD_RIGHT", 0x4F, 76, 0x27, 0},
    {0x046, "IDS_KEYBOARD_SCROLL", 0x47, 77, 0x91, 0},
    {0x03A, "IDS_KEYBOARD_CAPS", 0x39, 78, 0x14, 0},
    {0x15D, "IDS_KEYBOARD_APP", 0x65, 97, 0x5D, 0},
    {0x01D, "IDS_KEYBOARD_LCTRL", 0xE0, 98, 0xA2, 0},
    {0x11D, "IDS_KEYBOARD_RCTRL", 0xE4, 102, 0xA3, 0},
    {0x02A, "IDS_KEYBOARD_LSHIFT", 0xE1, 99, 0xA0, 0},
    {0x036, "IDS_KEYBOARD_RSHIFT", 0xE5, 103, 0xA1, 0},
    {0x038, "IDS_KEYBOARD_LALT", 0xE2, 100, 0xA4, 0},
    {0x138, "IDS_KEYBOARD_RALT", 0xE6, 104, 0xA5, 0},
    {0x15B, "IDS_KEYBOARD_LWIN", 0xE3, 101, 0x5B, 0},
    {0x15C, "IDS_KEYBOARD_RWIN", 0xE7, 105, 0x5C, 0},
    {0x04F, "IDS_KEYBOARD_S_1", 0x59, 85, 0x61, 0x23},
    {0x050, "IDS_KEYBOARD_S_2", 0x5A, 86, 0x62, 0x28},
    {0x051, "IDS_KEYBOARD_S_3", 0x5B, 87, 0x63, 0x22},
    {0x04B, "IDS_KEYBOARD_S_4", 0x5C, 88, 0x64, 0x25},
    {0x04C, "IDS_KEYBOARD_S_5", 0x5D, 89, 0x65, 0x0C},
    {0x04D, "IDS_KEYBOARD_S_6", 0x5E, 90, 0x66, 0x27},
    {0x047, "IDS_KEYBOARD_S_7", 0x5F, 91, 0x67, 0x24},
    {0x048, "IDS_KEYBOARD_S_8", 0x60, 92, 0x68, 0x26},
    {0x049, "IDS_KEYBOARD_S_9", 0x61, 93, 0x69, 0x21},
    {0x052, "IDS_KEYBOARD_S_0", 0x62, 94, 0x60, 0x2D},
    {0x145, "IDS_KEYBOARD_NUM", 0x53, 79, 0x90, 0},
    {0x11C, "IDS_KEYBOARD_S_ENTER", 0x58, 84, 0x0D, 0},
    {0x053, "IDS_KEYBOARD_S_DEL", 0x63, 95, 0x6E, 0x2E},
    {0x135, "IDS_KEYBOARD_S_VIR", 0x54, 80, 0x6F, 0},
    {0x037, "IDS_KEYBOARD_S_AST", 0x55, 81, 0x6A, 0},
    {0x04A, "IDS_KEYBOARD_S_MINUS", 0x56, 82, 0x6D, 0},
    {0x04E, "IDS_KEYBOARD_S_PLUS", 0x57, 83, 0x6B, 0},

    {0x054, "IDS_KEYBOARD_SYSREQ", 0x00, X(0x8012), 0x2C, 0},
    {0x056, "IDS_KEYBOARD_K45", 0x64, 96, 0xE2, 0},
    {0x064, "", 0x00, X(0x802D), 0x7C, 0},  // F13 has no name
    {0x070, "IDS_KEYBOARD_ROMA", 0x88, X(0x8018), 0xFF, 0},
    {0x071, "IDS_KEYBOARD_KL", 0x91, X(0x8019), 0xE9, 0},
    {0x072, "IDS_KEYBOARD_KR", 0x90, X(0x801A), 0xFF, 0},
    {0x073, "IDS_KEYBOARD_K56", 0x87, X(0x8014), 0xC1, 0},
    {0x079, "IDS_KEYBOARD_CHG", 0x8A, X(0x8017), 0xFF, 0},
    {0x07B, "IDS_KEYBOARD_N_CHG", 0x8B, X(0x8016), 0xEB, 0},
    {0x07D, "IDS_KEYBOARD_K14", 0x89, X(0x8013), 0xFF, 0},
    {0x07E, "IDS_KEYBOARD_K107", 0x85, X(0x8015), 0xC2, 0},
    {0x110, "MEDIA_PREV_TRACK_4", 0xD0, X(0x8021), 0xB1, 0},
    {0x119, "MEDIA_Next_TRACK_5", 0xD1, X(0x8022), 0xB0, 0},
    {0x120, "MEDIA_MUTE_8", 0xCD, X(0x8025), 0xAD, 0},
    {0x121, "MEDIA_CALC_17", 0xC4, X(0x801C), 0xB7, 0},
    {0x122, "MEDIA_PALY_PAUSE_2", 0xCE, X(0x801F), 0xB3, 0},
    {0x124, "MEDIA_STOP_PALY_3", 0xCF, X(0x8020), 0xB2, 0},
    {0x12E, "MEDIA_V_LOW_6", 0xC1, X(0x8024), 0xAE, 0},
    {0x130, "MEDIA_V_ADD_7", 0xC0, X(0x8023), 0xAF, 0},
    {0x132, "MEDIA_WWW_HOME_9", 0xC7, X(0x8026), 0xAC, 0},
    {0x136, "IDS_KEYBOARD_RSHIFT", 0xE5, 103, 0xA1, 0},
    {0x146, "IDS_KEYBOARD_BREAK", 0x48, 66, 0x03, 0},
    {0x15E, "IDS_KEYBOARD_POWER", 0x81, X(0x8001), 0xFF, 0},
    {0x15F, "IDS_KEYBOARD_SLEEP", 0x82, X(0x8002), 0x5F, 0},
    {0x161, "IDS_KEYBOARD_ROLL_UP", 0xF4, 109, 0xD1, 0},
    {0x162, "IDS_KEYBOARD_ROLL_DOWN", 0xF5, 110, 0xD2, 0},
    {0x163, "IDS_KEYBOARD_WAKE", 0x83, X(0x8003), 0xFF, 0},
    {0x165, "MEDIA_WWW_SEARCH_15", 0xC6, X(0x802C), 0xAA, 0},
    {0x166, "MEDIA_WWW_FAVORITE_14", 0xCC, X(0x802B), 0xAB, 0},
    {0x167, "MEDIA_WWW_REFRESH_10", 0xCB, X(0x8027), 0xA8, 0},
    {0x168, "MEDIA_WWW_STOP_11", 0xCA, X(0x8028), 0xA9, 0},
    {0x169, "MEDIA_WWW_FORWARD_13", 0xC9, X(0x802A), 0xA7, 0},
    {0x16A, "MEDIA_WWW_BACK_12", 0xC8, X(0x8029), 0xA6, 0},
    {0x16B, "MEDIA_MY_PC_16", 0xC5, X(0x801B), 0xB6, 0},
    {0x16C, "MEDIA_MAIL_18", 0xC3, X(0x801D), 0xB4, 0},
    {0x16D, "MEDIA_PALYER_1", 0xC2, X(0x801E), 0xB5, 0},
    {0x16E, "IDS_KEYBOARD_MOU_PANLEFT", 0x00, X(0x8005), 0x88, 0},
    {0x16F, "IDS_KEYBOARD_MOU_PANRIGHT", 0x00, X(0x8006), 0x89, 0},
    {0x170, "IDS_KEYBOARD_MOU_DBCLICK", 0x00, X(0x8004), 0x8A, 0},
    {0x171, "IDS_KEYBOARD_MOU_LEFT", 0xF1, 106, 0x01, 0},
    {0x172, "IDS_KEYBOARD_MOU_RIGHT", 0xF2, 107, 0x02, 0},
    {0x173, "IDS_KEYBOARD_MOU_MIDDLE", 0xF3, 108, 0x04, 0},
    {0x174, "IDS_KEYBOARD_FUNC_ZOOMOUT", 0xD2, X(0x8007), 0x8B, 0},
    {0x175, "IDS_KEYBOARD_FUNC_ZOOMIN", 0xD3, X(0x8008), 0x8C, 0},
    {0x176, "IDS_KEYBOARD_FUNC_COPY", 0x00, X(0x8009), 0x97, 0},
    {0x177, "IDS_KEYBOARD_FUNC_CUT", 0x00, X(0x800A), 0x98, 0},
    {0x178, "IDS_KEYBOARD_FUNC_PASTE", 0x00, X(0x800B), 0x99, 0},
    {0x179, "IDS_KEYBOARD_FUNC_MINI", 0x00, X(0x800C), 0x9A, 0},
    {0x17A, "IDS_KEYBOARD_FUNC_MAXI", 0x00, X(0x800D), 0x9B, 0},
    {0x17B, "IDS_KEYBOARD_FUNC_WORD", 0xD4, X(0x800E), 0x9C, 0},
    {0x17C, "IDS_KEYBOARD_FUNC_EXCEL", 0xD5, X(0x800F), 0x9D, 0},
    {0x17D, "IDS_KEYBOARD_FUNC_POWERPOINT", 0x00, X(0x8010), 0x9E, 0},
    {0x17E, "IDS_KEYBOARD_FUNC_CALENDAR", 0x00, X(0x8011), 0x9F, 0},
};

constexpr KeyIndex IndexOfCode(KeyCode code) {
    if (code < 0x100)
        return code;
    if (code < 0x200)
        return static_cast<KeyIndex>((code - 0x80) % 256);
    return static_cast<KeyIndex>(code - 0x100);
}

constexpr std::array<KeyRow, kKeyTableSize> BuildKeyTable() {
    std::array<KeyRow, kKeyTableSize> table{};
    for (const KeyEntry& e : kKeys) {
        KeyRow& row = table[IndexOfCode(e.code)];
        row.vk = e.vk;
        row.altVk = e.altVk != 0 ? e.altVk : e.vk;
        row.usage = e.usage;
        row.chooser = e.chooser;
        row.nameKey = e.nameKey;
    }
    return table;
}

// Lowest key index whose VK field is the VK, with the fixed exceptions: the
// generic modifier VKs give the left-hand keys, VK 0x2C gives Print Screen
// rather than Sys Req, four office VKs give fixed rows, and the mouse-button,
// pan, double-click and office VKs without a keyboard meaning give nothing.
constexpr std::array<KeyIndex, 256> BuildVirtualKeyTable(const std::array<KeyRow, 256>& keys) {
    std::array<KeyIndex, 256> table{};
    for (int vk = 0; vk < 256; ++vk) {
        for (int index = 1; index < kKeyTableSize; ++index) {
            if (keys[index].vk == vk && !keys[index].empty()) {
                table[vk] = static_cast<KeyIndex>(index);
                break;
            }
        }
    }
    table[0x10] = 0x2A;
    table[0x11] = 0x1D;
    table[0x12] = 0x38;
    table[0x2C] = 0xB7;
    table[0x8B] = 0xD2;
    table[0x8C] = 0xD3;
    table[0x9C] = 0xD4;
    table[0x9D] = 0xD5;
    for (int vk :
         {0x01, 0x02, 0x04, 0x88, 0x89, 0x8A, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9E, 0x9F, 0xFF}) {
        table[vk] = 0;
    }
    return table;
}

constexpr bool EveryCodeIsDistinct() {
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        for (size_t j = i + 1; j < std::size(kKeys); ++j) {
            if (IndexOfCode(kKeys[i].code) == IndexOfCode(kKeys[j].code))
                return false;
        }
    }
    return true;
}
static_assert(std::size(kKeys) == 104 + 53, "104 keys with a button and 53 without");
static_assert(EveryCodeIsDistinct(), "two catalogue keys share a key index");

}  // namespace

constexpr std::array<KeyRow, kKeyTableSize> KeyTable = BuildKeyTable();

constexpr std::array<KeyIndex, 256> VirtualKeyTable = BuildVirtualKeyTable(BuildKeyTable());

constexpr std::array<uint16_t, 32> ConsumerUsageTable = {
    0x0E9, 0x0EA, 0x183, 0x18A, 0x192, 0x194, 0x221, 0x223, 0x224,
    0x225, 0x226, 0x227, 0x22A, 0x0E2, 0x0CD, 0x0B7, 0x0B6, 0x0B5,
};

constexpr std::array<KeyButton, kKeyButtonCount> KeyButtonTable = [] {
    std::array<KeyButton, kKeyButtonCount> table{};
    constexpr int kIds[kKeyButtonCount] = {
        1058, 1075, 1073, 1060, 1046, 1061, 1062, 1063, 1051, 1064, 1065, 1066, 1077, 1076, 1052,
        1053, 1044, 1047, 1059, 1048, 1050, 1074, 1045, 1072, 1049, 1071, 1030, 1031, 1032, 1033,
        1034, 1035, 1036, 1037, 1038, 1039, 1070, 1022, 1043, 1056, 1090, 1040, 1041, 1054, 1055,
        1042, 1067, 1068, 1029, 1078, 1079, 1080, 1010, 1011, 1012, 1013, 1014, 1015, 1023, 1024,
        1025, 1026, 1027, 1028, 1091, 1093, 1094, 1097, 1095, 1098, 1096, 1099, 1103, 1101, 1100,
        1102, 1092, 1069, 1088, 1083, 1089, 1082, 1081, 1085, 1086, 1084, 1087, 1115, 1116, 1117,
        1112, 1113, 1114, 1108, 1109, 1110, 1120, 1104, 1118, 1119, 1105, 1106, 1107, 1111,
    };
    // The first 104 entries of the key list are the buttons, in position order.
    for (int i = 0; i < kKeyButtonCount; ++i) table[i] = {i, kIds[i], kKeys[i].code};
    return table;
}();

constexpr std::array<int, kGButtonCount> GButtonTable = {1000, 1001, 1002, 1003, 1004,
                                                         1140, 1141, 1142, 1143};

constexpr std::array<MediaKey, kMediaKeyCount> MediaKeyList = {{
    {0x16D, "MEDIA_PALYER_1", 0x183},
    {0x122, "MEDIA_PALY_PAUSE_2", 0x0CD},
    {0x124, "MEDIA_STOP_PALY_3", 0x0B7},
    {0x110, "MEDIA_PREV_TRACK_4", 0x0B6},
    {0x119, "MEDIA_Next_TRACK_5", 0x0B5},
    {0x12E, "MEDIA_V_LOW_6", 0x0EA},
    {0x130, "MEDIA_V_ADD_7", 0x0E9},
    {0x120, "MEDIA_MUTE_8", 0x0E2},
    {0x132, "MEDIA_WWW_HOME_9", 0x223},
    {0x167, "MEDIA_WWW_REFRESH_10", 0x227},
    {0x168, "MEDIA_WWW_STOP_11", 0x226},
    {0x16A, "MEDIA_WWW_BACK_12", 0x224},
    {0x169, "MEDIA_WWW_FORWARD_13", 0x225},
    {0x166, "MEDIA_WWW_FAVORITE_14", 0x22A},
    {0x165, "MEDIA_WWW_SEARCH_15", 0x221},
    {0x16B, "MEDIA_MY_PC_16", 0x194},
    {0x121, "MEDIA_CALC_17", 0x192},
    {0x16C, "MEDIA_MAIL_18", 0x18A},
}};

constexpr std::array<MouseFunction, kMouseFunctionCount> MouseFunctionList = {{
    {0x171, "IDS_KEYBOARD_MOU_LEFT"},
    {0x172, "IDS_KEYBOARD_MOU_RIGHT"},
    {0x173, "IDS_KEYBOARD_MOU_MIDDLE"},
    {0x161, "IDS_KEYBOARD_ROLL_UP"},
    {0x162, "IDS_KEYBOARD_ROLL_DOWN"},
}};

constexpr std::array<KeyboardFunction, kKeyboardFunctionCount> KeyboardFunctionList = {{
    {0, "FUNC_KEY_DESC1"},
    {1, "FUNC_KEY_DESC2"},
    {2, "FUNC_KEY_DESC3"},
    {3, "FUNC_KEY_DESC4"},
    {4, "FUNC_KEY_DESC5"},
    {5, "FUNC_KEY_DESC6"},
    {6, "FUNC_KEY_DESC7"},
    {7, "FUNC_KEY_DESC8"},
    {8, "FUNC_KEY_DESC9"},
    {9, "FUNC_KEY_DESC10"},
    {10, "FUNC_KEY_DESC11"},
}};

constexpr std::array<KeyCode, kMediaKeyCount> MediaKeySet = [] {
    std::array<KeyCode, kMediaKeyCount> set{};
    for (int i = 0; i < kMediaKeyCount; ++i) set[i] = MediaKeyList[i].key;
    return set;
}();

constexpr std::array<KeyCode, 4> ReleaseOnlyKeySet = {0x054, 0x071, 0x072, 0x137};

}  // namespace keys
