// KeyAssignment.h - what one key does in one profile: the 16-byte record.
//
// Layout (little-endian): u16 type, u16 aux, i32 data, i32 selection flag,
// i32 reserved. Profile files store the records unchanged.
#pragma once

#include <cstddef>
#include <cstdint>

namespace keys {

enum AssignmentType : uint16_t {
    kAssignDefault = 0,   // factory function
    kAssignDisabled = 1,  // does nothing
    kAssignKey = 2,       // acts as the key code in data
    kAssignLaunch = 3,  // launches a program (path in the texts); factory function on the keyboard
    kAssignMacro = 4,   // plays the macro whose id is the low 16 bits of data; aux = repeat count
    kAssignStopMacro = 5,  // stops a playing macro
    kAssignTextBlock = 6,  // types a text (in the texts); does nothing on the keyboard
    kAssignMedia = 7,      // media number 0..17 in data
    kAssignFunction = 8,   // keyboard function 0..10 in data
};

constexpr size_t kKeyAssignmentSize = 16;

struct KeyAssignment {
    uint16_t type = kAssignDefault;
    uint16_t aux = 0;
    int32_t data = 0;
    int32_t selected = 0;  // colour-selection mode of the key button at this position
    int32_t reserved = 0;

    bool operator==(const KeyAssignment&) const = default;
};

void encodeKeyAssignment(const KeyAssignment& record, uint8_t* out);
KeyAssignment decodeKeyAssignment(const uint8_t* in);

// G keys: records 256..264 are G1..G9 of the first layer, 265..273 of the
// second; their aux carries the identifier 0x0301.. / 0x1301.. unless the
// record is a macro assignment.
constexpr uint16_t kFirstGRecord = 256;
constexpr uint16_t kGRecordCount = 18;
constexpr uint16_t kLastGRecord = kFirstGRecord + kGRecordCount - 1;  // 273
uint16_t gKeyIdentifier(uint16_t keyIndex);  // 0 for a key index that is no G key

}  // namespace keys
