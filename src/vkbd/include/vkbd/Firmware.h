// Firmware.h - the virtual keyboard's firmware model.
//
// Takes one 64-byte request frame and gives the 64-byte response the keyboard
// would send, with the keyboard's memories behind it. The socket server
// (keytune-vkbd) and in-process tests both drive it through this class.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vkbd {

using Frame = std::array<uint8_t, 64>;

struct FirmwareConfig {
    uint16_t firmwareVersion = 0x0102;
    uint8_t capacityUnits = 64;  // macro memory capacity in units of 128 bytes
    std::vector<uint8_t> modes;  // offered lighting modes; empty = 1..18 and 20
};

class Firmware {
public:
    explicit Firmware(FirmwareConfig config = {});

    // Handles one request. Returns the response, or nothing when a "drop"
    // fault swallows it.
    std::optional<Frame> handleRequest(const Frame& request);

    // The G-key layer status write (two bytes).
    void writeStatus(const uint8_t* data, size_t length);

    // Faults, applied to the next responses (see keytune-vkbd ctl).
    void dropResponses(int count);
    void echoWrongCommand(int count);
    void answerStatus(uint8_t status, int count);  // 0xFE or 0xFF
    void clearFaults();

    // Notification helpers: each returns the consumer report to send to every
    // client and changes the memories as the keyboard would.
    std::vector<uint8_t> layerSwitchReport();              // 0x02FF
    std::vector<uint8_t> lightingChangeReport(int mode);   // 0x0401; mode < 0 = next offered
    std::vector<uint8_t> trayReport(bool on);              // 0x1811 on, 0x1810 off

    // Persistence of every memory (the keyboard's flash).
    bool loadState(const std::string& path);
    bool saveState(const std::string& path) const;  // atomic: temporary file + rename

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
};

}  // namespace vkbd
