// DeviceSession.h - what every keytune-cli command that talks to the keyboard
// needs: libHidServ.so bound from the program folder, Init, the device link
// started, and End when the command is done.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "CliCommand.h"
#include "device/DeviceCommands.h"
#include "device/DeviceLink.h"
#include "device/HidServLibrary.h"

namespace cli {

class DeviceSession {
  public:
    DeviceSession() = default;
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Binds the library, initialises it and starts the link. Returns 0 when a
    // keyboard is attached; otherwise prints the reason and returns the exit
    // status to end with. Without a keyboard it fails at once.
    int open(const CliContext& context);

    device::DeviceCommands& commands() { return link_->commands(); }
    device::DeviceLink& link() { return *link_; }

  private:
    device::HidServLibrary library_;
    std::unique_ptr<device::DeviceLink> link_;
    bool initialised_ = false;
};

// Prints "keytune-cli: <what>: <reason> (result N)" and returns exit status 1.
int failWithResult(const std::string& what, int result);

// Lowercase hex pairs separated by spaces, 16 per line.
void printHexDump(const uint8_t* bytes, size_t length);

// Parses a profile number; false when the word is not a whole number.
bool parseInteger(const std::string& word, int& value);

}  // namespace cli
