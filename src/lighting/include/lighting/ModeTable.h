// ModeTable.h - the lighting modes the keyboard offers, in the order it
// offers them: bytes 12..43 of its device-information block, 0 = empty slot.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace lighting {

constexpr int kModeListSize = 32;
constexpr uint8_t kPerKeyMode = 20;

class ModeTable {
  public:
    // Takes the 32 list bytes; empty slots are skipped wherever they stand.
    void Fill(std::span<const uint8_t, kModeListSize> modeList);
    void Clear();

    // List index of a mode code, or -1 when the keyboard does not offer it.
    int ModeIndex(int code) const;
    // Mode code at a list index, or 0 outside the list.
    int ModeAt(int index) const;
    int size() const { return int(codes_.size()); }
    bool Offers(int code) const { return ModeIndex(code) >= 0; }
    const std::array<uint8_t, kModeListSize>& modeList() const { return modeList_; }

  private:
    std::array<uint8_t, kModeListSize> modeList_{};
    std::vector<uint8_t> codes_;  // list index -> code
};

}  // namespace lighting
