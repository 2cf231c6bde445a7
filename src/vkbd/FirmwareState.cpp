// FirmwareState.cpp - the firmware's memories in and out of the state file,
// and the human-readable dump.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "StateFile.h"
#include "vkbd/Firmware.h"

namespace vkbd {
namespace {

constexpr size_t kProfileAt = 10;
constexpr size_t kMaxStateFileSize = 1u << 20;  // far above any real state file

void appendHexLines(std::string& out, const std::vector<uint8_t>& bytes, size_t begin, size_t end) {
    // Sixteen bytes a line with their offset; lines of zeros are left out to
    // keep the listing short.
    char text[8];
    bool skipped = false;
    for (size_t line = begin; line < end; line += 16) {
        const size_t lineEnd = std::min(end, line + 16);
        bool allZero = true;
        for (size_t i = line; i < lineEnd; ++i) allZero = allZero && bytes[i] == 0;
        if (allZero) {
            skipped = true;
            continue;
        }
        std::snprintf(text, sizeof text, "  %04zx:", line - begin);
        out += text;
        for (size_t i = line; i < lineEnd; ++i) {
            std::snprintf(text, sizeof text, " %02x", bytes[i]);
            out += text;
        }
        out += '\n';
    }
    if (skipped)
        out += "  (lines not shown are zero)\n";
}

uint16_t u16At(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

}  // namespace

bool Firmware::loadState(const std::string& path) {
    return loadStateFile(path) == StateLoadResult::Loaded;
}

StateLoadResult Firmware::loadStateFile(const std::string& path, std::string* problem) {
    resetToFactory();
    unsaved_ = false;
    savePoint_ = false;

    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (problem)
            *problem = "no state file";
        return StateLoadResult::Missing;
    }
    std::vector<uint8_t> bytes;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
        if (bytes.size() > kMaxStateFileSize)
            break;
    }
    std::string reason;
    StateImage image;
    if (bytes.size() > kMaxStateFileSize) {
        reason = "file too large";
    } else if (decodeState(bytes, image, reason)) {
        // Every memory must have the size this keyboard has; macro memory may
        // differ when the capacity changed and is cut or zero-filled to fit.
        if (image.hasDeviceInfo && image.deviceInfo.size() != kDeviceInfoSize)
            reason = "device information has the wrong size";
        else if (image.hasParameters && image.parameters.size() != parameters_.size())
            reason = "parameter memory has the wrong size";
        else if (image.hasKeyMaps && image.keyMaps.size() != keyMaps_.size())
            reason = "key maps have the wrong size";
        else if (image.hasKeyColours && image.keyColours.size() != keyColours_.size())
            reason = "key colours have the wrong size";
        else if (image.hasDeviceInfo && image.deviceInfo[kProfileAt] >= kProfileCount)
            reason = "current profile out of range";
    } else if (reason.empty()) {
        reason = "unreadable";
    }
    if (!reason.empty()) {
        if (problem)
            *problem = reason;
        return StateLoadResult::Corrupt;
    }

    // The keyboard's own identification, firmware, capacity and modes come
    // from its configuration; only the current profile is remembered.
    if (image.hasDeviceInfo)
        deviceInfo_[kProfileAt] = image.deviceInfo[kProfileAt];
    if (image.hasParameters)
        parameters_ = image.parameters;
    if (image.hasKeyMaps)
        keyMaps_ = image.keyMaps;
    if (image.hasKeyColours)
        keyColours_ = image.keyColours;
    if (image.hasMacroMemory) {
        std::fill(macroMemory_.begin(), macroMemory_.end(), 0);
        std::copy_n(image.macroMemory.begin(),
                    std::min(image.macroMemory.size(), macroMemory_.size()), macroMemory_.begin());
    }
    return StateLoadResult::Loaded;
}

bool Firmware::saveState(const std::string& path) const {
    StateImage image;
    image.deviceInfo = deviceInfo_;
    image.parameters = parameters_;
    image.keyMaps = keyMaps_;
    image.macroMemory = macroMemory_;
    image.keyColours = keyColours_;
    return writeFileAtomically(path, encodeState(image));
}

std::string Firmware::dump() const {
    std::string out;
    char text[160];
    std::snprintf(text, sizeof text,
                  "device information: firmware 0x%04x, current profile %d, macro capacity %u "
                  "units (%zu bytes)\n",
                  u16At(deviceInfo_, 8), currentProfile(), unsigned(deviceInfo_[11]),
                  macroMemory_.size());
    out += text;
    out += "  modes:";
    for (size_t i = 12; i < kDeviceInfoSize; ++i)
        if (deviceInfo_[i] != 0)
            out += " " + std::to_string(deviceInfo_[i]);
    out += '\n';
    appendHexLines(out, deviceInfo_, 0, kDeviceInfoSize);
    std::snprintf(text, sizeof text, "status: %02x %02x (G-key layer %c)\n", status_[0], status_[1],
                  (status_[1] & 1) ? 'B' : 'A');
    out += text;
    out += std::string("transfer: ") + (transferOpen_ ? "open" : "closed") + "\n";
    out += "faults: " + faultSummary() + "\n";

    for (size_t p = 0; p < kProfileCount; ++p) {
        const size_t at = p * kParameterBlockSize;
        std::snprintf(text, sizeof text,
                      "parameter block %zu: mode %u, brightness %u, speed %u, direction %02x, "
                      "multi-colour %02x, colour %02x%02x%02x, report rate %u\n",
                      p, parameters_[at], parameters_[at + 1], parameters_[at + 2],
                      parameters_[at + 3], parameters_[at + 4], parameters_[at + 5],
                      parameters_[at + 6], parameters_[at + 7], parameters_[at + 15]);
        out += text;
        appendHexLines(out, parameters_, at, at + kParameterBlockSize);
    }
    for (size_t p = 0; p < kProfileCount; ++p) {
        size_t changed = 0;
        for (size_t i = 0; i < kKeyMapSize; i += 3)
            if (!std::equal(factoryKeyMap_.begin() + i, factoryKeyMap_.begin() + i + 3,
                            keyMaps_.begin() + p * kKeyMapSize + i))
                ++changed;
        std::snprintf(text, sizeof text, "key map %zu: %zu of 126 positions differ from factory\n",
                      p, changed);
        out += text;
        appendHexLines(out, keyMaps_, p * kKeyMapSize, (p + 1) * kKeyMapSize);
    }

    size_t used = 0;
    if (macroMemory_.size() >= 16 && macroMemory_[0] == 0xAA && macroMemory_[1] == 0x55) {
        used = std::min<size_t>(u16At(macroMemory_, 2), macroMemory_.size());
        std::snprintf(text, sizeof text,
                      "macro memory: %u macros, %zu of %zu bytes used, names %s\n",
                      unsigned(u16At(macroMemory_, 4)), used, macroMemory_.size(),
                      u16At(macroMemory_, 6) ? "included" : "left out");
    } else {
        used = macroMemory_.size();
        std::snprintf(text, sizeof text, "macro memory: no valid header, %zu bytes\n",
                      macroMemory_.size());
    }
    out += text;
    appendHexLines(out, macroMemory_, 0, used);

    for (size_t p = 0; p < kProfileCount; ++p) {
        out += "key colours " + std::to_string(p) + ":\n";
        appendHexLines(out, keyColours_, p * kKeyColourProfileSize,
                       (p + 1) * kKeyColourProfileSize);
    }
    return out;
}

}  // namespace vkbd
