// ScratchFile.h - a file the fuzz targets hand their input to the code under
// test through, as the program reads it from disk.
#pragma once

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fuzzsupport {

// A file in a private folder (in memory under /dev/shm when there is one, so
// the fuzzer does not wear the disk), made once per process.
inline std::string ScratchPath(const char* name) {
    static const std::string folder = [] {
        std::filesystem::path base = std::filesystem::temp_directory_path();
        if (::access("/dev/shm", W_OK) == 0)
            base = "/dev/shm";
        std::string pattern = (base / "keytune-fuzz-XXXXXX").string();
        const char* made = ::mkdtemp(pattern.data());
        if (made == nullptr)
            std::abort();
        return std::string(made);
    }();
    return folder + "/" + name;
}

// Replaces the file with the given bytes through a new file and a rename, so
// every input is a new file to readers that cache by file identity.
inline void WriteScratch(const std::string& path, const uint8_t* data, size_t size) {
    const std::string temp = path + ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out)
            std::abort();
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0)
        std::abort();
}

}  // namespace fuzzsupport
