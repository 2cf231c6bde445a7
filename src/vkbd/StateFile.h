// StateFile.h - the virtual keyboard's flash, kept in one file.
//
// Layout (little-endian):
//   0   8 bytes  magic "KTVKBDST"
//   8   u16      format version, 1
//   10  u16      number of sections
//   12  sections, each: u8 id, u8 0, u16 0, u32 length, then length bytes
//   end u32      CRC-32 (IEEE 802.3) of every byte before it
// Section ids: 1 device information, 2 parameter memory, 3 key maps,
// 4 macro memory, 5 key colours. Unknown ids are skipped, so a later version
// may add sections.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vkbd {

struct StateImage {
    std::vector<uint8_t> deviceInfo;
    std::vector<uint8_t> parameters;
    std::vector<uint8_t> keyMaps;
    std::vector<uint8_t> macroMemory;
    std::vector<uint8_t> keyColours;
    // Which sections the file carried (decoding only).
    bool hasDeviceInfo = false, hasParameters = false, hasKeyMaps = false;
    bool hasMacroMemory = false, hasKeyColours = false;
};

std::vector<uint8_t> encodeState(const StateImage& image);

// False, with a reason, when the bytes are not a whole, intact state file.
bool decodeState(const std::vector<uint8_t>& bytes, StateImage& image, std::string& problem);

uint32_t crc32(const uint8_t* data, size_t length);

// Writes a temporary file beside the target and renames it over the target,
// so a reader sees either the old or the new file, never a half-written one.
bool writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace vkbd
