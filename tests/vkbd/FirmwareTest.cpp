// The firmware model answering frames: fields of the response, every memory,
// refusals, faults and the keyboard's own notifications.
#include <gtest/gtest.h>

#include <vector>

#include "vkbd/Firmware.h"

namespace vkbd {
namespace {

using Bytes = std::vector<uint8_t>;

Frame request(Command command, uint8_t length, uint16_t offset, const Bytes& payload = {}) {
    return frame::makeRequest(static_cast<uint8_t>(command), length, offset, payload.data(),
                              payload.size());
}

Bytes payloadOf(const Frame& response, size_t length) {
    return Bytes(response.begin() + 8, response.begin() + 8 + length);
}

Bytes pattern(size_t length, uint8_t seed) {
    Bytes bytes(length);
    for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
    return bytes;
}

// Every memory, to check that a refused request changed nothing.
struct Snapshot {
    Bytes info, parameters, keyMaps, macros, colours;
    explicit Snapshot(const Firmware& f)
        : info(f.deviceInfo()),
          parameters(f.parameterMemory()),
          keyMaps(f.keyMaps()),
          macros(f.macroMemory()),
          colours(f.keyColours()) {}
    bool operator==(const Snapshot&) const = default;
};

TEST(VkbdFirmware, AnswersDeviceInfoWithVersionProfileCapacityAndModes) {
    Firmware firmware;
    const auto r = firmware.handleRequest(request(Command::ReadDeviceInfo, 44, 0));
    ASSERT_TRUE(r);
    const Frame& f = *r;
    EXPECT_EQ(f[0], 0x04);
    EXPECT_EQ(frame::storedChecksum(f), frame::checksum(f));
    EXPECT_EQ(f[3], 3);
    EXPECT_EQ(f[4], 44);
    EXPECT_EQ(f[7], 0x00);
    EXPECT_EQ(f[8 + 8], 0x02);  // firmware 0x0102, low byte first
    EXPECT_EQ(f[8 + 9], 0x01);
    EXPECT_EQ(f[8 + 10], 0);   // current profile
    EXPECT_EQ(f[8 + 11], 64);  // capacity units
    Bytes modes(f.begin() + 8 + 12, f.begin() + 8 + 44);
    Bytes expected = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20};
    expected.resize(32, 0);
    EXPECT_EQ(modes, expected);
    for (size_t i = 8 + 44; i < 64; ++i) EXPECT_EQ(f[i], 0) << i;
}

TEST(VkbdFirmware, ConfigurationShapesTheInformationBlockAndMacroMemory) {
    Firmware firmware({0x0101, 2, {3, 0, 7}});
    const Bytes& info = firmware.deviceInfo();
    EXPECT_EQ(info[8], 0x01);
    EXPECT_EQ(info[9], 0x01);
    EXPECT_EQ(info[11], 2);
    EXPECT_EQ((Bytes{info[12], info[13], info[14], info[15]}), (Bytes{3, 0, 7, 0}));
    EXPECT_EQ(firmware.macroMemory().size(), 256u);
}

TEST(VkbdFirmware, FactoryMemoriesHoldDefaultsAndAnEmptyMacroHeader) {
    Firmware firmware;
    const Bytes& parameters = firmware.parameterMemory();
    ASSERT_GE(parameters.size(), 140u);
    const Bytes block = {0x01, 0x04, 0x02, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    for (size_t p = 0; p < 3; ++p) {
        EXPECT_EQ(Bytes(parameters.begin() + 42 * p, parameters.begin() + 42 * p + 8), block);
        for (size_t i = 8; i < 42; ++i) EXPECT_EQ(parameters[42 * p + i], 0);
    }
    const Bytes& macros = firmware.macroMemory();
    ASSERT_EQ(macros.size(), 8192u);
    EXPECT_EQ(Bytes(macros.begin(), macros.begin() + 6), (Bytes{0xAA, 0x55, 16, 0, 0, 0}));
    for (size_t p = 0; p < 3; ++p)
        EXPECT_EQ(
            Bytes(firmware.keyMaps().begin() + 378 * p, firmware.keyMaps().begin() + 378 * (p + 1)),
            firmware.factoryKeyMap());
    EXPECT_EQ(firmware.keyColours(), Bytes(1536, 0));
}

TEST(VkbdFirmware, TheLastParameterReadOfTheHostFitsTheMemory) {
    Firmware firmware;
    const auto r = firmware.handleRequest(request(Command::ReadParameters, 56, 84));
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[7], 0x00);
    EXPECT_EQ(payloadOf(*r, 4), (Bytes{0x01, 0x04, 0x02, 0x00}));
}

struct MemoryCase {
    const char* name;
    Command write;
    Command read;
    uint16_t offset;  // the last whole chunk of the memory, to test the far end
    const Bytes& (Firmware::*memory)() const;
};

TEST(VkbdFirmware, WritesLandInTheirMemoryAndReadBack) {
    const MemoryCase cases[] = {
        {"parameters", Command::WriteParameters, Command::ReadParameters, 256 - 56,
         &Firmware::parameterMemory},
        {"key maps", Command::WriteKeyMap, Command::ReadKeyMap, 1134 - 56, &Firmware::keyMaps},
        {"macros", Command::WriteMacroMemory, Command::ReadMacroMemory, 8192 - 56,
         &Firmware::macroMemory},
    };
    for (const MemoryCase& c : cases) {
        SCOPED_TRACE(c.name);
        Firmware firmware;
        const Bytes data = pattern(56, 0x31);
        const auto w = firmware.handleRequest(request(c.write, 56, c.offset, data));
        ASSERT_TRUE(w);
        EXPECT_EQ((*w)[3], static_cast<uint8_t>(c.write));
        EXPECT_EQ((*w)[7], 0x00);
        EXPECT_EQ(frame::offset(*w), c.offset);
        const Bytes& memory = (firmware.*c.memory)();
        EXPECT_EQ(Bytes(memory.begin() + c.offset, memory.begin() + c.offset + 56), data);
        const auto r = firmware.handleRequest(request(c.read, 56, c.offset));
        ASSERT_TRUE(r);
        EXPECT_EQ(payloadOf(*r, 56), data);
    }
}

TEST(VkbdFirmware, KeyColoursOfProfileTwoGoToTheirOffset) {
    Firmware firmware;
    const uint16_t offset = 2 * 512 + 3 * 61;  // slot 61 (A) of profile 2
    ASSERT_EQ((*firmware.handleRequest(
                  request(Command::WriteKeyColours, 3, offset, {0x10, 0x20, 0x30})))[7],
              0x00);
    EXPECT_EQ(firmware.keyColours()[offset + 1], 0x20);
    // A whole map is eight 54-byte chunks: 144 slots fit the 512 bytes of a profile.
    EXPECT_EQ((*firmware.handleRequest(request(Command::WriteKeyColours, 54, 2 * 512 + 7 * 54)))[7],
              0x00);
}

TEST(VkbdFirmware, ReadsTheFactoryKeyMapInSevenChunks) {
    Firmware firmware;
    Bytes map;
    for (uint16_t at = 0; at < 378; at += 56) {
        const uint8_t length = static_cast<uint8_t>(std::min<int>(56, 378 - at));
        const auto r = firmware.handleRequest(request(Command::ReadDefaultKeyMap, length, at));
        ASSERT_TRUE(r);
        ASSERT_EQ((*r)[7], 0x00);
        const Bytes part = payloadOf(*r, length);
        map.insert(map.end(), part.begin(), part.end());
    }
    EXPECT_EQ(map, firmware.factoryKeyMap());
}

TEST(VkbdFirmware, RefusesWhatItCannotDoAndChangesNothing) {
    struct Case {
        const char* name;
        Frame frame;
    };
    Frame badChecksum = request(Command::WriteKeyMap, 3, 0, {1, 2, 3});
    badChecksum[1] ^= 0x01;
    Frame badReportId = request(Command::WriteKeyMap, 3, 0, {1, 2, 3});
    badReportId[0] = 0x05;
    frame::setChecksum(badReportId);
    const Case cases[] = {
        {"info longer than 44", request(Command::ReadDeviceInfo, 45, 0)},
        {"info past its end", request(Command::WriteDeviceInfo, 44, 1, pattern(44, 0))},
        {"length above 56", request(Command::ReadKeyMap, 57, 0)},
        {"parameters past 256", request(Command::WriteParameters, 7, 250, pattern(7, 1))},
        {"key map past 1134", request(Command::WriteKeyMap, 43, 1092, pattern(43, 1))},
        {"factory map past 378", request(Command::ReadDefaultKeyMap, 1, 378)},
        {"macros past capacity", request(Command::WriteMacroMemory, 2, 8191, {1, 2})},
        {"colours past 1536", request(Command::WriteKeyColours, 3, 1534, {1, 2, 3})},
        {"profile 3", request(Command::WriteDeviceInfo, 44, 0,
                              [] {
                                  Bytes b(44, 0);
                                  b[10] = 3;
                                  return b;
                              }())},
        {"command 0", frame::makeRequest(0, 0, 0)},
        {"command 11", frame::makeRequest(11, 0, 0)},
        {"command 16", frame::makeRequest(16, 0, 0)},
        {"command 255", frame::makeRequest(255, 0, 0)},
        {"bad checksum", badChecksum},
        {"bad report id", badReportId},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Firmware firmware;
        const Snapshot before(firmware);
        const auto r = firmware.handleRequest(c.frame);
        ASSERT_TRUE(r);
        EXPECT_EQ((*r)[7], frame::kStatusRefused);
        EXPECT_EQ((*r)[3], c.frame[3]);
        EXPECT_EQ((*r)[4], c.frame[4]);
        EXPECT_EQ(frame::offset(*r), frame::offset(c.frame));
        EXPECT_EQ(frame::storedChecksum(*r), frame::checksum(*r));
        EXPECT_TRUE(Snapshot(firmware) == before);
        EXPECT_FALSE(firmware.hasUnsavedChanges());
    }
}

TEST(VkbdFirmware, WriteDeviceInfoTakesOnlyTheProfile) {
    Firmware firmware;
    Bytes block(44, 0xEE);
    block[10] = 2;
    const auto r = firmware.handleRequest(request(Command::WriteDeviceInfo, 44, 0, block));
    ASSERT_EQ((*r)[7], 0x00);
    EXPECT_EQ(firmware.currentProfile(), 2);
    Bytes expected = Firmware().deviceInfo();
    expected[10] = 2;
    EXPECT_EQ(firmware.deviceInfo(), expected);
    EXPECT_TRUE(firmware.consumeSavePoint());
    EXPECT_FALSE(firmware.consumeSavePoint());
}

TEST(VkbdFirmware, ASavePointComesWhenAChangingWriteSequenceEnds) {
    Firmware firmware;
    firmware.handleRequest(request(Command::BeginTransfer, 0, 0));
    EXPECT_TRUE(firmware.transferOpen());
    firmware.handleRequest(request(Command::ReadKeyMap, 56, 0));
    firmware.handleRequest(request(Command::EndTransfer, 0, 0));
    EXPECT_FALSE(firmware.consumeSavePoint()) << "nothing changed";

    firmware.handleRequest(request(Command::BeginTransfer, 0, 0));
    firmware.handleRequest(request(Command::WriteParameters, 1, 15, {3}));
    EXPECT_FALSE(firmware.consumeSavePoint()) << "the sequence is still open";
    firmware.handleRequest(request(Command::EndTransfer, 0, 0));
    EXPECT_FALSE(firmware.transferOpen());
    EXPECT_TRUE(firmware.consumeSavePoint());
    firmware.markSaved();
    EXPECT_FALSE(firmware.hasUnsavedChanges());
}

TEST(VkbdFirmware, DropFaultSwallowsAnswersButCarriesTheRequestOut) {
    Firmware firmware;
    firmware.dropResponses(2);
    EXPECT_FALSE(firmware.handleRequest(request(Command::WriteParameters, 1, 1, {5})));
    EXPECT_FALSE(firmware.handleRequest(request(Command::BeginTransfer, 0, 0)));
    EXPECT_TRUE(firmware.handleRequest(request(Command::BeginTransfer, 0, 0)));
    EXPECT_EQ(firmware.parameterMemory()[1], 5);
}

TEST(VkbdFirmware, StatusFaultAnswersFailureWithoutActing) {
    for (uint8_t status : {uint8_t{0xFE}, uint8_t{0xFF}}) {
        Firmware firmware;
        firmware.answerStatus(status, 2);
        for (int i = 0; i < 2; ++i) {
            const auto r = firmware.handleRequest(request(Command::WriteParameters, 1, 1, {5}));
            ASSERT_TRUE(r);
            EXPECT_EQ((*r)[7], status);
            EXPECT_EQ((*r)[3], 6);
        }
        EXPECT_EQ(firmware.parameterMemory()[1], 4);
        EXPECT_EQ((*firmware.handleRequest(request(Command::WriteParameters, 1, 1, {5})))[7], 0);
        EXPECT_EQ(firmware.parameterMemory()[1], 5);
    }
}

// A fault aimed at one command lets every other request through untouched
// and waits for its own.
TEST(VkbdFirmware, FaultsForOneCommandSkipTheOthers) {
    Firmware firmware;
    firmware.answerStatus(0xFF, 1, static_cast<int>(Command::ReadDefaultKeyMap));
    firmware.dropResponses(1, static_cast<int>(Command::ReadKeyMap));
    EXPECT_EQ((*firmware.handleRequest(request(Command::ReadDeviceInfo, 44, 0)))[7], 0);
    EXPECT_EQ((*firmware.handleRequest(request(Command::ReadDefaultKeyMap, 56, 0)))[7], 0xFF);
    EXPECT_EQ((*firmware.handleRequest(request(Command::ReadDefaultKeyMap, 56, 0)))[7], 0);
    EXPECT_FALSE(firmware.handleRequest(request(Command::ReadKeyMap, 56, 0)));
    EXPECT_TRUE(firmware.handleRequest(request(Command::ReadKeyMap, 56, 0)));
}

TEST(VkbdFirmware, EchoFaultAnswersAnotherCommandNumber) {
    Firmware firmware;
    firmware.echoWrongCommand(1);
    const auto wrong = firmware.handleRequest(request(Command::ReadDeviceInfo, 44, 0));
    ASSERT_TRUE(wrong);
    EXPECT_NE((*wrong)[3], 3);
    EXPECT_EQ(frame::storedChecksum(*wrong), frame::checksum(*wrong));
    EXPECT_EQ((*firmware.handleRequest(request(Command::ReadDeviceInfo, 44, 0)))[3], 3);
}

TEST(VkbdFirmware, ClearEndsEveryFault) {
    Firmware firmware;
    firmware.dropResponses(3);
    firmware.echoWrongCommand(3);
    firmware.answerStatus(0xFE, 3);
    firmware.delayResponses(250);
    EXPECT_EQ(firmware.responseDelayMs(), 250);
    EXPECT_NE(firmware.faultSummary(), "none");
    firmware.clearFaults();
    EXPECT_EQ(firmware.faultSummary(), "none");
    EXPECT_EQ(firmware.responseDelayMs(), 0);
    const auto r = firmware.handleRequest(request(Command::BeginTransfer, 0, 0));
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[3], 1);
    EXPECT_EQ((*r)[7], 0);
}

TEST(VkbdFirmware, NotificationReportsCarryTheirCodeLittleEndian) {
    Firmware firmware;
    EXPECT_EQ(firmware.layerSwitchReport(), (Bytes{0xFF, 0x02, 0, 0}));
    EXPECT_EQ(firmware.trayReport(true), (Bytes{0x11, 0x18, 0, 0}));
    EXPECT_EQ(firmware.trayReport(false), (Bytes{0x10, 0x18, 0, 0}));
    EXPECT_EQ(firmware.lightingChangeReport(5), (Bytes{0x01, 0x04, 0, 0}));
}

TEST(VkbdFirmware, LightingChangeSetsTheCurrentProfilesMode) {
    Firmware firmware({0x0102, 64, {3, 0, 7, 20}});
    Bytes block(44, 0);
    block[10] = 1;
    firmware.handleRequest(request(Command::WriteDeviceInfo, 44, 0, block));
    firmware.consumeSavePoint();

    firmware.lightingChangeReport(9);
    EXPECT_EQ(firmware.parameterMemory()[42], 9);
    EXPECT_EQ(firmware.parameterMemory()[0], 1) << "other profiles keep their mode";
    EXPECT_TRUE(firmware.consumeSavePoint());

    // Without a mode: the next offered one, skipping empty slots and wrapping.
    const uint8_t expected[] = {3, 7, 20, 3};
    for (uint8_t mode : expected) {
        firmware.lightingChangeReport(-1);
        EXPECT_EQ(firmware.parameterMemory()[42], mode);
    }
}

TEST(VkbdFirmware, KeepsTheTwoStatusBytes) {
    Firmware firmware;
    EXPECT_EQ(firmware.status(), (std::array<uint8_t, 2>{0x05, 0x02}));
    const uint8_t layerB[] = {0x05, 0x03};
    firmware.writeStatus(layerB, 2);
    EXPECT_EQ(firmware.status(), (std::array<uint8_t, 2>{0x05, 0x03}));
    firmware.writeStatus(layerB, 1);  // too short: ignored
    EXPECT_EQ(firmware.status(), (std::array<uint8_t, 2>{0x05, 0x03}));
    EXPECT_NE(firmware.dump().find("status: 05 03"), std::string::npos);
}

TEST(VkbdFirmware, ChecksumMatchesTheWorkedExample) {
    // Command 1: 04 01 00 01 00 00 00 00, then zeros.
    const Frame f = request(Command::BeginTransfer, 0, 0);
    EXPECT_EQ((Bytes{f[0], f[1], f[2], f[3]}), (Bytes{0x04, 0x01, 0x00, 0x01}));
    Frame all = {};
    all.fill(0xFF);
    EXPECT_EQ(frame::checksum(all), 0x3CC3);
}

}  // namespace
}  // namespace vkbd
