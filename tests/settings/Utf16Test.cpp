// UTF-8 <-> UTF-16: well-formed text round-trips, and every ill-formed byte
// or lone surrogate turns into U+FFFD instead of vanishing or passing through.
#include <string>

#include <gtest/gtest.h>

#include "settings/Utf16.h"

namespace {

TEST(SettingsUtf16, Utf8ToUtf16) {
    struct Case {
        const char* name;
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"bmp", "A\xC3\xA9\xE2\x82\xAC", u"A\u00E9\u20AC"},
        {"astral", "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
        {"truncated", "\xE2\x82", u"\xFFFD\xFFFD"},
        {"bad_continuation", "\xC3\x41", u"\xFFFD\x0041"},
        {"lone_continuation", "\x80", u"\xFFFD"},
        {"encoded_surrogate", "\xED\xA0\x80", u"\xFFFD\xFFFD\xFFFD"},
        {"beyond_10ffff", "\xF4\x90\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
        {"invalid_lead", "\xF8", u"\xFFFD"},
        {"overlong_2", "\xC0\xAF", u"\xFFFD\xFFFD"},
        {"overlong_3", "\xE0\x80\xAF", u"\xFFFD\xFFFD\xFFFD"},
        {"overlong_4", "\xF0\x80\x80\xAF", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
        {"smallest_of_each_length", "\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80",
         u"\x0080\x0800\xD800\xDC00"},
    };
    for (const Case& c : cases) EXPECT_EQ(settings::Utf8ToUtf16(c.utf8), c.utf16) << c.name;
}

TEST(SettingsUtf16, Utf16ToUtf8) {
    EXPECT_EQ(settings::Utf16ToUtf8(u"A\u00E9\u20AC\xD83D\xDE00"),
              "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(settings::Utf16ToUtf8(u"\xD800\x0041"), "\xEF\xBF\xBD\x41");
    EXPECT_EQ(settings::Utf16ToUtf8(u"A\xDC00"), "A\xEF\xBF\xBD");
}

}  // namespace
