// IniDocument.cpp - parsing, lookup and editing of ini text.
#include "settings/IniDocument.h"

#include <cstdint>

#include "settings/Utf16.h"

namespace settings {
namespace {

constexpr std::string_view kBlanks = " \t\v\f";

std::string_view Trim(std::string_view text) {
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string IndexKey(std::string_view foldedSection, std::string_view key) {
    std::string result(foldedSection);
    result.push_back('\0');
    result += FoldName(key);
    return result;
}

// A parsed "key=value" line: trimmed key and trimmed raw value.
struct EntryLine {
    std::string_view key;
    std::string_view value;
};

enum class LineKind { Blank, Section, Comment, Entry, Other };

LineKind Classify(std::string_view line, std::string_view& sectionName, EntryLine& entry) {
    std::string_view text = Trim(line);
    if (text.empty())
        return LineKind::Blank;
    if (text.front() == '[') {
        size_t close = text.rfind(']');
        if (close == std::string_view::npos)
            return LineKind::Other;
        sectionName = Trim(text.substr(1, close - 1));
        return LineKind::Section;
    }
    if (text.front() == ';')
        return LineKind::Comment;
    size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return LineKind::Other;
    entry.key = Trim(text.substr(0, equals));
    entry.value = Trim(text.substr(equals + 1));
    return LineKind::Entry;
}

// UTF-16 bytes (after their mark) to UTF-8; an odd last byte is ignored.
std::string Utf16BytesToUtf8(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        auto b0 = static_cast<uint8_t>(bytes[2 * i]);
        auto b1 = static_cast<uint8_t>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0));
    }
    return Utf16ToUtf8(units);
}

// UTF-8 to UTF-16LE bytes.
std::string Utf8ToUtf16LeBytes(std::string_view text) {
    std::string out;
    for (char16_t unit : Utf8ToUtf16(text)) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    }
    return out;
}

// The value text to write so that reading it back gives exactly value: a
// value the reader would trim or unquote is wrapped in one pair of quotes.
std::string StorableValue(std::string_view value) {
    bool needsQuotes = !value.empty() && (Trim(value).size() != value.size() ||
                                          StripQuotes(value).size() != value.size());
    if (!needsQuotes)
        return std::string(value);
    return "\"" + std::string(value) + "\"";
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

std::string FoldName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

std::string_view CutUtf8(std::string_view text, size_t maxChars) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        bool starts = (static_cast<uint8_t>(text[i]) & 0xC0) != 0x80;
        if (starts) {
            if (chars == maxChars)
                return text.substr(0, i);
            ++chars;
        }
    }
    return text;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    std::string decoded;
    if (bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF &&
        static_cast<uint8_t>(bytes[1]) == 0xFE) {
        doc.utf16_ = true;
        decoded = Utf16BytesToUtf8(bytes.substr(2), false);
        bytes = decoded;
    } else if (bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFE &&
               static_cast<uint8_t>(bytes[1]) == 0xFF) {
        // Big-endian files are read, and written back little-endian.
        doc.utf16_ = true;
        decoded = Utf16BytesToUtf8(bytes.substr(2), true);
        bytes = decoded;
    } else if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        doc.utf8Bom_ = true;
        bytes.remove_prefix(3);
    }

    bool sawLineEnd = false;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            doc.lines_.emplace_back(bytes.substr(start));
            doc.finalLineEnd_ = false;
            break;
        }
        doc.lines_.emplace_back(bytes.substr(start, end - start));
        size_t next = end + 1;
        if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n')
            ++next;
        if (!sawLineEnd) {
            doc.lineEnd_ = std::string(bytes.substr(end, next - end));
            sawLineEnd = true;
        }
        start = next;
    }
    doc.reindex();
    return doc;
}

void IniDocument::reindex() {
    sections_.clear();
    values_.clear();
    std::vector<bool> firstBlock;  // per section: is it the first of its name
    for (size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name;
        EntryLine entry;
        LineKind kind = Classify(lines_[i], name, entry);
        if (kind == LineKind::Section) {
            std::string folded = FoldName(name);
            bool first = findSection(name) == nullptr;
            sections_.push_back({std::move(folded), i, i + 1});
            firstBlock.push_back(first);
            continue;
        }
        if (sections_.empty())
            continue;
        Section& current = sections_.back();
        if (kind != LineKind::Blank)
            current.endLine = i + 1;
        if (kind == LineKind::Entry && firstBlock.back()) {
            // Only the first occurrence of a key counts.
            values_.try_emplace(IndexKey(current.foldedName, entry.key),
                                std::string(StripQuotes(entry.value)));
        }
    }
}

const IniDocument::Section* IniDocument::findSection(std::string_view section) const {
    std::string folded = FoldName(Trim(section));
    for (const Section& s : sections_) {
        if (s.foldedName == folded)
            return &s;
    }
    return nullptr;
}

size_t IniDocument::findKeyLine(const Section& section, std::string_view key) const {
    std::string folded = FoldName(Trim(key));
    for (size_t i = section.headerLine + 1; i < section.endLine; ++i) {
        std::string_view name;
        EntryLine entry;
        if (Classify(lines_[i], name, entry) == LineKind::Entry && FoldName(entry.key) == folded) {
            return i;
        }
    }
    return std::string::npos;
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const {
    auto it = values_.find(IndexKey(FoldName(Trim(section)), Trim(key)));
    if (it == values_.end())
        return std::nullopt;
    return std::string_view(it->second);
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (HasLineBreak(section) || section.find(']') != std::string_view::npos)
        return false;
    if (key.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
        key.front() == ';' || key.front() == '[') {
        return false;
    }
    if (HasLineBreak(value))
        return false;

    std::string line = std::string(key) + "=" + StorableValue(value);
    if (const Section* s = findSection(section)) {
        size_t at = findKeyLine(*s, key);
        if (at != std::string::npos) {
            // Keep the key's spelling as the file has it.
            std::string_view name;
            EntryLine entry;
            Classify(lines_[at], name, entry);
            lines_[at] = std::string(entry.key) + "=" + StorableValue(value);
        } else {
            lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(s->endLine), line);
        }
    } else {
        if (!lines_.empty() && !Trim(lines_.back()).empty())
            lines_.emplace_back();
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(line));
        finalLineEnd_ = true;
    }
    reindex();
    return true;
}

bool IniDocument::Remove(std::string_view section, std::string_view key) {
    const Section* s = findSection(section);
    if (s == nullptr)
        return false;
    size_t at = findKeyLine(*s, key);
    if (at == std::string::npos)
        return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
    reindex();
    return true;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    const Section* s = findSection(section);
    if (s == nullptr)
        return keys;
    std::vector<std::string> seen;
    for (size_t i = s->headerLine + 1; i < s->endLine; ++i) {
        std::string_view name;
        EntryLine entry;
        if (Classify(lines_[i], name, entry) != LineKind::Entry)
            continue;
        std::string folded = FoldName(entry.key);
        bool duplicate = false;
        for (const auto& f : seen) duplicate = duplicate || f == folded;
        if (duplicate)
            continue;
        seen.push_back(std::move(folded));
        keys.emplace_back(entry.key);
    }
    return keys;
}

std::string IniDocument::Serialize() const {
    std::string text;
    for (size_t i = 0; i < lines_.size(); ++i) {
        text += lines_[i];
        if (i + 1 < lines_.size() || finalLineEnd_)
            text += lineEnd_;
    }
    if (utf16_)
        return "\xFF\xFE" + Utf8ToUtf16LeBytes(text);
    if (utf8Bom_)
        return "\xEF\xBB\xBF" + text;
    return text;
}

}  // namespace settings
