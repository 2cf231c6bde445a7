// keytune-cli's profile-file commands against a running keytune-vkbd.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "ConfigTestSupport.h"
#include "ProfileFile.h"
#include "ProfileTestSupport.h"
#include "support/VkbdRunner.h"

using namespace testing_config;

namespace {

const std::string kCli = std::string(KEYTUNE_STAGE_DIR) + "/keytune-cli";

class ProfileCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The cache file belongs in a private user folder, never the real one.
        ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        ASSERT_TRUE(vkbd.start({}, false));
    }
    testsupport::ProgramResult cli(std::vector<std::string> args, int timeoutMs = 30000) {
        return testsupport::runProgram(kCli, args, timeoutMs);
    }

    // Space disabled in profile 0, F1 plays macro 2 in profile 1, and two macros.
    std::filesystem::path richFile() {
        keys::AssignmentStore store;
        profiles::CreateDefaultProfile(store);
        *keys::RecordAt(store, 0, 0x039) = {keys::kAssignDisabled, 0, 0};
        *keys::RecordAt(store, 1, 0x03B) = {keys::kAssignMacro, 2, 2};
        *keys::RecordAt(store, 2, 0x01E) = {keys::kAssignTextBlock, 0, 0};
        store.setText(2 * 512 + 0x01E, u"hello");
        store.macros = {makeMacro(1, u"Ab", {{50, 0x01E, 0}, {0, 0x01E, 1}}),
                        makeMacro(2, u"Copy", {{0, 0x01D, 0}, {0, 0x02E, 0}})};
        const auto path = folder / "rich.kpf";
        EXPECT_TRUE(profiles::SaveStoreToFile(path, store, true));
        return path;
    }

    TempFolder folder;
    testsupport::VkbdRunner vkbd;
};

}  // namespace

TEST_F(ProfileCliTest, ImportExportShowValidateNew) {
    const auto rich = richFile();
    EXPECT_EQ(cli({"validate", rich.string()}).exitCode, 0);
    const testsupport::ProgramResult imported = cli({"import", rich.string()});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;

    const auto exported = folder / "back.kpf";
    ASSERT_EQ(cli({"export", exported.string()}).exitCode, 0);
    const testsupport::ProgramResult shown = cli({"show", exported.string()});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_NE(shown.out.find("profile 0:\n  "), std::string::npos) << shown.out;
    EXPECT_EQ(shown.out.find("profile 0:\n  every key keeps its factory function"),
              std::string::npos)
        << shown.out;
    EXPECT_NE(shown.out.find(": disabled"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("plays macro 2 \"Copy\""), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("macro 1 \"Ab\", repeat 1, 2 actions"), std::string::npos)
        << shown.out;
    EXPECT_NE(shown.out.find("then 50 ms"), std::string::npos) << shown.out;

    auto broken = fileBytes(rich);
    broken[31]++;
    writeBytes(folder / "broken.kpf", broken);
    const testsupport::ProgramResult refused = cli({"validate", (folder / "broken.kpf").string()});
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_NE(refused.err.find("header"), std::string::npos) << refused.err;
    EXPECT_NE(cli({"import", (folder / "broken.kpf").string()}).exitCode, 0);

    ASSERT_EQ(cli({"new", (folder / "new.kpf").string()}).exitCode, 0);
    EXPECT_EQ(fileBytes(folder / "new.kpf").size(), 32832u);
}

TEST_F(ProfileCliTest, KeyboardPulledOutDuringImportFails) {
    const auto rich = richFile();
    const auto cacheFolder = folder / "data" / "Velkor TX20 Keyboard";
    std::filesystem::create_directories(cacheFolder);
    ASSERT_TRUE(profiles::CreateDefaultProfile(cacheFolder / "$Profile0"));

    // Slow answers stretch the import to about a second and a half; the
    // keyboard is pulled out partway through.
    ASSERT_EQ(vkbd.ctl({"fault", "delay", "40"}).exitCode, 0);
    std::thread pullOut([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        vkbd.stop();
    });
    const testsupport::ProgramResult run = cli({"import", rich.string()});
    pullOut.join();
    EXPECT_NE(run.exitCode, 0) << run.out;
    // The cache is whole: the old file or the imported one, never a torn one.
    testing_config::ScriptedPrompts prompts;
    EXPECT_EQ(profiles::ValidateProfileFile(cacheFolder / "$Profile0", prompts),
              profiles::kProfileValid);
    keys::AssignmentStore cached;
    EXPECT_TRUE(profiles::LoadStoreFromFile(cacheFolder / "$Profile0", cached));
}

// The factory key map is refused at arrival: the read is tried once more
// before anything is built on it. When the second read works the import
// lands exactly as on a healthy keyboard; when it fails too, neither import
// nor export changes anything.
TEST_F(ProfileCliTest, KeyMapsAreBuiltOnlyOnTheKeyboardsFactoryMap) {
    const auto rich = richFile();
    ASSERT_EQ(cli({"import", rich.string()}).exitCode, 0);
    const std::string healthy = vkbd.ctl({"dump"}).out;
    ASSERT_EQ(cli({"new", (folder / "blank.kpf").string()}).exitCode, 0);
    ASSERT_EQ(cli({"import", (folder / "blank.kpf").string()}).exitCode, 0);

    ASSERT_EQ(vkbd.ctl({"fault", "status", "ff", "3", "command", "15"}).exitCode, 0);
    const testsupport::ProgramResult retried = cli({"import", rich.string()});
    EXPECT_EQ(retried.exitCode, 0) << retried.err;
    EXPECT_EQ(vkbd.ctl({"dump"}).out, healthy);

    const auto target = folder / "earlier.kpf";
    writeBytes(target, {1, 2, 3});
    const std::string before = vkbd.ctl({"dump"}).out;
    for (const char* command : {"import", "export"}) {
        ASSERT_EQ(vkbd.ctl({"fault", "status", "ff", "6", "command", "15"}).exitCode, 0);
        const std::string file = command == std::string("import") ? rich.string() : target.string();
        const testsupport::ProgramResult refused = cli({command, file});
        EXPECT_NE(refused.exitCode, 0) << command;
        EXPECT_NE(refused.err.find("factory key layout could not be read, so nothing was written"),
                  std::string::npos)
            << command << ": " << refused.err;
        EXPECT_EQ(vkbd.ctl({"dump"}).out, before) << command;
    }
    EXPECT_EQ(fileBytes(target), (std::vector<uint8_t>{1, 2, 3}));
}

// Answers to macro-memory reads come later than the transport waits, so
// every chunk is asked for twice and the late answers land during later
// chunks. The export holds what the keyboard holds, or fails and leaves the
// earlier file alone.
TEST_F(ProfileCliTest, SlowAnswersNeverCorruptAnExport) {
    keys::AssignmentStore store;
    profiles::CreateDefaultProfile(store);
    for (uint16_t id = 1; id <= 5; ++id)
        store.macros.push_back(makeMacroOfSize(id, u"macro " + std::u16string(1, u'0' + id), 8));
    const auto source = folder / "five.kpf";
    ASSERT_TRUE(profiles::SaveStoreToFile(source, store, true));
    ASSERT_EQ(cli({"import", source.string()}).exitCode, 0);
    const auto healthy = folder / "healthy.kpf";
    ASSERT_EQ(cli({"export", healthy.string()}).exitCode, 0);
    const std::string before = vkbd.ctl({"dump"}).out;

    const auto target = folder / "slow.kpf";
    writeBytes(target, {7, 7});
    ASSERT_EQ(vkbd.ctl({"fault", "delay", "1100", "command", "9"}).exitCode, 0);
    const testsupport::ProgramResult slow = cli({"export", target.string()}, 120000);
    ASSERT_FALSE(slow.timedOut);
    if (slow.exitCode == 0)
        EXPECT_EQ(fileBytes(target), fileBytes(healthy));
    else
        EXPECT_EQ(fileBytes(target), (std::vector<uint8_t>{7, 7})) << slow.err;
    ASSERT_EQ(vkbd.ctl({"fault", "clear"}).exitCode, 0);
    EXPECT_EQ(vkbd.ctl({"dump"}).out, before);
}

// The information block cannot be read, so the macro capacity is unknown:
// the import says that the keyboard could not be read, not that the macros
// are too long, and writes nothing.
TEST_F(ProfileCliTest, UnknownCapacityIsNotBlamedOnTheMacros) {
    const auto rich = richFile();
    const std::string before = vkbd.ctl({"dump"}).out;
    ASSERT_EQ(vkbd.ctl({"fault", "status", "ff", "6", "command", "3"}).exitCode, 0);
    const testsupport::ProgramResult run = cli({"import", rich.string()});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("The keyboard could not be read"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("do not fit"), std::string::npos) << run.err;
    EXPECT_TRUE(vkbd.ctl({"dump"}).out == before) << "memories changed";
}

// Texts from a file reach the terminal as text: control characters and
// direction overrides come out escaped, so a crafted name cannot retitle
// the window or clear the screen.
TEST_F(ProfileCliTest, ShowEscapesWhatWouldControlTheTerminal) {
    keys::AssignmentStore store;
    profiles::CreateDefaultProfile(store);
    *keys::RecordAt(store, 0, 0x01E) = {keys::kAssignTextBlock, 0, 0};
    store.setText(0x01E, u"\x1b[2J\u202Eok\\");
    store.macros = {makeMacro(1, u"\x1b]0;owned\x07 \u00e9\x9b", {})};
    const auto path = folder / "crafted.kpf";
    ASSERT_TRUE(profiles::SaveStoreToFile(path, store, true));
    const testsupport::ProgramResult shown = cli({"show", path.string()});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    for (char c : shown.out)
        EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\n') << int(c);
    EXPECT_NE(shown.out.find("types \"\\x1b[2J\\u202eok\\\\\""), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("\"\\x1b]0;owned\\x07 \xc3\xa9\\x9b\""), std::string::npos)
        << shown.out;
}
