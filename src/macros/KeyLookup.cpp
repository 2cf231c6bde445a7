#include "KeyLookup.h"

#include "KeyCatalogue.h"

namespace macros::lookup {

KeyClass classifyKey(uint16_t code) {
    const keys::KeyClass cls = keys::ClassifyKey(code);
    return KeyClass{cls.kind, cls.value};
}

uint16_t keyFromUsage(uint16_t kind, uint16_t value) {
    return keys::KeyFromUsage(kind, value);
}

uint16_t codeToIndex(uint16_t code) {
    return keys::CodeToIndex(code);
}

uint16_t mediaConsumerUsage(int32_t mediaNumber) {
    if (mediaNumber < 0 || mediaNumber >= keys::kMediaKeyCount)
        return 0;
    return keys::MediaKeyList[static_cast<size_t>(mediaNumber)].consumerUsage;
}

int mediaNumberOfUsage(uint16_t usage) {
    if (usage == 0)
        return -1;
    for (int i = 0; i < keys::kMediaKeyCount; ++i)
        if (keys::MediaKeyList[static_cast<size_t>(i)].consumerUsage == usage)
            return i;
    return -1;
}

}  // namespace macros::lookup
