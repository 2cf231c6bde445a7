// ProfileTestSupport.h - a main window stand-in that only keeps the
// pending-changes mark, the shared temporary folder, and whole-file bytes.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ProfileOperations.h"
#include "support/TempFolder.h"

namespace testing_config {

using testsupport::TempFolder;

class TestHost : public profiles::ProfileHost {
  public:
    bool hasPendingChanges() override { return pending; }
    void setPendingChanges(bool value) override { pending = value; }
    void redrawKeyButtons() override { ++redraws; }
    bool assignmentDialogOpen() override { return dialogOpen; }
    void applyNow() override { ++applies; }
    void rebuildProfileMenu() override { ++menuRebuilds; }

    bool pending = false;
    bool dialogOpen = false;
    int redraws = 0, applies = 0, menuRebuilds = 0;
};

inline std::vector<uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace testing_config
