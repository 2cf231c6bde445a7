// MacroImage.h - the keyboard's macro memory image, built from a macro list
// and decoded back.
//
// Layout (little-endian): a 16-byte header (magic AA 55, u16 total size,
// u16 macro count, u16 has-names flag, 8 zero bytes), an index of one u16
// block offset per macro, then the macro blocks without gaps. A block is
// u16 action count, u8 repeat count, u8 name length, 4 bytes per action and,
// when names are included, the name's UTF-16 units without terminator.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "MacroRecord.h"

namespace macros {

constexpr size_t kImageHeaderSize = 16;
constexpr uint16_t kImageMagic = 0x55AA;

struct ImageSizes {
    uint32_t full = 0;  // with names
    uint32_t withoutNames = 0;
};

// The caller holds the lock of the store that owns the list.
ImageSizes ComputeImageSizes(const MacroList& list);

// Exactly `size` bytes; a size below what the list needs is refused (empty
// result) rather than written past.
std::vector<uint8_t> BuildMacroImage(const MacroList& list, uint32_t size, bool withNames);

// The text a macro read back without a name gets: "MACRO_NEW_PREFIX" text
// followed by its number.
using NamePrefixSource = std::function<std::u16string()>;

// Turns an image read from the keyboard into records. At most `maxRecords`
// (and never more than MAX_MACROS) come back. Index entries, counts and names
// that point outside the image end the decoding at that macro: the macros
// before it are kept, nothing is read outside the bytes given.
MacroList DecodeMacroImage(const uint8_t* image, size_t size, const NamePrefixSource& prefix,
                           size_t maxRecords = MAX_MACROS);

enum class ImagePlan {
    WithNames,     // everything fits
    WithoutNames,  // the names are left out; the caller shows EXTRA_PROFILE_SPACE_TIGHT after
                   // writing
    TooLarge,      // nothing may be written; the caller shows EXTRA_MACRO_TOO_LONG
};

struct PreparedImage {
    ImagePlan plan = ImagePlan::TooLarge;
    std::vector<uint8_t> bytes;
};

// The sizing rule against the keyboard's macro capacity (bytes).
PreparedImage PrepareMacroImage(const MacroList& list, uint32_t capacity);

// Position 0..count-1 of the first macro with this id; 0 when none has it.
size_t FindMacroPosition(const MacroList& list, uint16_t id);

// Smallest id 1..100 not in use; 0 when all are taken.
uint16_t AllocateMacroId(const std::vector<uint16_t>& idsInUse);

}  // namespace macros
