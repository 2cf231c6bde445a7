// DeviceKeyboardCommands.h - the configuration model's keyboard commands
// carried out by the device link's command set.
#pragma once

#include "KeyboardCommands.h"
#include "device/DeviceCommands.h"

namespace profiles {

class DeviceKeyboardCommands : public keys::KeyboardCommands {
  public:
    explicit DeviceKeyboardCommands(device::DeviceCommands& commands) : commands_(commands) {}

    int BeginTransfer() override { return commands_.BeginTransfer(); }
    int EndTransfer() override { return commands_.EndTransfer(); }
    int ReadDeviceInfo(uint8_t* info44) override { return commands_.ReadDeviceInfo(info44); }
    int ReadKeyMap(uint8_t* map, int profile) override {
        return commands_.ReadKeyMap(map, profile);
    }
    int WriteKeyMap(const uint8_t* map, int profile) override {
        return commands_.WriteKeyMap(map, profile);
    }
    int ReadMacroMemory(uint8_t* buffer, size_t count) override;
    int WriteMacroMemory(const uint8_t* bytes, size_t count) override;
    int ReadDefaultKeyMap(uint8_t* map) override { return commands_.ReadDefaultKeyMap(map); }
    int GetCurrentProfile() override { return commands_.GetCurrentProfile(); }
    void SetCurrentProfile(int profile) override { commands_.SetCurrentProfile(profile); }

  private:
    device::DeviceCommands& commands_;
};

}  // namespace profiles
