// TempFolder.h - a private temporary folder per test, removed afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TempFolder {
  public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "keytune-test-XXXXXX").string();
        char* made = ::mkdtemp(pattern.data());
        path_ = made != nullptr ? made : "";
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    std::string write(const std::string& name, const std::string& bytes) const {
        std::string full = file(name);
        std::filesystem::create_directories(std::filesystem::path(full).parent_path());
        std::ofstream(full, std::ios::binary) << bytes;
        return full;
    }

    static std::string read(const std::string& full) {
        std::ifstream in(full, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

  private:
    std::string path_;
};
