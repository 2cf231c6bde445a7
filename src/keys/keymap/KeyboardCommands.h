// KeyboardCommands.h - the keyboard commands the configuration model uses.
//
// Each returns a device result code: 1 on success, anything else is failure.
// The device link implements it over the real transport; keeping the model
// on this narrow interface lets it run against any keyboard (the real one,
// the virtual one, or a test double that fails on purpose).
#pragma once

#include <cstddef>
#include <cstdint>

namespace keys {

class KeyboardCommands {
  public:
    virtual ~KeyboardCommands() = default;

    virtual int BeginTransfer() = 0;
    virtual int EndTransfer() = 0;
    virtual int ReadDeviceInfo(uint8_t* info44) = 0;
    virtual int ReadKeyMap(uint8_t* map378, int profile) = 0;
    virtual int WriteKeyMap(const uint8_t* map378, int profile) = 0;
    virtual int ReadMacroMemory(uint8_t* buffer, size_t count) = 0;
    virtual int WriteMacroMemory(const uint8_t* bytes, size_t count) = 0;
    virtual int ReadDefaultKeyMap(uint8_t* map378) = 0;
    // 0..2, or -1 while the keyboard cannot be asked.
    virtual int GetCurrentProfile() = 0;
    virtual void SetCurrentProfile(int profile) = 0;
};

}  // namespace keys
