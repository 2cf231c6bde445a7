// Reading and writing ini files with the private-profile rules.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "settings/IniFile.h"
#include "support/TempFolder.h"

using testsupport::TempFolder;

namespace {

using settings::ReadIniString;
using settings::WriteIniString;

struct ReadCase {
    const char* name;
    std::string file;  // file contents
    const char* section;
    const char* key;
    std::string expected;
};

class SettingsIniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SettingsIniReadTest, ReadsAsThePrivateProfileReaderWould) {
    TempFolder folder;
    const ReadCase& c = GetParam();
    std::string path = folder.write("t.ini", c.file);
    EXPECT_EQ(ReadIniString(path, c.section, c.key, "DEF"), c.expected);
}

const std::string kLongValue(10000, 'v');

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsIniReadTest,
    ::testing::Values(
        ReadCase{"plain", "[S]\nK=value\n", "S", "K", "value"},
        ReadCase{"case_insensitive", "[Sect]\nMyKey=v\n", "sECT", "MYKEY", "v"},
        ReadCase{"blanks_trimmed", "  [ S ]  \n  K  =  a b  \n", "S", "K", "a b"},
        ReadCase{"kept_characters", "[S]\nK=255,0,0,1 C:\\x\\y ; not a comment\n", "S", "K",
                 "255,0,0,1 C:\\x\\y ; not a comment"},
        ReadCase{"quotes_stripped", "[S]\nK=\" spaced \"\n", "S", "K", " spaced "},
        ReadCase{"single_quotes_stripped", "[S]\nK='x'\n", "S", "K", "x"},
        ReadCase{"unmatched_quote_kept", "[S]\nK=\"x\n", "S", "K", "\"x"},
        ReadCase{"equals_in_value", "[S]\nK==\n", "S", "K", "="},
        ReadCase{"empty_value", "[S]\nK=\n", "S", "K", ""},
        ReadCase{"missing_key", "[S]\nOther=1\n", "S", "K", "DEF"},
        ReadCase{"missing_section", "[T]\nK=1\n", "S", "K", "DEF"},
        ReadCase{"key_without_equals", "[S]\nK\n", "S", "K", "DEF"},
        ReadCase{"before_any_section", "K=1\n[S]\n", "S", "K", "DEF"},
        ReadCase{"first_key_wins", "[S]\nK=1\nK=2\n", "S", "K", "1"},
        ReadCase{"first_section_wins", "[S]\nA=1\n[T]\n[S]\nK=2\n", "S", "K", "DEF"},
        ReadCase{"comment_line", "[S]\n;K=1\nK=2\n", "S", "K", "2"},
        ReadCase{"garbage_lines", "\x01\x02garbage\n[broken\n[S]\n)(*&\nK=ok\n=\n", "S", "K", "ok"},
        ReadCase{"crlf", "[S]\r\nK=v\r\nL=w\r\n", "S", "K", "v"},
        ReadCase{"bare_cr", "[S]\rK=v\rL=w", "S", "L", "w"},
        ReadCase{"utf8_bom", "\xEF\xBB\xBF[S]\nK=v\n", "S", "K", "v"},
        ReadCase{"utf16le_bom", std::string("\xFF\xFE[\0S\0]\0\n\0K\0=\0\xE9\0\n\0", 18), "S", "K",
                 "\xC3\xA9"},
        ReadCase{"no_final_newline", "[S]\nK=v", "S", "K", "v"},
        ReadCase{"long_value_cut", "[S]\nK=" + kLongValue + "\n", "S", "K", std::string(259, 'v')},
        ReadCase{"cut_keeps_utf8_whole", "[S]\nK=" + std::string(258, 'v') + "\xC3\xA9" + "x\n",
                 "S", "K", std::string(258, 'v') + "\xC3\xA9"},
        ReadCase{"nul_bytes", std::string("[S]\nK=a\0b\n", 10), "S", "K", std::string("a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

// Runs check as an unprivileged user: as root, in a child that gives up its
// rights, since root may read any file.
bool AsUnprivilegedUser(bool (*check)(const std::string&), const std::string& path) {
    if (::geteuid() != 0)
        return check(path);
    pid_t child = ::fork();
    if (child == 0) {
        bool ok = ::setgid(65534) == 0 && ::setuid(65534) == 0 && check(path);
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SettingsIniFile, MissingOrUnreadableFileGivesTheDefault) {
    TempFolder folder;
    EXPECT_EQ(ReadIniString(folder.file("none.ini"), "S", "K", "DEF"), "DEF");

    std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
    std::string path = folder.write("locked.ini", "[S]\nK=v\n");
    EXPECT_EQ(ReadIniString(path, "S", "K", "DEF"), "v");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    EXPECT_TRUE(AsUnprivilegedUser(
        [](const std::string& p) {
            // A file we cannot read is never replaced by one holding only the
            // new entry.
            return ReadIniString(p, "S", "K", "DEF") == "DEF" &&
                   !WriteIniString(p, "S", "New", "1");
        },
        path));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_EQ(TempFolder::read(path), "[S]\nK=v\n");
}

TEST(SettingsIniFile, SomethingOtherThanAFileIsNeverReadNorReplaced) {
    TempFolder folder;
    std::string fifo = folder.file("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadIniString(fifo, "S", "K", "DEF"), "DEF");  // does not block
    EXPECT_FALSE(WriteIniString(fifo, "S", "K", "1"));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(ReadIniString(folder.path(), "S", "K", "DEF"), "DEF");  // a folder
    EXPECT_FALSE(WriteIniString(folder.path(), "S", "K", "1"));
}

TEST(SettingsIniFile, DefaultIsCutLikeAValue) {
    TempFolder folder;
    EXPECT_EQ(ReadIniString(folder.file("none.ini"), "S", "K", kLongValue).size(), 259u);
}

TEST(SettingsIniFile, WritingCreatesFolderFileAndSectionAndKeepsOtherEntries) {
    TempFolder folder;
    std::string path = folder.file("sub/dir/new.ini");
    ASSERT_TRUE(WriteIniString(path, "KEYCOLOR", "DengCheck", "1"));
    EXPECT_EQ(TempFolder::read(path), "[KEYCOLOR]\nDengCheck=1\n");

    std::string existing =
        folder.write("e.ini", "; settings\r\n[A]\r\nX=1\r\n\r\n[B]\r\nY=2\r\nZ=3\r\n");
    ASSERT_TRUE(WriteIniString(existing, "a", "x", "10"));       // replace, keep the spelling
    ASSERT_TRUE(WriteIniString(existing, "A", "New", "n"));      // add after the last entry
    ASSERT_TRUE(WriteIniString(existing, "C", "W", "255,0,0"));  // new section at the end
    EXPECT_EQ(TempFolder::read(existing),
              "; settings\r\n[A]\r\nX=10\r\nNew=n\r\n\r\n[B]\r\nY=2\r\nZ=3\r\n\r\n[C]\r\nW=255,0,0"
              "\r\n");
}

TEST(SettingsIniFile, WritingKeepsByteOrderMarkAndUtf16) {
    TempFolder folder;
    std::string utf8 = folder.write("bom.ini", "\xEF\xBB\xBF[S]\nK=1\n");
    ASSERT_TRUE(WriteIniString(utf8, "S", "K", "2"));
    EXPECT_EQ(TempFolder::read(utf8), "\xEF\xBB\xBF[S]\nK=2\n");

    std::string utf16 = folder.write("w.ini", std::string("\xFF\xFE[\0S\0]\0\n\0", 10));
    ASSERT_TRUE(WriteIniString(utf16, "S", "K", "\xC3\xA9"));
    EXPECT_EQ(TempFolder::read(utf16), std::string("\xFF\xFE[\0S\0]\0\n\0K\0=\0\xE9\0\n\0", 18));
    EXPECT_EQ(ReadIniString(utf16, "S", "K", ""), "\xC3\xA9");
}

TEST(SettingsIniFile, EveryWrittenValueReadsBackUnchanged) {
    TempFolder folder;
    std::string path = folder.file("r.ini");
    for (std::string value : {" lead", "trail ", "\"quoted\"", "'q'", "a;b", "=x", "", "C:\\p\\"}) {
        ASSERT_TRUE(WriteIniString(path, "S", "K", value)) << value;
        EXPECT_EQ(ReadIniString(path, "S", "K", "DEF"), value);
    }
}

TEST(SettingsIniFile, RefusesNamesAndValuesThatWouldBreakTheFile) {
    TempFolder folder;
    std::string path = folder.write("x.ini", "[S]\nK=1\n");
    EXPECT_FALSE(WriteIniString(path, "S", "K", "two\nlines"));
    EXPECT_FALSE(WriteIniString(path, "S", "A=B", "1"));
    EXPECT_FALSE(WriteIniString(path, "S", "", "1"));
    EXPECT_FALSE(WriteIniString(path, "S", ";K", "1"));
    EXPECT_FALSE(WriteIniString(path, "S]", "K", "1"));
    EXPECT_FALSE(WriteIniString(path, "S\r", "K", "1"));
    EXPECT_EQ(TempFolder::read(path), "[S]\nK=1\n");
}

TEST(SettingsIniFile, ReadsSeeEditsMadeBehindTheirBack) {
    TempFolder folder;
    std::string path = folder.write("edit.ini", "[S]\nK=1\n");
    EXPECT_EQ(ReadIniString(path, "S", "K", ""), "1");
    folder.write("edit.ini", "[S]\nK=2\n");  // same size, same second
    EXPECT_EQ(ReadIniString(path, "S", "K", ""), "2");
    std::filesystem::remove(path);
    EXPECT_EQ(ReadIniString(path, "S", "K", "gone"), "gone");
}

TEST(SettingsIniFile, DeleteRemovesOnlyThatKey) {
    TempFolder folder;
    std::string path = folder.write("d.ini", "[S]\nA=1\nB=2\n");
    EXPECT_TRUE(settings::DeleteIniKey(path, "s", "a"));
    EXPECT_EQ(TempFolder::read(path), "[S]\nB=2\n");
    EXPECT_EQ(settings::ReadIniKeys(path, "S"), std::vector<std::string>{"B"});
}

// A writer killed at any moment leaves the old file or the new one, never a
// mixture or a truncated file.
TEST(SettingsIniFile, KilledWriterLeavesOldOrNewFile) {
    TempFolder folder;
    std::string path = folder.file("crash.ini");
    const std::string a(200000, 'a');
    const std::string b(100000, 'b');
    ASSERT_TRUE(WriteIniString(path, "S", "K", a));
    for (int round = 0; round < 20; ++round) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) WriteIniString(path, "S", "K", i % 2 ? a : b);
        }
        ::usleep(static_cast<useconds_t>(2000 + round * 700));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        std::string text = TempFolder::read(path);
        EXPECT_TRUE(text == "[S]\nK=" + a + "\n" || text == "[S]\nK=" + b + "\n")
            << "round " << round << ": " << text.size() << " bytes";
    }
}

TEST(SettingsCIniFile, EmptyValueGivesNothingAtAll) {
    TempFolder folder;
    std::string path = folder.write("skin.ini", "[SCREEN]\nMain=bg.jpg\nMask=\n");
    settings::CIniFile ini(path);
    EXPECT_EQ(ini.GetString("SCREEN", "Main", "x"), "bg.jpg");
    EXPECT_EQ(ini.GetString("SCREEN", "Mask", "x"), std::nullopt);
    EXPECT_EQ(ini.GetString("SCREEN", "Link", "http://d"), "http://d");
    EXPECT_EQ(ini.GetString("SCREEN", "Link", ""), std::nullopt);

    std::string longPath = folder.write("long.ini", "[S]\nK=" + kLongValue + "\n");
    EXPECT_EQ(settings::CIniFile(longPath).GetString("S", "K", "")->size(), 2047u);
    ASSERT_TRUE(ini.WriteString("SCREEN", "Mask", "m.bmp"));
    EXPECT_EQ(ini.GetString("SCREEN", "Mask", ""), "m.bmp");
}

}  // namespace
