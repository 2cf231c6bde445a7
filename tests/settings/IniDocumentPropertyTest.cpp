// Random ini texts built from troublesome pieces: parsing never fails, and
// setting one entry changes exactly that entry, whatever else the file holds.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/IniDocument.h"

namespace {

const char* const kPieces[] = {
    "[S]", "[s]", "[T]",  " [ S ] ", "[",       "]",   "[S",    "K=1",      "k=2",
    "K =", "=v",  "K",    ";K=3",    "L=\"q\"", "L='", "M=a;b", "N=  sp  ", "\xC3\xA9=\xC3\xA9",
    "\t",  " ",   "\x01", "==",
};
const char* const kBreaks[] = {"\n", "\r\n", "\r", ""};

std::string RandomText(std::mt19937& random) {
    std::string text = random() % 4 == 0 ? "\xEF\xBB\xBF" : "";
    int lines = static_cast<int>(random() % 12);
    for (int i = 0; i < lines; ++i) {
        text += kPieces[random() % std::size(kPieces)];
        if (random() % 3 == 0)
            text += kPieces[random() % std::size(kPieces)];
        text += kBreaks[random() % std::size(kBreaks)];
    }
    return text;
}

TEST(SettingsIniDocument, SettingOneEntryChangesOnlyThatEntry) {
    std::mt19937 random(20261211);
    const char* sections[] = {"S", "T", "U"};
    const char* keys[] = {"K", "L", "M", "N", "new"};
    const char* values[] = {"1", "", " lead", "\"q\"", "a;b", "x=y", "\xC3\xA9"};
    for (int round = 0; round < 3000; ++round) {
        std::string text = RandomText(random);
        auto before = settings::IniDocument::Parse(text);
        auto document = before;
        const char* section = sections[random() % std::size(sections)];
        const char* key = keys[random() % std::size(keys)];
        const char* value = values[random() % std::size(values)];
        ASSERT_TRUE(document.Set(section, key, value));

        auto after = settings::IniDocument::Parse(document.Serialize());
        ASSERT_EQ(after.Find(section, key), std::string_view(value)) << text;
        for (const char* s : sections) {
            for (const char* k : keys) {
                if (settings::FoldName(s) == settings::FoldName(section) &&
                    settings::FoldName(k) == settings::FoldName(key)) {
                    continue;
                }
                EXPECT_EQ(after.Find(s, k), before.Find(s, k))
                    << "round " << round << " [" << s << "] " << k << " in:\n"
                    << text;
            }
        }
    }
}

}  // namespace
