// AtomicFile.h - whole-file reads and crash-safe whole-file writes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

// Writes data to a temporary file in the same folder, flushes it to disk and
// renames it over path, so a crash leaves either the old file or the new one.
// Creates missing parent folders. A symbolic link at path is followed: its
// target is replaced. Returns false on any failure (the old file is intact).
bool WriteFileAtomically(const std::string& path, std::string_view data);

// The whole of a regular file, or nothing when it is missing, cannot be read,
// is not a regular file or is larger than maxBytes.
inline constexpr size_t kMaxReadBytes = size_t{64} << 20;
std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes = kMaxReadBytes);

}  // namespace settings
