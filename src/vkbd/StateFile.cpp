// StateFile.cpp - encoding, checking and atomic writing of the state file.
#include "StateFile.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace vkbd {
namespace {

constexpr std::array<uint8_t, 8> kMagic = {'K', 'T', 'V', 'K', 'B', 'D', 'S', 'T'};
constexpr uint16_t kVersion = 1;
constexpr size_t kFileHeaderSize = 12;
constexpr size_t kSectionHeaderSize = 8;
constexpr size_t kCrcSize = 4;

enum SectionId : uint8_t {
    kDeviceInfo = 1,
    kParameters = 2,
    kKeyMaps = 3,
    kMacroMemory = 4,
    kKeyColours = 5,
};

void putU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t getU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t getU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

void putSection(std::vector<uint8_t>& out, uint8_t id, const std::vector<uint8_t>& data) {
    out.push_back(id);
    out.push_back(0);
    putU16(out, 0);
    putU32(out, static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
}

}  // namespace

uint32_t crc32(const uint8_t* data, size_t length) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::vector<uint8_t> encodeState(const StateImage& image) {
    std::vector<uint8_t> out(kMagic.begin(), kMagic.end());
    putU16(out, kVersion);
    putU16(out, 5);
    putSection(out, kDeviceInfo, image.deviceInfo);
    putSection(out, kParameters, image.parameters);
    putSection(out, kKeyMaps, image.keyMaps);
    putSection(out, kMacroMemory, image.macroMemory);
    putSection(out, kKeyColours, image.keyColours);
    putU32(out, crc32(out.data(), out.size()));
    return out;
}

bool decodeState(const std::vector<uint8_t>& bytes, StateImage& image, std::string& problem) {
    image = StateImage{};
    if (bytes.size() < kFileHeaderSize + kCrcSize) {
        problem = "file too short";
        return false;
    }
    if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) {
        problem = "not a virtual keyboard state file";
        return false;
    }
    const size_t bodyEnd = bytes.size() - kCrcSize;
    if (crc32(bytes.data(), bodyEnd) != getU32(bytes.data() + bodyEnd)) {
        problem = "checksum mismatch (damaged or cut short)";
        return false;
    }
    if (getU16(bytes.data() + 8) != kVersion) {
        problem = "unsupported format version " + std::to_string(getU16(bytes.data() + 8));
        return false;
    }
    const unsigned sections = getU16(bytes.data() + 10);
    size_t at = kFileHeaderSize;
    for (unsigned s = 0; s < sections; ++s) {
        if (bodyEnd - at < kSectionHeaderSize) {
            problem = "section header past the end";
            return false;
        }
        const uint8_t id = bytes[at];
        const uint32_t length = getU32(bytes.data() + at + 4);
        at += kSectionHeaderSize;
        if (bodyEnd - at < length) {
            problem = "section data past the end";
            return false;
        }
        std::vector<uint8_t> data(bytes.begin() + at, bytes.begin() + at + length);
        at += length;
        switch (id) {
            case kDeviceInfo:
                image.deviceInfo = std::move(data);
                image.hasDeviceInfo = true;
                break;
            case kParameters:
                image.parameters = std::move(data);
                image.hasParameters = true;
                break;
            case kKeyMaps:
                image.keyMaps = std::move(data);
                image.hasKeyMaps = true;
                break;
            case kMacroMemory:
                image.macroMemory = std::move(data);
                image.hasMacroMemory = true;
                break;
            case kKeyColours:
                image.keyColours = std::move(data);
                image.hasKeyColours = true;
                break;
            default:
                break;  // a section of a later version
        }
    }
    if (at != bodyEnd) {
        problem = "unexpected bytes after the last section";
        return false;
    }
    return true;
}

bool writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    namespace fs = std::filesystem;
    std::random_device random;
    const fs::path target(path);
    const fs::path temporary = target.parent_path() / (target.filename().string() + ".tmp" +
                                                       std::to_string(random() & 0xFFFFFFu));
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

}  // namespace vkbd
