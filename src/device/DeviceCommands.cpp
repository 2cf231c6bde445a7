#include "device/DeviceCommands.h"

#include <algorithm>

#include "device/CurrentProfileIndex.h"
#include "device/ResultCodes.h"

namespace device {

namespace {

bool validProfile(int profile) {
    return profile >= 0 && profile < kProfileCount;
}

// Lengths travel in one byte and never exceed the payload.
uint8_t payloadLength(int length) {
    return static_cast<uint8_t>(std::clamp(length, 0, static_cast<int>(kPayloadSize)));
}

}  // namespace

int DeviceCommands::BeginTransfer() {
    return transport_.IssueCommand({.command = CMD_BEGIN_TRANSFER});
}

int DeviceCommands::EndTransfer() {
    return transport_.IssueCommand({.command = CMD_END_TRANSFER, .pauseBefore = true});
}

int DeviceCommands::ReadDeviceInfo(uint8_t* info44) {
    return transport_.IssueCommand(
        {.command = CMD_READ_DEVICE_INFO, .length = static_cast<uint8_t>(kDeviceInfoSize)}, info44,
        kDeviceInfoSize);
}

int DeviceCommands::WriteDeviceInfo(const uint8_t* info44) {
    return transport_.IssueCommand({.command = CMD_WRITE_DEVICE_INFO,
                                    .length = static_cast<uint8_t>(kDeviceInfoSize),
                                    .payload = info44,
                                    .payloadLength = kDeviceInfoSize});
}

int DeviceCommands::ReadParameters(uint8_t* buffer, int length, int offset) {
    uint8_t n = payloadLength(length);
    return transport_.IssueCommand(
        {.command = CMD_READ_PARAMETERS, .length = n, .offset = static_cast<uint16_t>(offset)},
        buffer, n);
}

int DeviceCommands::WriteParameters(const uint8_t* bytes, int length, int offset) {
    uint8_t n = payloadLength(length);
    return transport_.IssueCommand({.command = CMD_WRITE_PARAMETERS,
                                    .length = n,
                                    .offset = static_cast<uint16_t>(offset),
                                    .payload = bytes,
                                    .payloadLength = n});
}

int DeviceCommands::ReadKeyMap(uint8_t* map378, int profile) {
    if (!validProfile(profile))
        return RESULT_BAD_PROFILE;
    return transport_.ReadBlock(CMD_READ_KEY_MAP, static_cast<uint32_t>(profile * kKeyMapSize),
                                map378, kKeyMapSize);
}

int DeviceCommands::WriteKeyMap(const uint8_t* map378, int profile) {
    if (!validProfile(profile))
        return RESULT_BAD_PROFILE;
    return transport_.WriteBlock(CMD_WRITE_KEY_MAP, static_cast<uint32_t>(profile * kKeyMapSize),
                                 map378, kKeyMapSize);
}

int DeviceCommands::ReadMacroMemory(uint8_t* buffer, int count) {
    if (count <= 0)
        return RESULT_OK;
    return transport_.ReadBlock(CMD_READ_MACRO_MEMORY, 0, buffer, static_cast<size_t>(count));
}

int DeviceCommands::WriteMacroMemory(const uint8_t* bytes, int count) {
    if (count <= 0)
        return RESULT_OK;
    return transport_.WriteBlock(CMD_WRITE_MACRO_MEMORY, 0, bytes, static_cast<size_t>(count));
}

int DeviceCommands::ReadDefaultKeyMap(uint8_t* map378) {
    return transport_.ReadBlock(CMD_READ_DEFAULT_KEY_MAP, 0, map378, kKeyMapSize);
}

int DeviceCommands::WriteKeyColours(const uint8_t* bytes, int length, int firstKey) {
    uint8_t n = payloadLength(length);
    int offset = currentProfileIndex() * static_cast<int>(kKeyColourProfileSize) + firstKey * 3;
    return transport_.IssueCommand({.command = CMD_WRITE_KEY_COLOURS,
                                    .length = n,
                                    .offset = static_cast<uint16_t>(offset),
                                    .payload = bytes,
                                    .payloadLength = n});
}

int DeviceCommands::GetCurrentProfile() {
    int result = RESULT_OK;
    return GetCurrentProfile(result);
}

int DeviceCommands::GetCurrentProfile(int& result) {
    result = RESULT_OK;
    int cached = profileCache_.load();
    if (cached != -1)
        return cached;
    uint8_t info[kDeviceInfoSize] = {};
    result = ReadDeviceInfo(info);
    if (result != RESULT_OK)
        return -1;
    int profile = info[kDeviceInfoProfileAt];
    profileCache_.store(profile);
    return profile;
}

int DeviceCommands::SetCurrentProfile(int profile) {
    // Only 0..2 are profiles: writing any other number into the keyboard's
    // information block would leave it on a profile that does not exist.
    if (!validProfile(profile))
        return RESULT_BAD_PROFILE;
    uint8_t info[kDeviceInfoSize] = {};
    int result = ReadDeviceInfo(info);
    if (result != RESULT_OK)
        return result;
    info[kDeviceInfoProfileAt] = static_cast<uint8_t>(profile);
    result = WriteDeviceInfo(info);
    profileCache_.store(result == RESULT_OK ? info[kDeviceInfoProfileAt] : -1);
    return result;
}

}  // namespace device
