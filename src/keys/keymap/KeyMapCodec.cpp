#include "KeyMapCodec.h"

#include <mutex>

#include "KeyLookup.h"
#include "MacroActionCodec.h"
#include "MacroImage.h"

namespace keys {

namespace {

MapEntry entry(uint8_t b0, uint8_t b1, uint8_t b2) {
    return MapEntry{b0, b1, b2};
}

// The entry for a "key" assignment to target t.
MapEntry keyTargetEntry(uint16_t target) {
    if (const uint8_t bit = macros::modifierBit(target))
        return entry(2, 1, bit);
    switch (target) {
        case 0x171:
            return entry(1, 1, 0x01);
        case 0x172:
            return entry(1, 1, 0x02);
        case 0x173:
            return entry(1, 1, 0x04);
        case 0x161:
            return entry(1, 5, 0x01);
        case 0x162:
            return entry(1, 5, 0xFF);
        default:
            break;
    }
    const macros::lookup::KeyClass cls = macros::lookup::classifyKey(target);
    return entry(2, 2, cls.kind == 7 ? static_cast<uint8_t>(cls.value) : 0);
}

}  // namespace

uint16_t DecodeEntry(const uint8_t* e) {
    // Kinds 0 and 5 (nothing, macro functions) and unknown kinds are no key.
    if (e[0] == 0 || e[0] == 5 || e[0] > 6)
        return 0;
    return macros::keyFromTriple(e[0], e[1], e[2]);
}

MapEntry encodeAssignmentEntry(const KeyAssignment& record, const uint8_t* defaultEntry,
                               size_t macroPosition) {
    const MapEntry unchanged = entry(defaultEntry[0], defaultEntry[1], defaultEntry[2]);
    switch (record.type) {
        case kAssignDefault:
        case kAssignLaunch:
            return unchanged;
        case kAssignDisabled:
        case kAssignTextBlock:
            return entry(0, 0, 0);
        case kAssignKey:
            return keyTargetEntry(static_cast<uint16_t>(record.data));
        case kAssignMacro:
            return entry(5, 1, static_cast<uint8_t>(macroPosition));
        case kAssignStopMacro:
            return entry(5, 2, 0);
        case kAssignMedia: {
            const uint16_t usage = macros::lookup::mediaConsumerUsage(record.data);
            // A media number outside the list has no encoding: keep the factory function.
            if (usage == 0)
                return unchanged;
            return entry(3, static_cast<uint8_t>(usage), static_cast<uint8_t>(usage >> 8));
        }
        case kAssignFunction:
            return entry(5, 5, static_cast<uint8_t>(record.data));
        default:
            return unchanged;  // unknown types keep the factory function
    }
}

KeyMap buildKeyMapFrom(const KeyMap& defaults, const AssignmentBlock& block, int profile,
                       const macros::MacroList& macroList) {
    KeyMap map = defaults;
    if (profile < 0 || profile >= kProfileCount)
        return map;
    for (size_t k = 0; k < kKeyMapPositions; ++k) {
        const uint8_t* def = &defaults[k * 3];
        const uint16_t code = DecodeEntry(def);
        if (code == 0)
            continue;
        const uint16_t index = macros::lookup::codeToIndex(code);
        if (index >= kRecordsPerArea)
            continue;
        const KeyAssignment& record = block.area(static_cast<size_t>(profile))[index];
        const size_t position =
            record.type == kAssignMacro
                ? macros::FindMacroPosition(macroList, static_cast<uint16_t>(record.data & 0xFFFF))
                : 0;
        const MapEntry e = encodeAssignmentEntry(record, def, position);
        map[k * 3] = e[0];
        map[k * 3 + 1] = e[1];
        map[k * 3 + 2] = e[2];
    }
    return map;
}

KeyMap BuildKeyMap(ConfigModel& model, int profile) {
    const KeyMap defaults = model.defaultKeyMap.get();
    std::lock_guard<std::recursive_mutex> working(model.working.lock());
    std::lock_guard<std::recursive_mutex> device(model.device.lock());
    if (!model.device.block)
        return defaults;
    return buildKeyMapFrom(defaults, *model.device.block, profile, model.working.macros);
}

void DecodeKeyMap(const uint8_t* map, const KeyMap& defaults, KeyAssignment* area) {
    for (size_t i = 0; i < kRecordsPerArea; ++i) area[i] = KeyAssignment{};
    setGKeyIdentifiers(area);
    for (size_t k = 0; k < kKeyMapPositions; ++k) {
        const uint8_t* e = map + k * 3;
        const uint8_t* def = &defaults[k * 3];
        if (e[0] == def[0] && e[1] == def[1] && e[2] == def[2])
            continue;
        const uint16_t index = macros::lookup::codeToIndex(DecodeEntry(def));
        if (index == 0 || index >= kRecordsPerArea)
            continue;
        KeyAssignment& r = area[index];
        r.type = kAssignDisabled;
        r.data = 0;
        switch (e[0]) {
            case 5:
                if (e[1] == 1) {
                    r.type = kAssignMacro;
                    r.data = e[2] + 1;  // macros read back get id = position + 1
                } else if (e[1] == 2) {
                    r.type = kAssignStopMacro;
                } else if (e[1] == 5) {
                    r.type = kAssignFunction;
                    r.data = e[2];
                }
                break;
            case 3: {
                const int media =
                    macros::lookup::mediaNumberOfUsage(static_cast<uint16_t>(e[1] + 256 * e[2]));
                if (media >= 0) {
                    r.type = kAssignMedia;
                    r.data = media;
                }
                break;
            }
            case 1: {
                // Unrecognised mouse entries stay disabled rather than pointing nowhere.
                const uint16_t target = macros::keyFromTriple(1, e[1], e[2]);
                if (target != 0) {
                    r.type = kAssignKey;
                    r.data = target;
                }
                break;
            }
            case 2: {
                const uint16_t target = e[1] == 2   ? macros::lookup::keyFromUsage(7, e[2])
                                        : e[1] == 1 ? macros::keyOfModifierBits(e[2])
                                                    : 0;
                if (target != 0) {
                    r.type = kAssignKey;
                    r.data = target;
                } else if (e[1] == 1) {
                    r.type = kAssignKey;  // an empty modifier set: a key with no target
                }
                break;
            }
            default:
                break;
        }
    }
}

}  // namespace keys
