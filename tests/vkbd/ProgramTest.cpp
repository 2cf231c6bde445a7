// keytune-vkbd through its socket: frames, several clients, the trace, ctl
// commands and faults, state across restarts, and start and stop rules.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "VkbdClient.h"
#include "support/VkbdRunner.h"

namespace vkbd::testing {
namespace {

using Bytes = std::vector<uint8_t>;

Frame request(Command command, uint8_t length, uint16_t offset, const Bytes& payload = {}) {
    return frame::makeRequest(static_cast<uint8_t>(command), length, offset, payload.data(),
                              payload.size());
}

class VkbdProgram : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(vkbd_.folder().empty()); }

    // Starts the keyboard with its state file and the extra options.
    void start(std::vector<std::string> extra = {}, bool trace = false) {
        std::vector<std::string> options = {"--state", state_};
        options.insert(options.end(), extra.begin(), extra.end());
        EXPECT_TRUE(vkbd_.start(options, trace)) << vkbd_.stderrText();
    }

    testsupport::ProgramResult ctl(const std::string& command) {
        std::vector<std::string> words;
        std::istringstream in(command);
        for (std::string w; in >> w;) words.push_back(w);
        return vkbd_.ctl(words);
    }

    static testsupport::ProgramResult runVkbd(const std::vector<std::string>& args) {
        return testsupport::runProgram(testsupport::stageFolder() + "/keytune-vkbd", args);
    }

    testsupport::VkbdRunner vkbd_;
    std::string socket_ = vkbd_.socketPath();
    std::string state_ = vkbd_.file("flash.bin");
};

TEST_F(VkbdProgram, AnswersFramesWithItsConfiguredInformation) {
    start({"--firmware", "0x0101", "--capacity", "2", "--modes", "3,0,7"});
    Client client(socket_);
    const auto r = client.exchange(request(Command::ReadDeviceInfo, 44, 0));
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[3], 3);
    EXPECT_EQ((*r)[7], 0);
    EXPECT_EQ((Bytes{(*r)[16], (*r)[17], (*r)[19]}), (Bytes{0x01, 0x01, 2}));
    EXPECT_EQ((Bytes{(*r)[20], (*r)[21], (*r)[22], (*r)[23]}), (Bytes{3, 0, 7, 0}));
    // Capacity 2 units: 256 bytes of macro memory, nothing beyond.
    EXPECT_EQ((*client.exchange(request(Command::ReadMacroMemory, 1, 256)))[7], 0xFF);
}

TEST_F(VkbdProgram, AnswersItsSenderAndSendsNotificationsToEveryone) {
    start();
    Client host(socket_), cli(socket_);
    ASSERT_TRUE(host.connected() && cli.connected());

    const auto r = host.exchange(request(Command::ReadKeyMap, 56, 378));
    ASSERT_TRUE(r);
    EXPECT_EQ(frame::offset(*r), 378);
    EXPECT_FALSE(cli.receive(200)) << "a response goes to its sender only";

    ASSERT_EQ(ctl("layer").exitCode, 0);
    for (Client* c : {&host, &cli}) {
        const auto m = c->receive();
        ASSERT_TRUE(m);
        EXPECT_EQ(m->type, wire::MessageType::ConsumerReport);
        EXPECT_EQ(m->payload, (Bytes{0xFF, 0x02, 0x00, 0x00}));
    }
}

TEST_F(VkbdProgram, StatusWriteAndLightingShowInTheDump) {
    start();
    Client host(socket_);
    ASSERT_TRUE(host.send(wire::MessageType::StatusWrite, {0x05, 0x03}));
    const testsupport::ProgramResult lighting = ctl("lighting 7");
    EXPECT_EQ(lighting.exitCode, 0);
    const auto report = host.receive();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->payload, (Bytes{0x01, 0x04, 0x00, 0x00}));

    const testsupport::ProgramResult dump = ctl("dump");
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_EQ(dump.out.rfind("ok\n", 0), 0u);
    EXPECT_NE(dump.out.find("firmware 0x0102"), std::string::npos);
    EXPECT_NE(dump.out.find("status: 05 03"), std::string::npos);
    EXPECT_NE(dump.out.find("parameter block 0: mode 7"), std::string::npos);

    const auto mode = host.exchange(request(Command::ReadParameters, 1, 0));
    ASSERT_TRUE(mode);
    EXPECT_EQ((*mode)[8], 7);
}

TEST_F(VkbdProgram, CtlReportsErrorsWithExitStatusOne) {
    start();
    for (const char* bad : {"bogus", "fault status fd 1", "fault drop x", "lighting 0",
                            "disconnect-after 0", "tray maybe"}) {
        const testsupport::ProgramResult r = ctl(bad);
        EXPECT_EQ(r.exitCode, 1) << bad;
        EXPECT_EQ(r.err.rfind("error: ", 0), 0u) << bad << ": " << r.err;
    }
    for (const char* good : {"tray on", "tray off", "fault delay 0", "fault clear"})
        EXPECT_EQ(ctl(good).exitCode, 0) << good;
}

TEST_F(VkbdProgram, CtlWithoutAKeyboardFails) {
    const testsupport::ProgramResult r = ctl("dump");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("error:"), std::string::npos);
}

TEST_F(VkbdProgram, FaultsBendTheNextAnswers) {
    start();
    Client host(socket_);
    const Frame begin = request(Command::BeginTransfer, 0, 0);

    ASSERT_EQ(ctl("fault status fe 1").exitCode, 0);
    EXPECT_EQ((*host.exchange(begin))[7], 0xFE);
    EXPECT_EQ((*host.exchange(begin))[7], 0x00);

    ASSERT_EQ(ctl("fault echo 1").exitCode, 0);
    EXPECT_NE((*host.exchange(begin))[3], 0x01);

    ASSERT_EQ(ctl("fault drop 1").exitCode, 0);
    EXPECT_FALSE(host.exchange(begin, 300));
    EXPECT_TRUE(host.exchange(begin));

    ASSERT_EQ(ctl("fault delay 400").exitCode, 0);
    const auto sent = std::chrono::steady_clock::now();
    EXPECT_FALSE(host.exchange(begin, 100)) << "the answer is held back";
    EXPECT_TRUE(host.receive(2000));
    EXPECT_GE(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(350));
    ASSERT_EQ(ctl("fault clear").exitCode, 0);
    EXPECT_TRUE(host.exchange(begin, 1000));
}

TEST_F(VkbdProgram, DisconnectAfterClosesEveryConnectionAndAcceptsNewOnes) {
    start();
    Client host(socket_), other(socket_);
    ASSERT_EQ(ctl("disconnect-after 2").exitCode, 0);
    EXPECT_TRUE(host.exchange(request(Command::BeginTransfer, 0, 0)));
    EXPECT_FALSE(host.exchange(request(Command::WriteKeyMap, 3, 0, {0, 0, 0})));
    EXPECT_TRUE(host.closedByPeer());
    EXPECT_FALSE(other.receive(1000));
    EXPECT_TRUE(other.closedByPeer());

    Client again(socket_);
    const auto r = again.exchange(request(Command::ReadKeyMap, 3, 0));
    ASSERT_TRUE(r);
    EXPECT_EQ((Bytes{(*r)[8], (*r)[9], (*r)[10]}), (Bytes{0x06, 0xA2, 0x01}))
        << "the request cut off by the disconnect was not carried out";
}

TEST_F(VkbdProgram, TraceHasOneHexLinePerFrame) {
    start({}, true);
    Client host(socket_);
    const Frame read = request(Command::ReadDeviceInfo, 44, 0);
    const auto answer = host.exchange(read);
    ASSERT_TRUE(answer);
    ASSERT_EQ(ctl("fault drop 1").exitCode, 0);
    EXPECT_FALSE(host.exchange(request(Command::BeginTransfer, 0, 0), 300));

    std::vector<std::string> lines;
    std::istringstream in(testsupport::TempFolder::read(vkbd_.tracePath()));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u) << "the dropped answer has no '<' line";
    const std::regex shape("[<>]( [0-9a-f]{2}){64}");
    for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, shape)) << line;
    EXPECT_EQ(lines[0].substr(0, 14), "> 04 2f 00 03 ");
    EXPECT_EQ(lines[1][0], '<');
    EXPECT_EQ(lines[1].substr(2, 2), "04");
    EXPECT_EQ(lines[1].substr(11, 2), "03");
    EXPECT_EQ(lines[2].substr(0, 14), "> 04 01 00 01 ");
}

// The trace starts empty, and a reader that empties it while the keyboard
// runs finds the next line at the start, not after a run of NUL bytes.
TEST_F(VkbdProgram, TraceCanBeEmptiedWhileTheKeyboardRuns) {
    std::ofstream(vkbd_.tracePath()) << "an earlier run\n";
    start({}, true);
    Client host(socket_);
    ASSERT_TRUE(host.exchange(request(Command::ReadDeviceInfo, 44, 0)));
    EXPECT_EQ(testsupport::TempFolder::read(vkbd_.tracePath()).substr(0, 2), "> ");
    std::filesystem::resize_file(vkbd_.tracePath(), 0);
    ASSERT_TRUE(host.exchange(request(Command::BeginTransfer, 0, 0)));
    const std::string trace = testsupport::TempFolder::read(vkbd_.tracePath());
    EXPECT_EQ(trace.find('\0'), std::string::npos);
    EXPECT_EQ(trace.substr(0, 14), "> 04 01 00 01 ");
}

TEST_F(VkbdProgram, MemoriesPersistAcrossARestart) {
    const Bytes entry = {0x05, 0x01, 0x02};
    {
        start();
        Client host(socket_);
        EXPECT_TRUE(host.exchange(request(Command::BeginTransfer, 0, 0)));
        EXPECT_TRUE(host.exchange(request(Command::WriteKeyMap, 3, 378 + 60, entry)));
        EXPECT_TRUE(host.exchange(request(Command::EndTransfer, 0, 0)));
        Bytes info(44, 0);
        info[10] = 1;
        EXPECT_TRUE(host.exchange(request(Command::WriteDeviceInfo, 44, 0, info)));
        struct stat st {};
        EXPECT_EQ(::stat(state_.c_str(), &st), 0) << "saved when the write sequence ended";
        EXPECT_EQ(vkbd_.stop(), 0);
    }
    start();
    Client host(socket_);
    const auto map = host.exchange(request(Command::ReadKeyMap, 3, 378 + 60));
    ASSERT_TRUE(map);
    EXPECT_EQ((Bytes{(*map)[8], (*map)[9], (*map)[10]}), entry);
    EXPECT_EQ((*host.exchange(request(Command::ReadDeviceInfo, 44, 0)))[8 + 10], 1);
}

TEST_F(VkbdProgram, ACorruptStateFileWarnsAndStartsFromTheFactoryState) {
    { std::ofstream(state_) << "not a state file"; }
    start();
    Client host(socket_);
    const auto r = host.exchange(request(Command::ReadKeyMap, 3, 0));
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[8], 0x06);
    EXPECT_NE(vkbd_.stderrText().find("warning"), std::string::npos);
}

TEST_F(VkbdProgram, SigtermRemovesTheSocket) {
    start();
    EXPECT_EQ(vkbd_.stop(), 0);
    EXPECT_NE(::access(socket_.c_str(), F_OK), 0);
}

TEST_F(VkbdProgram, RefusesASecondKeyboardOnALiveSocketButReplacesAStaleOne) {
    start();
    const testsupport::ProgramResult second = runVkbd({"--socket", socket_});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_NE(second.err.find("already running"), std::string::npos);
    EXPECT_EQ(vkbd_.stop(), 0);

    // A socket file nobody listens on, as a crash leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, socket_.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    start();
    Client host(socket_);
    EXPECT_TRUE(host.exchange(request(Command::BeginTransfer, 0, 0)));
}

TEST_F(VkbdProgram, AClientThatVanishesMidWriteDoesNotStopTheKeyboard) {
    start();
    {
        Client rude(socket_);
        for (int i = 0; i < 2000; ++i) rude.sendFrame(request(Command::ReadKeyMap, 56, 0));
    }  // closed without reading a single answer
    Client host(socket_);
    EXPECT_TRUE(host.exchange(request(Command::ReadDeviceInfo, 44, 0)));
}

TEST_F(VkbdProgram, HelpPrintsUsage) {
    const testsupport::ProgramResult r = runVkbd({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("keytune-vkbd ctl"), std::string::npos);
    EXPECT_NE(runVkbd({"--capacity", "300"}).exitCode, 0);
}

}  // namespace
}  // namespace vkbd::testing
