// KeyboardWriter.h - writing the whole key configuration to the keyboard:
// macro memory first, then the key maps, inside one BeginTransfer/EndTransfer.
#pragma once

#include "ConfigModel.h"
#include "KeyboardCommands.h"
#include "Prompts.h"

namespace keys {

// True when the default key map was read from a keyboard during this run;
// otherwise it is read once more now. False when that read fails too: no key
// map may then be built or decoded, since the built-in map names only a few
// of the keyboard's positions.
bool EnsureKeyboardDefaultKeyMap(ConfigModel& model, KeyboardCommands& keyboard);

// Reads the device-information block and stores the macro capacity it
// gives. False (capacity unchanged) when the block cannot be read.
bool ReadMacroCapacity(ConfigModel& model, KeyboardCommands& keyboard);

// Writes the device store: the macro image sized against the capacity and the
// key map of every profile (allProfiles) or of the keyboard's current one.
// True only when the macro memory and every key map were written.
// Shows "EXTRA_MACRO_TOO_LONG" (nothing sent) or, after writing without the
// names, "EXTRA_PROFILE_SPACE_TIGHT". Without a default key map read from the
// keyboard (EnsureKeyboardDefaultKeyMap) nothing is sent and
// "KEYMAP_DEFAULT_UNREAD" is shown; with a capacity of 0 the information
// block is read once more, and when that fails nothing is sent and
// "DEVICE_INFO_UNREAD" is shown.
bool WriteAssignments(ConfigModel& model, KeyboardCommands& keyboard, Prompts& prompts,
                      bool allProfiles);

// Copies the working store into the device store (block with a fresh header,
// macro list, texts packed into the pool) and writes it with WriteAssignments.
// The caller holds the working store's lock.
bool ApplyToKeyboard(ConfigModel& model, KeyboardCommands& keyboard, Prompts& prompts,
                     bool allProfiles);

// Packs the texts of the type-3 and type-6 records into a pool of `poolSize`
// bytes in ascending record order, rewriting each such record's data to its
// text's offset. Texts that do not fit or belong to other types are skipped.
std::vector<uint8_t> packTexts(const std::vector<TextSlot>& texts, AssignmentBlock& block,
                               size_t poolSize);

}  // namespace keys
