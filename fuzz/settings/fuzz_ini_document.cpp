// Ini files from outside the program: the user's settings file, language files
// and skin files. The input is an edit (section, key, value) followed by the
// file's bytes. The parser and its lookups run on the bytes; the edit must read
// back, survive saving and leave every other entry alone; then the same bytes
// go through the file readers of language texts and skin rectangles.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "../support/ScratchFile.h"
#include "settings/IniDocument.h"
#include "settings/IniFile.h"
#include "settings/LanguageTables.h"
#include "settings/SkinRect.h"
#include "settings/Utf16.h"

namespace {

using settings::IniDocument;

void Require(bool condition) {
    if (!condition)
        std::abort();
}

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\v\f";
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    return settings::FoldName(TrimBlanks(a)) == settings::FoldName(TrimBlanks(b));
}

bool ValidUtf8(std::string_view text) {
    return settings::Utf16ToUtf8(settings::Utf8ToUtf16(text)) == text;
}

// Section names to look into: those the program reads, the edit's, and every
// "[name]" line of a file in an 8-bit encoding.
std::vector<std::string> SectionNames(std::string_view bytes, const std::string& edited) {
    std::vector<std::string> names = {"TEXT",        "LIGHT",    "MODE",     "BUTTONINFO", "SCREEN",
                                      "PRESENTMODE", "MODENAME", "KEYCOLOR", "PROFILES",   edited};
    size_t start = 0;
    while (start < bytes.size() && names.size() < 64) {
        size_t end = bytes.find_first_of("\r\n", start);
        std::string_view line =
            TrimBlanks(bytes.substr(start, end == std::string_view::npos ? end : end - start));
        size_t close = line.rfind(']');
        if (!line.empty() && line.front() == '[' && close != std::string_view::npos)
            names.emplace_back(line.substr(1, close - 1));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return names;
}

struct Entry {
    std::string section;
    std::string key;
    std::string value;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(40);
    const std::string key = input.ConsumeRandomLengthString(40);
    const std::string value = input.ConsumeRandomLengthString(300);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    const IniDocument doc = IniDocument::Parse(bytes);

    // Saving an unedited document and reading it again changes nothing more.
    const std::string saved = doc.Serialize();
    const IniDocument reread = IniDocument::Parse(saved);
    Require(reread.Serialize() == saved);

    // Every listed key has a value, the same after saving.
    std::vector<Entry> entries;
    for (const std::string& name : SectionNames(bytes, section)) {
        for (const std::string& k : doc.Keys(name)) {
            std::optional<std::string_view> found = doc.Find(name, k);
            Require(found.has_value());
            Require(reread.Find(name, k) == found);
            settings::SkinRect rect;
            const int read = settings::ParseSkinRect(*found, rect);
            Require(read >= 0 && read <= 4);
            const std::string_view cut = settings::CutUtf8(*found, settings::kIniReadMaxChars);
            Require(found->substr(0, cut.size()) == cut);
            entries.push_back({name, k, std::string(*found)});
        }
    }

    // An edit reads back as written, keeps every other entry, and survives
    // saving (in a UTF-16 file only texts that UTF-16 can hold).
    IniDocument edited = doc;
    if (edited.Set(section, key, value)) {
        Require(edited.Find(section, key) == std::string_view(value));
        for (const Entry& e : entries) {
            if (!(SameName(e.section, section) && SameName(e.key, key)))
                Require(edited.Find(e.section, e.key) == std::string_view(e.value));
        }
        const bool utf16 =
            bytes.size() >= 2 &&
            (static_cast<uint8_t>(bytes[0]) ^ static_cast<uint8_t>(bytes[1])) == 0x01 &&
            (static_cast<uint8_t>(bytes[0]) & 0xFE) == 0xFE;
        if (!utf16 || (ValidUtf8(section) && ValidUtf8(key) && ValidUtf8(value)))
            Require(IniDocument::Parse(edited.Serialize()).Find(section, key) ==
                    std::string_view(value));
        Require(edited.Remove(section, key));
    }

    // The same file through the readers the program uses for language texts
    // and skin rectangles. A file this fresh is parsed again on every read, so
    // a few entries are enough.
    const std::string path = fuzzsupport::ScratchPath("input.ini");
    fuzzsupport::WriteScratch(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    for (size_t i = 0; i < entries.size() && i < 4; ++i) {
        const Entry& e = entries[i];
        Require(settings::LoadTextFrom(path, e.section, e.key) ==
                settings::CutUtf8(e.value, settings::kIniReadMaxChars));
        settings::SkinRect expected;
        settings::ParseSkinRect(e.value, expected);
        Require(settings::ReadSkinRect(path, e.section, e.key) == expected);
    }
    settings::ReadSkinScreen(path);
    settings::LoadTextFrom(path, section, key);
    return 0;
}
