#include <gtest/gtest.h>

#include "device/HidServLibrary.h"

using namespace device;

TEST(DeviceLibraryBinding, MissingFileOrNameIsReportedAndLeavesTheTableEmpty) {
    HidServLibrary missing;
    EXPECT_EQ(missing.load(PARTIAL_HIDSERV_DIR "/nowhere"), BIND_MISSING_FILE);
    EXPECT_NE(missing.error().find("libHidServ.so"), std::string::npos);

    HidServLibrary partial;
    EXPECT_EQ(partial.load(PARTIAL_HIDSERV_DIR), BIND_MISSING_NAME);
    EXPECT_NE(partial.error().find("RequestStatusSetFeature"), std::string::npos);
    EXPECT_EQ(partial.api().Init, nullptr);
}
