#include "AssignmentBlock.h"

#include <algorithm>

namespace keys {

void encodeAssignmentBlock(const AssignmentBlock& block, uint8_t* out) {
    std::copy(block.header.begin(), block.header.end(), out);
    for (size_t i = 0; i < kRecordCount; ++i)
        encodeKeyAssignment(block.records[i], out + kBlockHeaderSize + i * kKeyAssignmentSize);
}

std::unique_ptr<AssignmentBlock> decodeAssignmentBlock(const uint8_t* in) {
    auto block = std::make_unique<AssignmentBlock>();
    std::copy(in, in + kBlockHeaderSize, block->header.begin());
    for (size_t i = 0; i < kRecordCount; ++i)
        block->records[i] = decodeKeyAssignment(in + kBlockHeaderSize + i * kKeyAssignmentSize);
    return block;
}

void setGKeyIdentifiers(KeyAssignment* area) {
    for (uint16_t k = kFirstGRecord; k <= kLastGRecord; ++k) area[k].aux = gKeyIdentifier(k);
}

}  // namespace keys
