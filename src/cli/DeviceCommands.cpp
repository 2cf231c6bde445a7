// keytune-cli commands that read the keyboard's memories and switch its
// profile.
#include <cstdio>
#include <vector>

#include "CliCommand.h"
#include "DeviceSession.h"
#include "device/ResultCodes.h"

namespace cli {

namespace {

using namespace device;

// The profile from the first argument, else from --profile. Returns 0 or an
// exit status after printing why.
int profileArgument(const CliContext& context, const char* command, int& profile) {
    if (!context.args.empty()) {
        if (!parseInteger(context.args[0], profile))
            return failWithResult(command, RESULT_BAD_PROFILE);
    } else if (context.profile >= 0) {
        profile = context.profile;
    } else {
        return fail(std::string(command) + ": a profile (0, 1 or 2) is needed");
    }
    if (profile < 0 || profile >= kProfileCount)
        return failWithResult(command, RESULT_BAD_PROFILE);
    return 0;
}

// Opens the session and reads the information block. Returns 0 or an exit
// status after printing why.
int openAndReadInfo(CliContext& context, const char* command, DeviceSession& session,
                    uint8_t (&block)[kDeviceInfoSize]) {
    if (int status = session.open(context))
        return status;
    int result = session.commands().ReadDeviceInfo(block);
    return result == RESULT_OK ? 0 : failWithResult(command, result);
}

// Reads one 378-byte key map with `read` and prints it.
template <typename Read>
int printKeyMap(CliContext& context, const char* command, Read read) {
    DeviceSession session;
    if (int status = session.open(context))
        return status;
    std::vector<uint8_t> map(kKeyMapSize);
    int result = read(session.commands(), map.data());
    if (result != RESULT_OK)
        return failWithResult(command, result);
    printHexDump(map.data(), map.size());
    return 0;
}

int info(CliContext& context) {
    DeviceSession session;
    uint8_t block[kDeviceInfoSize] = {};
    if (int status = openAndReadInfo(context, "info", session, block))
        return status;
    std::printf("firmware: 0x%04x\n",
                block[kDeviceInfoVersionAt] | block[kDeviceInfoVersionAt + 1] << 8);
    std::printf("profile: %d\n", block[kDeviceInfoProfileAt]);
    std::printf("macro-capacity: %zu\n", block[kDeviceInfoCapacityAt] * kMacroCapacityUnit);
    std::printf("modes:");
    for (size_t i = kDeviceInfoModesAt; i < kDeviceInfoSize; ++i)
        if (block[i] != 0)
            std::printf(" %d", block[i]);  // 0 marks an empty slot
    std::printf("\n");
    return 0;
}

int readKeymap(CliContext& context) {
    int profile = -1;
    if (int status = profileArgument(context, "read-keymap", profile))
        return status;
    return printKeyMap(context, "read-keymap", [profile](DeviceCommands& c, uint8_t* map) {
        return c.ReadKeyMap(map, profile);
    });
}

int readDefaultKeymap(CliContext& context) {
    return printKeyMap(context, "read-default-keymap",
                       [](DeviceCommands& c, uint8_t* map) { return c.ReadDefaultKeyMap(map); });
}

int readMacros(CliContext& context) {
    DeviceSession session;
    uint8_t block[kDeviceInfoSize] = {};
    if (int status = openAndReadInfo(context, "read-macros", session, block))
        return status;
    auto& commands = session.commands();
    size_t capacity = block[kDeviceInfoCapacityAt] * kMacroCapacityUnit;

    std::vector<uint8_t> memory(kMacroHeaderSize);
    int result = commands.ReadMacroMemory(memory.data(), static_cast<int>(memory.size()));
    if (result != RESULT_OK)
        return failWithResult("read-macros", result);
    if (memory[0] == 0xAA && memory[1] == 0x55) {
        // The header's total length, kept within what the keyboard holds.
        size_t total = memory[2] | memory[3] << 8;
        if (total > capacity)
            total = capacity;
        if (total > kMacroHeaderSize) {
            memory.assign(total, 0);
            result = commands.ReadMacroMemory(memory.data(), static_cast<int>(total));
            if (result != RESULT_OK)
                return failWithResult("read-macros", result);
        }
    }
    printHexDump(memory.data(), memory.size());
    return 0;
}

int readParams(CliContext& context) {
    DeviceSession session;
    uint8_t block[kDeviceInfoSize] = {};
    if (int status = openAndReadInfo(context, "read-params", session, block))
        return status;
    auto& commands = session.commands();
    int result = RESULT_OK;
    uint8_t blocks[kProfileCount][kPayloadSize] = {};
    commands.BeginTransfer();
    for (int p = 0; p < kProfileCount && result == RESULT_OK; ++p)
        result = commands.ReadParameters(blocks[p], static_cast<int>(kPayloadSize),
                                         p * static_cast<int>(kParameterBlockSize));
    commands.EndTransfer();
    if (result != RESULT_OK)
        return failWithResult("read-params", result);
    for (int p = 0; p < kProfileCount; ++p) {
        std::printf("profile %d:\n", p);
        printHexDump(blocks[p], kParameterBlockSize);
    }
    return 0;
}

int setProfile(CliContext& context) {
    int profile = -1;
    if (int status = profileArgument(context, "set-profile", profile))
        return status;
    DeviceSession session;
    if (int status = session.open(context))
        return status;
    int result = session.commands().SetCurrentProfile(profile);
    if (result != RESULT_OK)
        return failWithResult("set-profile", result);
    std::printf("profile: %d\n", profile);
    return 0;
}

CliCommandRegistration infoReg("info",
                               "  keytune-cli info                    firmware version, current "
                               "profile, macro capacity, lighting modes",
                               &info);
CliCommandRegistration readKeymapReg(
    "read-keymap", "  keytune-cli read-keymap P           the 378 bytes of profile P's key map",
    &readKeymap);
CliCommandRegistration readDefaultKeymapReg(
    "read-default-keymap", "  keytune-cli read-default-keymap     the keyboard's factory key map",
    &readDefaultKeymap);
CliCommandRegistration readMacrosReg(
    "read-macros",
    "  keytune-cli read-macros             the macro memory (the whole image when it holds macros)",
    &readMacros);
CliCommandRegistration readParamsReg(
    "read-params", "  keytune-cli read-params             the three 42-byte parameter blocks",
    &readParams);
CliCommandRegistration setProfileReg(
    "set-profile", "  keytune-cli set-profile P           make P the keyboard's current profile",
    &setProfile);

}  // namespace

}  // namespace cli
