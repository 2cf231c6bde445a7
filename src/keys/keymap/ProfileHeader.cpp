#include "ProfileHeader.h"

#include <algorithm>

#include "AssignmentBlock.h"
#include "LittleEndian.h"

namespace keys {

namespace {
constexpr uint8_t kLayoutDescriptor[kLayoutDescriptorSize] = {
    0x4B, 0x48, 0x20, 0x00, 0x20, 0x80, 0x00, 0x00, 0x04, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00,
    0x45, 0x0C, 0x04, 0x50, 0x4F, 0x1C, 0x0E, 0x00, 0,    0,    0,    0,    0,    0,    0,    0};
}

uint64_t profileFileSize(uint32_t macroCount, uint32_t textBytes) {
    return kAssignmentBlockSize + uint64_t(kMacroRecordBytes) * macroCount + textBytes;
}

uint8_t profileHeaderChecksum(const uint8_t* header) {
    unsigned sum = 0;
    for (size_t i = 0; i < header_field::kChecksumAt; ++i) sum += header[i];
    return static_cast<uint8_t>(sum);
}

void WriteProfileHeader(uint8_t* block, uint16_t macroCount, uint32_t textBytes, uint8_t flags) {
    namespace f = header_field;
    std::fill(block, block + kProfileHeaderSize, 0);
    le::put16(block + f::kMagicAt, kProfileMagic);
    le::put16(block + f::kHeaderSizeAt, kProfileHeaderSize);
    le::put16(block + f::kProfileCountAt, 3);
    le::put16(block + f::kVersionAt, 1);
    le::put32(block + f::kFileSizeAt,
              static_cast<uint32_t>(profileFileSize(macroCount, textBytes)));
    le::put16(block + f::kRecordCountAt, kRecordCount);
    le::put16(block + f::kMacroCountAt, macroCount);
    le::put32(block + f::kTextBytesAt, textBytes);
    block[f::kFlagsAt] = flags;
    block[f::kChecksumAt] = profileHeaderChecksum(block);
}

void writeLayoutDescriptor(uint8_t* block) {
    std::copy(std::begin(kLayoutDescriptor), std::end(kLayoutDescriptor),
              block + kProfileHeaderSize);
}

ProfileHeaderFields readProfileHeader(const uint8_t* h) {
    namespace f = header_field;
    ProfileHeaderFields fields;
    fields.magic = le::get16(h + f::kMagicAt);
    fields.headerSize = le::get16(h + f::kHeaderSizeAt);
    fields.profileCount = le::get16(h + f::kProfileCountAt);
    fields.version = le::get16(h + f::kVersionAt);
    fields.fileSize = le::get32(h + f::kFileSizeAt);
    fields.recordCount = le::get16(h + f::kRecordCountAt);
    fields.macroCount = le::get16(h + f::kMacroCountAt);
    fields.textBytes = le::get32(h + f::kTextBytesAt);
    fields.flags = h[f::kFlagsAt];
    fields.checksum = h[f::kChecksumAt];
    return fields;
}

}  // namespace keys
