// KeyboardWriter.h - writing the whole key configuration to the keyboard:
// macro memory first, then the key maps, inside one BeginTransfer/EndTransfer.
#pragma once

#include "ConfigModel.h"
#include "KeyboardCommands.h"
#include "Prompts.h"

namespace keys {

// Writes the device store: the macro image sized against the capacity and the
// key map of every profile (allProfiles) or of the keyboard's current one.
// True only when the macro memory and every key map were written.
// Shows "EXTRA_MACRO_TOO_LONG" (nothing sent) or, after writing without the
// names, "EXTRA_PROFILE_SPACE_TIGHT".
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
