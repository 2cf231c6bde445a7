// ModeTable.cpp - list index <-> mode code.
#include "lighting/ModeTable.h"

namespace lighting {

void ModeTable::Fill(std::span<const uint8_t, kModeListSize> modeList) {
    Clear();
    for (int i = 0; i < kModeListSize; ++i) {
        modeList_[i] = modeList[i];
        if (modeList[i] != 0)
            codes_.push_back(modeList[i]);
    }
}

void ModeTable::Clear() {
    modeList_.fill(0);
    codes_.clear();
}

int ModeTable::ModeIndex(int code) const {
    for (size_t i = 0; i < codes_.size(); ++i)
        if (codes_[i] == code)
            return int(i);
    return -1;
}

int ModeTable::ModeAt(int index) const {
    return index >= 0 && index < size() ? codes_[index] : 0;
}

}  // namespace lighting
