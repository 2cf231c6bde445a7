// AssignmentBlock.h - the 32832-byte block of every profile file: a 64-byte
// header (profile header + layout descriptor) and 2048 assignment records in
// four areas of 512; area p holds on-board profile p (area 3 is only carried).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "KeyAssignment.h"

namespace keys {

constexpr size_t kBlockHeaderSize = 64;
constexpr size_t kRecordCount = 2048;
constexpr size_t kRecordsPerArea = 512;
constexpr size_t kAreaCount = 4;
constexpr int kProfileCount = 3;
constexpr size_t kAssignmentBlockSize = kBlockHeaderSize + kRecordCount * kKeyAssignmentSize;
static_assert(kAssignmentBlockSize == 32832);
static_assert(kRecordsPerArea * kAreaCount == kRecordCount);

struct AssignmentBlock {
    std::array<uint8_t, kBlockHeaderSize> header{};
    std::array<KeyAssignment, kRecordCount> records{};

    KeyAssignment* area(size_t p) { return records.data() + p * kRecordsPerArea; }
    const KeyAssignment* area(size_t p) const { return records.data() + p * kRecordsPerArea; }
};

// Writes / reads exactly kAssignmentBlockSize bytes.
void encodeAssignmentBlock(const AssignmentBlock& block, uint8_t* out);
std::unique_ptr<AssignmentBlock> decodeAssignmentBlock(const uint8_t* in);

// Gives records 256..273 of the area their G-key identifiers.
void setGKeyIdentifiers(KeyAssignment* area);

}  // namespace keys
