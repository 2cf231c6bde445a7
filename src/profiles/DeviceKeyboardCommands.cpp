#include "DeviceKeyboardCommands.h"

#include <limits>

#include "device/ResultCodes.h"

namespace profiles {

// Macro memory is at most 32640 bytes; a larger count is refused rather than
// truncated to the command's int.
int DeviceKeyboardCommands::ReadMacroMemory(uint8_t* buffer, size_t count) {
    if (count > static_cast<size_t>(std::numeric_limits<uint16_t>::max()))
        return device::RESULT_WRITE_FAILED;
    return commands_.ReadMacroMemory(buffer, static_cast<int>(count));
}

int DeviceKeyboardCommands::WriteMacroMemory(const uint8_t* bytes, size_t count) {
    if (count > static_cast<size_t>(std::numeric_limits<uint16_t>::max()))
        return device::RESULT_WRITE_FAILED;
    return commands_.WriteMacroMemory(bytes, static_cast<int>(count));
}

}  // namespace profiles
