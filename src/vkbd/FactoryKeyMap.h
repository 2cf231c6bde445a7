// FactoryKeyMap.h - the keyboard's factory key map (read with command 15).
#pragma once

#include <cstdint>
#include <vector>

namespace vkbd {

// 126 three-byte entries, one per matrix position: 378 bytes.
std::vector<uint8_t> buildFactoryKeyMap();

}  // namespace vkbd
