// The firmware's memories through the state file: a full round trip, and
// every kind of damaged file giving the factory state instead of a crash.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "vkbd/Firmware.h"

namespace vkbd {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

class VkbdState : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(dir_.path().empty()); }

    std::string path(const std::string& name) const { return dir_.file(name); }

    static Bytes readFile(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static void writeFile(const std::string& p, const Bytes& bytes) {
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    // A firmware whose every memory differs from the factory state.
    static Firmware changedFirmware() {
        Firmware f;
        auto send = [&f](Command c, uint8_t length, uint16_t offset, Bytes payload) {
            f.handleRequest(frame::makeRequest(static_cast<uint8_t>(c), length, offset,
                                               payload.data(), payload.size()));
        };
        Bytes info(44, 0);
        info[10] = 2;
        send(Command::WriteDeviceInfo, 44, 0, info);
        send(Command::WriteParameters, 3, 84 + 5, {0x12, 0x34, 0x56});
        send(Command::WriteKeyMap, 3, 378 + 30, {0x05, 0x01, 0x00});
        send(Command::WriteMacroMemory, 4, 0, {0xAA, 0x55, 0x20, 0x00});
        send(Command::WriteMacroMemory, 2, 8190, {0x77, 0x88});
        send(Command::WriteKeyColours, 3, 1024 + 183, {1, 2, 3});
        return f;
    }

    testsupport::TempFolder dir_;
};

void expectSameMemories(const Firmware& a, const Firmware& b) {
    EXPECT_EQ(a.deviceInfo(), b.deviceInfo());
    EXPECT_EQ(a.parameterMemory(), b.parameterMemory());
    EXPECT_EQ(a.keyMaps(), b.keyMaps());
    EXPECT_EQ(a.macroMemory(), b.macroMemory());
    EXPECT_EQ(a.keyColours(), b.keyColours());
}

TEST_F(VkbdState, EveryMemorySurvivesARoundTrip) {
    const Firmware original = changedFirmware();
    ASSERT_TRUE(original.saveState(path("flash")));
    Firmware restored;
    EXPECT_EQ(restored.loadStateFile(path("flash")), StateLoadResult::Loaded);
    expectSameMemories(restored, original);
    EXPECT_EQ(restored.currentProfile(), 2);
    EXPECT_FALSE(restored.hasUnsavedChanges());
    // Only the file remains: the temporary file was renamed over it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

TEST_F(VkbdState, AMissingFileMeansTheFactoryState) {
    Firmware firmware = changedFirmware();
    EXPECT_EQ(firmware.loadStateFile(path("none")), StateLoadResult::Missing);
    expectSameMemories(firmware, Firmware());
}

TEST_F(VkbdState, DamagedFilesGiveTheFactoryStateAndAReason) {
    ASSERT_TRUE(changedFirmware().saveState(path("good")));
    const Bytes good = readFile(path("good"));
    ASSERT_GT(good.size(), 100u);

    Bytes flipped = good;
    flipped[good.size() / 2] ^= 0x40;
    Bytes lengthTooBig = good;
    lengthTooBig[12 + 4 + 3] = 0x7F;  // first section's length, top byte
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"empty", {}},
        {"text", {'h', 'e', 'l', 'l', 'o'}},
        {"cut short", Bytes(good.begin(), good.end() - 1)},
        {"half", Bytes(good.begin(), good.begin() + good.size() / 2)},
        {"flipped bit", flipped},
        {"section length past the end", lengthTooBig},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path("bad"), c.bytes);
        Firmware firmware = changedFirmware();
        std::string problem;
        EXPECT_EQ(firmware.loadStateFile(path("bad"), &problem), StateLoadResult::Corrupt);
        EXPECT_FALSE(problem.empty());
        expectSameMemories(firmware, Firmware());
        EXPECT_FALSE(firmware.loadState(path("bad")));
    }
}

TEST_F(VkbdState, MacroMemoryFollowsAChangedCapacity) {
    ASSERT_TRUE(changedFirmware().saveState(path("flash")));
    Firmware smaller({0x0102, 1, {}});
    ASSERT_EQ(smaller.loadStateFile(path("flash")), StateLoadResult::Loaded);
    ASSERT_EQ(smaller.macroMemory().size(), 128u);
    EXPECT_EQ(smaller.macroMemory()[2], 0x20);
    EXPECT_EQ(smaller.deviceInfo()[11], 1) << "capacity is the keyboard's, not the file's";

    Firmware larger({0x0102, 80, {}});
    ASSERT_EQ(larger.loadStateFile(path("flash")), StateLoadResult::Loaded);
    ASSERT_EQ(larger.macroMemory().size(), 80u * 128);
    EXPECT_EQ(larger.macroMemory()[8191], 0x88);
    EXPECT_EQ(larger.macroMemory()[8192], 0x00);
}

TEST_F(VkbdState, SavingIntoAMissingFolderFailsWithoutACrash) {
    EXPECT_FALSE(Firmware().saveState(path("no/such/folder/flash")));
}

}  // namespace
}  // namespace vkbd
