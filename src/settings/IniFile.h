// IniFile.h - ini-file access by section and key, with the rules of the
// Windows private-profile functions (see IniDocument.h for the format).
//
// Reads never fail: a missing or unreadable file behaves as an empty one and
// yields the default. Writes replace the file atomically and keep every other
// entry. Parsed files are cached and re-read as soon as the file on disk
// changes, so every read still sees the file as it is at that moment.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/IniDocument.h"

namespace settings {

// Characters a private-profile read returns at most (a 260-character buffer).
inline constexpr size_t kIniReadMaxChars = 259;

// The value of key in section, cut to 259 characters; the default when the
// file, section or key is missing; "" when the value is empty.
std::string ReadIniString(const std::string& file, std::string_view section, std::string_view key,
                          std::string_view defaultValue);

// The same with a caller-chosen cut; nothing when the key is missing.
std::optional<std::string> FindIniString(const std::string& file, std::string_view section,
                                         std::string_view key, size_t maxChars);

// Writes key=value into section, creating the file (and its folder) and the
// section when needed. Returns false when the write failed or the name or
// value cannot be stored (line breaks, '=' in a key, ']' in a section).
bool WriteIniString(const std::string& file, std::string_view section, std::string_view key,
                    std::string_view value);

// Removes key from section; true when the file no longer has it.
bool DeleteIniKey(const std::string& file, std::string_view section, std::string_view key);

// The keys of a section in file order.
std::vector<std::string> ReadIniKeys(const std::string& file, std::string_view section);

// The parsed file, shared from the cache; null when the file is missing or
// unreadable. Re-read whenever the file's identity, size or times change.
std::shared_ptr<const IniDocument> LoadIniDocument(const std::string& file);

// One ini file by name, for code that reads and writes the same file often.
class IniFile {
  public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    std::string Read(std::string_view section, std::string_view key,
                     std::string_view defaultValue) const {
        return ReadIniString(path_, section, key, defaultValue);
    }
    bool Write(std::string_view section, std::string_view key, std::string_view value) const {
        return WriteIniString(path_, section, key, value);
    }

  private:
    std::string path_;
};

// The skinned dialogs' reader of their SCREEN entries: reads up to 2047
// characters and gives nothing at all (not an empty text) for an empty value.
class CIniFile {
  public:
    static constexpr size_t kMaxChars = 2047;

    CIniFile() = default;
    explicit CIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }
    const std::string& FileName() const { return fileName_; }

    std::optional<std::string> GetString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue) const;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;

  private:
    std::string fileName_;
};

}  // namespace settings
