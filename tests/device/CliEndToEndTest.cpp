// keytune-cli's device commands against a running keytune-vkbd.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "support/VkbdRunner.h"

using namespace std::chrono;

TEST(DeviceCli, PrintsInfoAndRejectsABadProfile) {
    testsupport::VkbdRunner vkbd;
    ASSERT_TRUE(vkbd.start());
    const std::string cli = std::string(KEYTUNE_STAGE_DIR) + "/keytune-cli";

    auto info = testsupport::runProgram(cli, {"info"});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out,
              "firmware: 0x0102\nprofile: 0\nmacro-capacity: 8192\n"
              "modes: 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 20\n");

    auto set = testsupport::runProgram(cli, {"set-profile", "2"});
    EXPECT_EQ(set.exitCode, 0) << set.err;
    EXPECT_NE(testsupport::runProgram(cli, {"info"}).out.find("profile: 2\n"), std::string::npos);

    auto keymap = testsupport::runProgram(cli, {"read-keymap", "0"});
    EXPECT_EQ(keymap.exitCode, 0) << keymap.err;
    EXPECT_EQ(std::count(keymap.out.begin(), keymap.out.end(), '\n'), 24);  // 378 bytes, 16 a line

    auto bad = testsupport::runProgram(cli, {"read-keymap", "3"});
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_NE(bad.err.find("bad profile (result -201)"), std::string::npos) << bad.err;

    vkbd.stop();
    auto start = steady_clock::now();
    auto none = testsupport::runProgram(cli, {"info"});
    EXPECT_NE(none.exitCode, 0);
    EXPECT_NE(none.err.find("no keyboard attached (result 0)"), std::string::npos) << none.err;
    EXPECT_LT(duration_cast<milliseconds>(steady_clock::now() - start).count(), 2000);
}
