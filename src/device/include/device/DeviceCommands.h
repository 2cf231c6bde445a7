// DeviceCommands.h - the keyboard's numbered commands and the two
// profile-selection operations built on the device-information block.
//
// Every operation returns a result code from ResultCodes.h.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "device/ReportTransport.h"

namespace device {

// Command numbers.
constexpr uint8_t CMD_BEGIN_TRANSFER = 1;
constexpr uint8_t CMD_END_TRANSFER = 2;
constexpr uint8_t CMD_READ_DEVICE_INFO = 3;
constexpr uint8_t CMD_WRITE_DEVICE_INFO = 4;
constexpr uint8_t CMD_READ_PARAMETERS = 5;
constexpr uint8_t CMD_WRITE_PARAMETERS = 6;
constexpr uint8_t CMD_READ_KEY_MAP = 7;
constexpr uint8_t CMD_WRITE_KEY_MAP = 8;
constexpr uint8_t CMD_READ_MACRO_MEMORY = 9;
constexpr uint8_t CMD_WRITE_MACRO_MEMORY = 10;
constexpr uint8_t CMD_READ_DEFAULT_KEY_MAP = 15;
constexpr uint8_t CMD_WRITE_KEY_COLOURS = 17;

// Sizes and places in the keyboard's memories.
constexpr size_t kDeviceInfoSize = 44;
constexpr size_t kDeviceInfoVersionAt = 8;    // u16 little-endian firmware version
constexpr size_t kDeviceInfoProfileAt = 10;   // current on-board profile 0..2
constexpr size_t kDeviceInfoCapacityAt = 11;  // macro capacity in units of 128 bytes
constexpr size_t kDeviceInfoModesAt = 12;     // bytes 12..43: offered lighting modes
constexpr size_t kMacroCapacityUnit = 128;
constexpr size_t kKeyMapSize = 378;
constexpr size_t kParameterBlockSize = 42;
constexpr size_t kKeyColourProfileSize = 512;
constexpr size_t kMacroHeaderSize = 16;
constexpr int kProfileCount = 3;

class DeviceCommands {
  public:
    explicit DeviceCommands(ReportTransport& transport) : transport_(transport) {}

    int BeginTransfer();
    int EndTransfer();  // pauses 10 ms before sending

    int ReadDeviceInfo(uint8_t* info44);
    int WriteDeviceInfo(const uint8_t* info44);

    // `length` payload bytes at parameter-memory `offset` (callers read 56).
    int ReadParameters(uint8_t* buffer, int length, int offset);
    int WriteParameters(const uint8_t* bytes, int length, int offset);

    // Profile 0..2 only; any other index gives RESULT_BAD_PROFILE and sends
    // nothing.
    int ReadKeyMap(uint8_t* map378, int profile);
    int WriteKeyMap(const uint8_t* map378, int profile);

    // `count` bytes from macro-memory offset 0; a count of 0 sends nothing.
    int ReadMacroMemory(uint8_t* buffer, int count);
    int WriteMacroMemory(const uint8_t* bytes, int count);

    int ReadDefaultKeyMap(uint8_t* map378);

    // Colours of keys from `firstKey` on, in the profile given by
    // currentProfileIndex(); `length` bytes (3 per key, at most 56).
    int WriteKeyColours(const uint8_t* bytes, int length, int firstKey);

    // The keyboard's current profile: from the cache, else read from the
    // keyboard. -1 when it cannot be read.
    int GetCurrentProfile();
    // The same; `result` gets the result code of the read (RESULT_OK also
    // when the cache answered), so a caller can say why it failed.
    int GetCurrentProfile(int& result);
    // Makes `profile` the keyboard's current profile. Returns a result code;
    // on a failed write the cache is forgotten (-1).
    int SetCurrentProfile(int profile);

    // CurrentProfileCache: -1 while the keyboard has not been asked.
    int CurrentProfileCache() const { return profileCache_.load(); }
    void InvalidateProfileCache() { profileCache_.store(-1); }

    ReportTransport& transport() { return transport_; }

  private:
    ReportTransport& transport_;
    std::atomic<int> profileCache_{-1};
};

}  // namespace device
