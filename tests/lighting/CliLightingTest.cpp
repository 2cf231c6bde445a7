// keytune-cli's lighting commands through libHidServ.so and a running
// keytune-vkbd: argument checks, the --profile option and what reaches the
// keyboard, read back from the virtual keyboard's frame trace.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/VkbdRunner.h"

namespace {

struct Request {
    int command;
    int offset;
    std::vector<int> payload;
    bool operator==(const Request&) const = default;
};

// Requests ("> " lines) of the trace, from line `from` on.
std::vector<Request> TracedRequests(const std::string& path, size_t& linesSeen) {
    std::ifstream in(path);
    std::vector<Request> out;
    std::string line;
    size_t n = 0;
    while (std::getline(in, line)) {
        if (n++ < linesSeen || line.rfind("> ", 0) != 0)
            continue;
        std::istringstream hex(line.substr(2));
        std::vector<int> b;
        for (std::string word; hex >> word;) b.push_back(std::stoi(word, nullptr, 16));
        if (b.size() != 64)
            continue;
        int length = b[4];
        bool carries = b[3] == 6 || b[3] == 17;
        out.push_back({b[3], b[5] | b[6] << 8,
                       carries ? std::vector<int>(b.begin() + 8, b.begin() + 8 + length)
                               : std::vector<int>{}});
    }
    linesSeen = n;
    return out;
}

class LightingCli : public ::testing::Test {
  protected:
    LightingCli() {
        // Per-user files go to the test's own folder, never the user's.
        setenv("XDG_DATA_HOME", (vkbd.folder() + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (vkbd.folder() + "/config").c_str(), 1);
    }
    testsupport::ProgramResult cli(const std::vector<std::string>& args) {
        return testsupport::runProgram(testsupport::stageFolder() + "/keytune-cli", args);
    }
    std::vector<Request> writes() {
        std::vector<Request> out;
        for (const Request& r : TracedRequests(vkbd.tracePath(), seen))
            if (r.command == 6 || r.command == 17)
                out.push_back(r);
        return out;
    }

    testsupport::VkbdRunner vkbd;
    size_t seen = 0;
};

TEST_F(LightingCli, CommandsWriteWhatThePanelWrites) {
    ASSERT_TRUE(vkbd.start());
    struct Case {
        std::vector<std::string> args;
        std::vector<Request> writes;
    };
    const Case cases[] = {
        {{"--profile", "2", "lighting", "brightness", "3"}, {{6, 85, {3}}}},
        {{"lighting", "mode", "3"}, {{6, 0, {3}}, {6, 4, {1}}}},
        {{"lighting", "speed", "0"}, {{6, 2, {5}}}},
        {{"lighting", "preset", "3"}, {{6, 4, {0}}, {6, 5, {0, 126, 255}}}},
        {{"lighting", "direction", "left"}, {{6, 3, {255}}}},
        {{"lighting", "choice", "2"}, {{6, 17, {2}}}},
        {{"--profile", "1", "report-rate", "2"}, {{6, 57, {2}}}},
        {{"--profile", "2", "keycolour", "61", "1,2,3"}, {{17, 1207, {1, 2, 3}}}},
    };
    for (const Case& c : cases) {
        auto run = cli(c.args);
        EXPECT_EQ(run.exitCode, 0) << c.args.back() << ": " << run.err;
        EXPECT_EQ(writes(), c.writes) << c.args.back();
    }
    auto shown = cli({"lighting"});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_NE(shown.out.find("mode: 3"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("speed: 5 (slider 0)\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("direction: left"), std::string::npos) << shown.out;
    EXPECT_NE(cli({"--profile", "2", "lighting"}).out.find("brightness: 3\n"), std::string::npos);

    auto defaults = cli({"lighting", "defaults"});
    EXPECT_EQ(defaults.exitCode, 0) << defaults.err;
    auto sent = writes();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].offset, 0);
    EXPECT_EQ(sent[0].payload.size(), 35u);
}

TEST_F(LightingCli, BadArgumentsSendNothing) {
    ASSERT_TRUE(vkbd.start());
    const std::vector<std::vector<std::string>> bad = {
        {"report-rate", "4"},
        {"report-rate"},
        {"keycolour", "126", "1,2,3"},
        {"keycolour", "5", "1,2"},
        {"keycolour", "5", "1,2,256"},
        {"lighting", "brightness", "6"},
        {"lighting", "colour", "1,2,3,4"},
        {"lighting", "direction", "up"},
        {"lighting", "preset", "0"},
        {"lighting", "multicolour", "yes"},
        {"lighting", "mode"},
    };
    for (const auto& args : bad) {
        auto run = cli(args);
        EXPECT_NE(run.exitCode, 0) << args[0] << " " << (args.size() > 1 ? args[1] : "");
    }
    EXPECT_TRUE(writes().empty());
}

TEST_F(LightingCli, BaseColourIsSavedInTheUserModeAndWrittenToTheBlock) {
    ASSERT_TRUE(vkbd.start());
    auto run = cli({"lighting", "base", "0,0,255"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    auto sent = writes();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), (Request{6, 9, {0, 0, 255}}));
    std::ifstream file(vkbd.folder() + "/data/Velkor TX20 Keyboard/UserDengColor_0.userd");
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_NE(text.str().find("jcolor=0,0,255"), std::string::npos) << text.str();
}

}  // namespace

// A keyboard that refuses or stays silent: each command fails with the
// result code and a reason that fits, and nothing is written on a state that
// was not read.
TEST_F(LightingCli, FailuresAreReportedAndNothingIsWrittenOnAnUnreadState) {
    ASSERT_TRUE(vkbd.start());
    ASSERT_EQ(cli({"lighting", "multicolour", "on"}).exitCode, 0);
    const std::string before = vkbd.ctl({"dump"}).out;
    struct Case {
        std::vector<std::string> fault;
        std::vector<std::string> args;
        std::string reason;
    };
    const Case cases[] = {
        // The parameter reads (command 5) fail: no write, whatever the command.
        {{"status", "ff", "3", "command", "5"}, {"lighting"}, "(result -102)"},
        {{"status", "ff", "3", "command", "5"}, {"lighting", "mode", "13"}, "(result -102)"},
        {{"drop", "3", "command", "5"}, {"lighting", "brightness", "2"}, "did not answer"},
        // The writes (command 6 and 17) are refused.
        {{"status", "ff", "3", "command", "17"}, {"keycolour", "5", "255,0,0"}, "(result -102)"},
        {{"status", "ff", "3", "command", "6"}, {"lighting", "mode", "3"}, "(result -102)"},
        {{"status", "fe", "3", "command", "6"}, {"report-rate", "1"}, "(result -103)"},
        // Every answer dropped: an attached keyboard that does not answer.
        {{"drop", "1000"}, {"lighting", "mode", "3"}, "did not answer (result -2)"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> fault = {"fault"};
        fault.insert(fault.end(), c.fault.begin(), c.fault.end());
        ASSERT_EQ(vkbd.ctl(fault).exitCode, 0);
        const testsupport::ProgramResult run = cli(c.args);
        EXPECT_NE(run.exitCode, 0) << c.args.back();
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << c.args.back() << ": " << run.err;
        EXPECT_EQ(run.err.find("no keyboard attached"), std::string::npos) << run.err;
        ASSERT_EQ(vkbd.ctl({"fault", "clear"}).exitCode, 0);
        EXPECT_TRUE(vkbd.ctl({"dump"}).out == before) << c.args.back() << ": memories changed";
    }
}
