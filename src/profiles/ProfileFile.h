// ProfileFile.h - the working store on disk.
//
// A profile file is the assignment block (32832 bytes), the macro records
// (16512 bytes each) and the text pool, with no other framing. The pool holds
// the texts of the launch-program and text-block records in ascending record
// order, UTF-16 with a terminator each; such a record's data is its text's
// offset in the pool. The cache file and the user's ".kpf" files share it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "AssignmentStore.h"
#include "Prompts.h"

namespace profiles {

// What a profile file holds, parsed but not yet installed in a store.
struct ProfileContent {
    std::unique_ptr<keys::AssignmentBlock> block;
    macros::MacroList macros;
    std::vector<keys::TextSlot> texts;  // kRecordCount slots
    int32_t textTotal = 0;
};

// A fresh default block: header for no macros and no texts, the layout
// descriptor, every record zero except the G-key identifiers of area 0.
std::unique_ptr<keys::AssignmentBlock> makeDefaultBlock();

// Writes a default profile file (32832 bytes).
bool CreateDefaultProfile(const std::filesystem::path& path);
// Makes the store the default profile: default block, no macros, no texts.
void CreateDefaultProfile(keys::AssignmentStore& store);

// The file bytes of a store: rewrites the store's header and the data of its
// text records (their pool offsets), as saving always has. A launch-program or
// text-block record without a text is saved with an empty one, so that every
// file written here loads again. The caller holds the store's lock.
std::vector<uint8_t> encodeProfileFile(keys::AssignmentStore& store);

// Parses file bytes. Fails (nothing) for a file shorter than its header
// announces, more than 100 macros, or a text that does not lie wholly inside
// the pool. The header's other fields are not examined here.
std::optional<ProfileContent> parseProfileFile(const uint8_t* data, size_t size);

// Results of ValidateProfileFile.
constexpr int kProfileValid = 1;
constexpr int kProfileInvalid = 0;
constexpr int kProfileUnopenable = -2;
constexpr int kProfileNoMemory = -3;

// Header check before a file from the user is loaded. A bad header shows
// "PROFILE_FORMAT_ERROR" with the path as its argument; a missing file or one
// of a wrong size does not. The announced file size is not compared with the
// real one.
int ValidateProfileFile(const std::filesystem::path& path, keys::Prompts& prompts);
// Header check on bytes already read (no message).
bool profileHeaderValid(const uint8_t* header);

// Loads the file into a fresh copy and installs it in the store only when it
// is complete; on failure the store keeps what it had.
bool LoadStoreFromFile(const std::filesystem::path& path, keys::AssignmentStore& store);

// Writes the store atomically as a profile file; takeLock takes the store's
// lock for the call (otherwise the caller holds it).
bool SaveStoreToFile(const std::filesystem::path& path, keys::AssignmentStore& store,
                     bool takeLock);
// SaveStoreToFile on the cache file, only when that file already exists.
bool SaveStoreToCache(const std::filesystem::path& cachePath, keys::AssignmentStore& store,
                      bool takeLock);

// Replaces the file atomically (temporary file in the same folder, then
// rename): a failed write leaves the old file as it was.
bool writeAtomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// Reads a whole file; nothing when it cannot be read.
std::optional<std::vector<uint8_t>> readWholeFile(const std::filesystem::path& path,
                                                  uint64_t maxBytes);

}  // namespace profiles
