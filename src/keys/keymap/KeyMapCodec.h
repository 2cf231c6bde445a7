// KeyMapCodec.h - key assignments to the keyboard's 378-byte key map and back.
//
// A key map has 126 three-byte entries, one per matrix position. Which key
// sits at a position is known only from the default key map: the key at
// position k is what default entry k decodes to; positions whose default
// entry is no key are passed through unchanged.
#pragma once

#include <array>
#include <cstdint>

#include "AssignmentBlock.h"
#include "ConfigModel.h"
#include "DefaultKeyMap.h"
#include "MacroRecord.h"

namespace keys {

using MapEntry = std::array<uint8_t, 3>;

// The key code an entry stands for; 0 = no key.
uint16_t DecodeEntry(const uint8_t* entry);

// The entry a record produces at a position whose default entry is given.
// `macroPosition` is the 0-based position of the record's macro in the list.
MapEntry encodeAssignmentEntry(const KeyAssignment& record, const uint8_t* defaultEntry,
                               size_t macroPosition);

// Pure form: the key map of `profile` from the block, macros looked up in `macroList`.
KeyMap buildKeyMapFrom(const KeyMap& defaults, const AssignmentBlock& block, int profile,
                       const macros::MacroList& macroList);

// The key map of `profile` from the device store; macro positions come from
// the working store's list. Takes both stores' locks (working first).
// An empty device store yields the default map.
KeyMap BuildKeyMap(ConfigModel& model, int profile);

// Turns a key map read from the keyboard into the 512 records of one area.
void DecodeKeyMap(const uint8_t* map, const KeyMap& defaults, KeyAssignment* area);

}  // namespace keys
