// ConfigModel.h - the state the configuration operations share: the two
// stores, the keyboard's factory key map and its macro capacity.
#pragma once

#include <atomic>
#include <cstdint>

#include "AssignmentStore.h"
#include "DefaultKeyMap.h"

namespace keys {

struct ConfigModel {
    AssignmentStore working;  // what the user edits
    AssignmentStore device;   // what was last written to the keyboard
    DefaultKeyMap defaultKeyMap;
    // Bytes of macro memory (128 x device-information byte 11); 0 until the
    // keyboard has been read, and kept when it goes away.
    std::atomic<uint32_t> macroCapacity{0};
};

}  // namespace keys
