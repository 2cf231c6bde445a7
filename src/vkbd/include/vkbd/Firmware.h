// Firmware.h - the virtual keyboard's firmware model.
//
// Takes one 64-byte request frame and gives the 64-byte response the keyboard
// would send, with the keyboard's memories behind it. The socket server
// (keytune-vkbd) and in-process tests both drive it through this class.
//
// Memories (sizes in bytes):
//   device information   44: 0-7 identification, 8-9 firmware (LE), 10 current
//                            profile, 11 macro capacity in 128-byte units,
//                            12-43 offered lighting modes (0 = empty slot)
//   parameter memory    256: three 42-byte blocks at 0/42/84, the rest spare
//   key maps           1134: profile p at p * 378
//   factory key map     378: read only
//   macro memory   capacity: starts with an empty macro memory header
//   key colours        1536: profile p at p * 512
// Refused requests are answered with status 0xFF and change nothing (see
// FrameLayout.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vkbd/FrameLayout.h"

namespace vkbd {

struct FirmwareConfig {
    uint16_t firmwareVersion = 0x0102;
    uint8_t capacityUnits = 64;  // macro memory capacity in units of 128 bytes
    std::vector<uint8_t> modes;  // offered lighting modes; empty = 1..18 and 20
};

// What loading a state file found.
enum class StateLoadResult { Loaded, Missing, Corrupt };

class Firmware {
  public:
    static constexpr size_t kDeviceInfoSize = 44;
    static constexpr size_t kParameterBlockSize = 42;
    static constexpr size_t kParameterMemorySize = 256;
    static constexpr size_t kKeyMapSize = 378;
    static constexpr size_t kProfileCount = 3;
    static constexpr size_t kKeyColourProfileSize = 512;

    explicit Firmware(FirmwareConfig config = {});

    // Handles one request. Returns the response, or nothing when a "drop"
    // fault swallows it.
    std::optional<Frame> handleRequest(const Frame& request);

    // The G-key layer status write (two bytes).
    void writeStatus(const uint8_t* data, size_t length);

    // Faults, applied to the next responses (see keytune-vkbd ctl). Each
    // request takes at most one fault, in the order drop, status, echo. A
    // drop, status or delay fault given a command number (1..255) touches only the
    // requests of that command; 0 means every request.
    void dropResponses(int count, int onlyCommand = 0);
    void echoWrongCommand(int count);
    void answerStatus(uint8_t status, int count, int onlyCommand = 0);  // 0xFE or 0xFF
    void delayResponses(int milliseconds, int onlyCommand = 0);         // kept until cleared
    int responseDelayMs() const;
    // The delay for the answer to a request of this command.
    int responseDelayMs(int command) const;
    void clearFaults();
    std::string faultSummary() const;  // "none" or a short list

    // Notification helpers: each returns the consumer report to send to every
    // client and changes the memories as the keyboard would. A consumer report
    // is 4 bytes: the 16-bit code little-endian, then two zero bytes.
    std::vector<uint8_t> layerSwitchReport();             // 0x02FF
    std::vector<uint8_t> lightingChangeReport(int mode);  // 0x0401; mode < 0 = next offered
    std::vector<uint8_t> trayReport(bool on);             // 0x1811 on, 0x1810 off

    // Persistence of every memory (the keyboard's flash).
    bool loadState(const std::string& path);
    // Like loadState, and says why a file was not taken. Anything but Loaded
    // leaves the factory state.
    StateLoadResult loadStateFile(const std::string& path, std::string* problem = nullptr);
    bool saveState(const std::string& path) const;  // atomic: temporary file + rename

    // True once after a request or notification that ends a write (EndTransfer,
    // WriteDeviceInfo, a lighting change) when the memories changed since the
    // last markSaved(): the moment to save the state file.
    bool consumeSavePoint();
    bool hasUnsavedChanges() const { return unsaved_; }
    void markSaved() { unsaved_ = false; }

    // Restores every memory to the factory state (faults and status stay).
    void resetToFactory();

    // Human-readable listing of the memories (keytune-vkbd ctl dump).
    std::string dump() const;

    // Direct access for tests and tools.
    const std::vector<uint8_t>& deviceInfo() const;       // 44 bytes
    const std::vector<uint8_t>& parameterMemory() const;  // three 42-byte blocks and beyond
    const std::vector<uint8_t>& keyMaps() const;          // 3 x 378 bytes
    const std::vector<uint8_t>& factoryKeyMap() const;    // 378 bytes
    const std::vector<uint8_t>& macroMemory() const;      // capacity bytes
    const std::vector<uint8_t>& keyColours() const;       // 3 x 512 bytes
    const std::array<uint8_t, 2>& status() const;
    int currentProfile() const;
    bool transferOpen() const { return transferOpen_; }

  private:
    Frame process(const Frame& request);
    Frame readFrom(const Frame& request, const std::vector<uint8_t>& memory, size_t maxLength);
    Frame writeTo(const Frame& request, std::vector<uint8_t>& memory);
    Frame writeDeviceInfo(const Frame& request);
    void touch();

    FirmwareConfig config_;
    std::vector<uint8_t> deviceInfo_;
    std::vector<uint8_t> parameters_;
    std::vector<uint8_t> keyMaps_;
    std::vector<uint8_t> factoryKeyMap_;
    std::vector<uint8_t> macroMemory_;
    std::vector<uint8_t> keyColours_;
    std::array<uint8_t, 2> status_{0x05, 0x02};
    bool transferOpen_ = false;
    bool unsaved_ = false;
    bool savePoint_ = false;

    int dropCount_ = 0;
    int dropCommand_ = 0;
    int echoCount_ = 0;
    int statusCount_ = 0;
    int statusCommand_ = 0;
    uint8_t statusValue_ = frame::kStatusRefused;
    int delayMs_ = 0;
    int delayCommand_ = 0;
};

}  // namespace vkbd
