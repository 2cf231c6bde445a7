// HidServLibrary.h - binds libHidServ.so by name from the program folder.
#pragma once

#include <string>

#include "device/HidServApi.h"

namespace device {

// Outcomes of binding the library.
constexpr int BIND_OK = 1;
constexpr int BIND_MISSING_FILE = -1;  // the file is absent or cannot be loaded
constexpr int BIND_MISSING_NAME = -2;  // one of the twelve names is not exported

constexpr const char* kHidServFileName = "libHidServ.so";

class HidServLibrary {
  public:
    HidServLibrary() = default;
    HidServLibrary(const HidServLibrary&) = delete;
    HidServLibrary& operator=(const HidServLibrary&) = delete;
    // The library stays loaded for the rest of the process: its callback
    // thread may still be running when this object goes away.
    ~HidServLibrary() = default;

    // Loads <programFolder>/libHidServ.so and resolves all twelve names.
    // Returns BIND_OK, or BIND_MISSING_FILE / BIND_MISSING_NAME with a reason
    // in error(); on failure api() stays empty.
    int load(const std::string& programFolder);

    const HidServApi& api() const { return api_; }
    const std::string& error() const { return error_; }

  private:
    HidServApi api_;
    std::string error_;
    void* handle_ = nullptr;
};

}  // namespace device
