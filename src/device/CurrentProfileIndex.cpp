#include "device/CurrentProfileIndex.h"

#include <atomic>

namespace device {

namespace {
std::atomic<int> profileIndex{0};
}

int currentProfileIndex() {
    return profileIndex.load();
}

void setCurrentProfileIndex(int profile) {
    profileIndex.store(profile);
}

}  // namespace device
