// KeyboardReads.h - reading what the configuration model needs from the
// keyboard: the arrival reads and the whole configuration.
#pragma once

#include <filesystem>

#include "ConfigModel.h"
#include "KeyboardCommands.h"
#include "Prompts.h"

namespace profiles {

// At keyboard arrival: the factory key map (on failure "MAIN_DEFAULT_MATRIX_PROMPT"
// is shown and the previous map stays) and the macro capacity (kept when the
// read fails). True when both reads succeeded.
bool ReadArrivalData(keys::ConfigModel& model, keys::KeyboardCommands& keyboard,
                     keys::Prompts& prompts);

// Reads the three key maps and the macro memory and writes them as a profile
// file (atomically): areas 0..2 decoded against the current default key map,
// area 3 zero, the macros decoded from the image, no texts. Nothing is read
// or written when no default key map could be read from the keyboard
// (keys::EnsureKeyboardDefaultKeyMap); the caller says why.
bool ReadKeyboardIntoFile(keys::ConfigModel& model, keys::KeyboardCommands& keyboard,
                          keys::Prompts& prompts, const std::filesystem::path& path);

}  // namespace profiles
