// KeyCatalogue.cpp - the lookups over the key catalogue's tables.
#include "keys/KeyCatalogue.h"

#include <algorithm>
#include <cstring>

#include "settings/LanguageTables.h"
#include "settings/TextFormat.h"

namespace keys {
namespace {

constexpr KeyRow kEmptyRow{};

}  // namespace

KeyIndex CodeToIndex(KeyCode code) {
    if (code < 0x100)
        return code;
    if (code < 0x200)
        return static_cast<KeyIndex>((code - 0x80) % 256);
    return static_cast<KeyIndex>(code - 0x100);
}

KeyCode IndexToCode(KeyIndex index) {
    if (index < 128)
        return index;
    if (index < 256)
        return static_cast<KeyCode>(index + 128);
    return kNoKey;
}

const KeyRow& RowOf(KeyCode code) {
    KeyIndex index = CodeToIndex(code);
    return index < kKeyTableSize ? KeyTable[index] : kEmptyRow;
}

KeyClass ClassifyKey(KeyCode code) {
    uint8_t u = RowOf(code).usage;
    if (u == kUsageNone || u == kUsageNoneAlt)
        return {kKindNone, 0};
    if (u >= kUsagePower && u <= kUsageWake)
        return {kKindSystem, u};
    if (u >= kUsageMouseFirst && u <= kUsageMouseLast)
        return {kKindMouse, u};
    // Consumer usage codes (0xC0..0xDF) are reported as keyboard usages too.
    return {kKindKeyboard, u};
}

KeyCode KeyFromUsage(uint16_t kind, uint16_t value) {
    uint16_t usage = 0;
    if (kind == kKindKeyboard) {
        usage = value;
    } else if (kind == kKindSystem) {
        usage = (value >= kUsagePower && value <= kUsageWake) ? value : 0;
    } else if (kind == kKindConsumer) {
        auto it = std::find(ConsumerUsageTable.begin(), ConsumerUsageTable.end(), value);
        if (it != ConsumerUsageTable.end() && value != 0) {
            usage = static_cast<uint16_t>(kUsageConsumerFirst + (it - ConsumerUsageTable.begin()));
        }
    }
    // A usage of 0 finds row 0, which is no key.
    for (int index = 0; index < kKeyTableSize; ++index) {
        if (KeyTable[index].usage == usage)
            return IndexToCode(static_cast<KeyIndex>(index));
    }
    return kNoKey;
}

std::string KeyName(KeyCode code, const settings::TextSource& texts) {
    const char* nameKey = RowOf(code).nameKey;
    if (nameKey[0] != '\0') {
        std::string name = texts.Text(nameKey);
        if (!name.empty())
            return name;
    }
    return settings::FormatText(texts.Text("UNKNOWN_KEY"), {int{code}});
}

std::string KeyName(KeyCode code) {
    return KeyName(code, settings::ProgramTexts());
}

size_t KeyName(KeyCode code, char* buffer, size_t capacity) {
    if (buffer == nullptr || capacity == 0)
        return 0;
    std::string name = KeyName(code);
    size_t end = std::min(name.size(), capacity - 1);
    // Never end the text inside a UTF-8 sequence.
    if (end < name.size()) {
        while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    }
    std::string_view fitted(name.data(), end);
    std::memcpy(buffer, fitted.data(), fitted.size());
    buffer[fitted.size()] = '\0';
    return fitted.size();
}

KeyCode KeyFromMessage(uint8_t vk, uint32_t messageData) {
    KeyCode fallback = IndexToCode(VirtualKeyTable[vk]);
    auto c = static_cast<KeyCode>((messageData >> 16) & 0x1FF);
    // Right Shift is one key whether or not the hook reports it as extended.
    if (c == 0x036 || c == 0x136)
        return 0x036;
    if (vk == 0xFF)
        return c;
    if ((c & 0xFF) == 0)
        return fallback;
    const KeyRow& row = RowOf(c);
    if (row.vk == vk || row.altVk == vk)
        return c;
    if ((c & 0xFF) == VirtualKeyTable[vk])
        return c;
    return fallback;
}

bool IsMediaKey(KeyCode code) {
    return std::find(MediaKeySet.begin(), MediaKeySet.end(), code) != MediaKeySet.end();
}

bool IsReleaseOnlyKey(KeyCode code) {
    return std::find(ReleaseOnlyKeySet.begin(), ReleaseOnlyKeySet.end(), code) !=
           ReleaseOnlyKeySet.end();
}

int16_t ChooserFromKey(KeyCode code) {
    return RowOf(code).chooser;
}

KeyCode KeyFromChooser(int16_t chooser) {
    for (int index = 0; index < kKeyTableSize; ++index) {
        if (KeyTable[index].chooser == chooser)
            return IndexToCode(static_cast<KeyIndex>(index));
    }
    return kNoKey;
}

std::string ChooserName(int16_t chooser, const settings::TextSource& texts) {
    for (const KeyRow& row : KeyTable) {
        if (row.chooser != chooser)
            continue;
        if (row.nameKey[0] == '\0')
            return {};
        return texts.Text(row.nameKey);
    }
    return {};
}

std::string ChooserName(int16_t chooser) {
    return ChooserName(chooser, settings::ProgramTexts());
}

int KeyButtonPosition(KeyCode code) {
    for (const KeyButton& button : KeyButtonTable) {
        if (button.key == code)
            return button.position;
    }
    return -1;
}

int MediaNumberOf(KeyCode code) {
    for (int i = 0; i < kMediaKeyCount; ++i) {
        if (MediaKeyList[i].key == code)
            return i;
    }
    return -1;
}

}  // namespace keys
