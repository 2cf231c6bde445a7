// ProfileTestSupport.h - a private temporary folder per test and a main
// window stand-in that only keeps the pending-changes mark.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ProfileOperations.h"

namespace testing_config {

class TempFolder {
  public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "keytune-profiles-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

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
