// DefaultKeyMap.h - the keyboard's factory key map.
//
// It tells which key sits at which of the 126 matrix positions: the key at
// position k is the key its entry decodes to. Until the keyboard's own map
// has been read, the built-in map below stands in for it for display only:
// it names few of the positions, so nothing that is written to the keyboard
// or into a file may be built or decoded on it (see fromKeyboard()).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace keys {

constexpr size_t kKeyMapPositions = 126;
constexpr size_t kKeyMapSize = kKeyMapPositions * 3;
static_assert(kKeyMapSize == 378);
using KeyMap = std::array<uint8_t, kKeyMapSize>;

const KeyMap& builtInDefaultKeyMap();

// Replaced from the arrival worker, read by the writers: guarded by its own lock.
class DefaultKeyMap {
  public:
    DefaultKeyMap() : map_(builtInDefaultKeyMap()) {}
    KeyMap get() const {
        std::lock_guard<std::mutex> guard(mutex_);
        return map_;
    }
    // The map as read from the keyboard.
    void set(const KeyMap& map) {
        std::lock_guard<std::mutex> guard(mutex_);
        map_ = map;
        fromKeyboard_ = true;
    }
    // True once a map read from a keyboard replaced the built-in one.
    bool fromKeyboard() const {
        std::lock_guard<std::mutex> guard(mutex_);
        return fromKeyboard_;
    }

  private:
    mutable std::mutex mutex_;
    KeyMap map_;
    bool fromKeyboard_ = false;
};

}  // namespace keys
