// IniDocument.h - one ini file's text, read and edited by the rules of the
// Windows private-profile functions.
//
// Reading: sections and keys match without regard to ASCII case; the first
// section of a name and the first key of a name in it win; keys and values
// are trimmed of blanks and a value keeps everything else (commas,
// backslashes, a ';' inside it); one pair of matching quotes around a value
// is removed. Lines that are neither "[section]" nor "key=value" are ignored,
// as are entries before the first section. A UTF-8 byte-order mark and CR/LF
// line ends are accepted; UTF-16LE files (with their mark) are read too.
//
// Editing keeps every other line as it was, and the file's line ends,
// byte-order mark and encoding.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace settings {

class IniDocument {
  public:
    IniDocument() = default;
    static IniDocument Parse(std::string_view fileBytes);

    // The value of key in section (quotes removed, not cut), or nothing when
    // the section or key is missing or the line has no '='.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // Sets key in section, creating the section at the end when needed.
    // Refuses (returns false) names or values that cannot be stored in one
    // line: a line break anywhere, '=' in a key, ']' in a section name, an
    // empty key, or a key that would read back as a comment or section.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // Removes key from section; false when it was not there.
    bool Remove(std::string_view section, std::string_view key);

    // Keys of a section in file order (first occurrence of each).
    std::vector<std::string> Keys(std::string_view section) const;

    // The file's bytes, in the file's own encoding and line ends.
    std::string Serialize() const;

  private:
    struct Section {
        std::string foldedName;
        size_t headerLine;
        size_t endLine;  // one past the last line that belongs to it
    };

    void reindex();
    const Section* findSection(std::string_view section) const;
    // Line index of key within a section, or npos.
    size_t findKeyLine(const Section& section, std::string_view key) const;

    std::vector<std::string> lines_;  // UTF-8, without line ends
    std::string lineEnd_ = "\n";
    bool utf8Bom_ = false;
    bool utf16_ = false;
    bool finalLineEnd_ = true;

    std::vector<Section> sections_;
    // folded "section\0key" -> value, first occurrence in the first section block
    std::unordered_map<std::string, std::string> values_;
};

// ASCII case folding used for section and key names.
std::string FoldName(std::string_view name);

// The first maxChars characters of a UTF-8 text, never splitting a sequence.
std::string_view CutUtf8(std::string_view text, size_t maxChars);

}  // namespace settings
