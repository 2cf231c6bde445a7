// TempFolder.h - a private temporary folder for one test, removed with
// everything in it afterwards (even where the test took permissions away).
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class TempFolder {
  public:
    // A fresh folder below the system's temporary folder; the name stays short
    // so that a socket path inside it fits the 108-byte limit.
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Empty when the folder could not be made.
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::filesystem::path operator/(const std::string& name) const {
        return std::filesystem::path(path_) / name;
    }

    // Writes `bytes` to the named file (making its folders) and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;
    // The whole file as bytes; empty when it cannot be read.
    static std::string read(const std::string& path);

  private:
    std::string path_;
};

}  // namespace testsupport
