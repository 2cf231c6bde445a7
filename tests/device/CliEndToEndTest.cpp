// keytune-cli's device commands against a running keytune-vkbd.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "VkbdRunner.h"

using namespace std::chrono;

TEST(DeviceCli, PrintsInfoAndRejectsABadProfile) {
    fake::VkbdRunner vkbd{KEYTUNE_STAGE_DIR};
    ASSERT_TRUE(vkbd.start());
    const std::string cli = std::string(KEYTUNE_STAGE_DIR) + "/keytune-cli";

    auto info = fake::runProgram(cli, {"info"});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out,
              "firmware: 0x0102\nprofile: 0\nmacro-capacity: 8192\n"
              "modes: 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 20\n");

    auto set = fake::runProgram(cli, {"set-profile", "2"});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_NE(fake::runProgram(cli, {"info"}).out.find("profile: 2\n"), std::string::npos);

    auto keymap = fake::runProgram(cli, {"read-keymap", "0"});
    EXPECT_EQ(keymap.status, 0) << keymap.err;
    EXPECT_EQ(std::count(keymap.out.begin(), keymap.out.end(), '\n'), 24);  // 378 bytes, 16 a line

    auto bad = fake::runProgram(cli, {"read-keymap", "3"});
    EXPECT_NE(bad.status, 0);
    EXPECT_NE(bad.err.find("bad profile (result -201)"), std::string::npos) << bad.err;

    vkbd.stop();
    auto start = steady_clock::now();
    auto none = fake::runProgram(cli, {"info"});
    EXPECT_NE(none.status, 0);
    EXPECT_NE(none.err.find("no keyboard attached (result 0)"), std::string::npos) << none.err;
    EXPECT_LT(duration_cast<milliseconds>(steady_clock::now() - start).count(), 2000);
}
