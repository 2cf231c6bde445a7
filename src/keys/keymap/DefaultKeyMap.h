// DefaultKeyMap.h - the keyboard's factory key map.
//
// It tells which key sits at which of the 126 matrix positions: the key at
// position k is the key its entry decodes to. Until the keyboard's own map
// has been read, the built-in map below stands in for it.
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
    void set(const KeyMap& map) {
        std::lock_guard<std::mutex> guard(mutex_);
        map_ = map;
    }

  private:
    mutable std::mutex mutex_;
    KeyMap map_;
};

}  // namespace keys
