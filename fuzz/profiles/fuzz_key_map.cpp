// Key maps read from the keyboard, against a default map that is the
// built-in one or, when the input is long enough, part of the input.
#include <cstdint>
#include <vector>

#include "KeyMapCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < keys::kKeyMapSize)
        return 0;
    const std::vector<uint8_t> map(data, data + keys::kKeyMapSize);
    keys::KeyMap defaults = keys::builtInDefaultKeyMap();
    if (size >= 2 * keys::kKeyMapSize)
        std::copy(data + keys::kKeyMapSize, data + 2 * keys::kKeyMapSize, defaults.begin());

    keys::AssignmentBlock block;
    keys::DecodeKeyMap(map.data(), defaults, block.area(0));
    for (size_t k = 0; k < keys::kKeyMapPositions; ++k) keys::DecodeEntry(&map[k * 3]);
    // Whatever was decoded encodes again without leaving the tables.
    keys::buildKeyMapFrom(defaults, block, 0, {});
    return 0;
}
