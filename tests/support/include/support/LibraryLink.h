// LibraryLink.h - libHidServ.so from the program folder, initialised, with a
// device link started on it: the program's own way to the keyboard, for
// end-to-end tests and benchmarks. Torn down in the safe order on destruction.
#pragma once

#include <memory>
#include <string>

#include "device/DeviceLink.h"
#include "device/HidServLibrary.h"

namespace testsupport {

struct LibraryLink {
    LibraryLink() = default;
    ~LibraryLink();  // detaches the link, then ends the library
    LibraryLink(const LibraryLink&) = delete;
    LibraryLink& operator=(const LibraryLink&) = delete;

    // Binds and initialises the library and starts the link. The device
    // count, or -1 when the library could not be started (library.error()
    // may say why).
    int connect();
    int connect(const std::string& programFolder);

    device::HidServLibrary library;
    std::unique_ptr<device::DeviceLink> link;
    bool initialised = false;
};

}  // namespace testsupport
