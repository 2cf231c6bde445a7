// ProfileHeader.h - the first 64 bytes of an assignment block: the 32-byte
// profile header with its checksum, and the fixed 32-byte layout descriptor.
//
// Profile header (little-endian): u16 magic "FD" (0x4446), u16 header size 32,
// u16 profile count 3, u16 format version 1, u32 file size, u16 record count
// 2048, u16 macro count, u32 text bytes, 10 reserved bytes, u8 flags,
// u8 checksum = sum of bytes 0..30 modulo 256.
#pragma once

#include <cstddef>
#include <cstdint>

namespace keys {

constexpr size_t kProfileHeaderSize = 32;
constexpr size_t kLayoutDescriptorSize = 32;
constexpr uint16_t kProfileMagic = 0x4446;
constexpr size_t kMacroRecordBytes = 16512;

namespace header_field {
constexpr size_t kMagicAt = 0, kHeaderSizeAt = 2, kProfileCountAt = 4, kVersionAt = 6,
                 kFileSizeAt = 8, kRecordCountAt = 12, kMacroCountAt = 14, kTextBytesAt = 16,
                 kFlagsAt = 30, kChecksumAt = 31;
}

// File size a header with these counts announces.
uint64_t profileFileSize(uint32_t macroCount, uint32_t textBytes);

// Fills the 32 header bytes of `block`; the checksum is computed last.
void WriteProfileHeader(uint8_t* block, uint16_t macroCount, uint32_t textBytes, uint8_t flags);
// The 32 fixed bytes that follow the header.
void writeLayoutDescriptor(uint8_t* block);
uint8_t profileHeaderChecksum(const uint8_t* header);

struct ProfileHeaderFields {
    uint16_t magic, headerSize, profileCount, version;
    uint32_t fileSize;
    uint16_t recordCount, macroCount;
    uint32_t textBytes;
    uint8_t flags, checksum;
};
ProfileHeaderFields readProfileHeader(const uint8_t* header);

}  // namespace keys
