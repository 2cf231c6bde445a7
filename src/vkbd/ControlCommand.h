// ControlCommand.h - the `keytune-vkbd ctl` commands, carried out on a running
// virtual keyboard.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vkbd/Firmware.h"

namespace vkbd {

struct ControlOutcome {
    std::string reply;  // first line "ok" or "error: <reason>", then any output
    std::vector<std::vector<uint8_t>> reports;  // consumer reports for every client
    std::optional<int> disconnectAfter;         // new countdown; 0 switches it off
};

// One command line such as "fault drop 2" or "lighting 5". pendingDisconnect is
// the countdown now running (shown by dump).
ControlOutcome runControlCommand(const std::string& line, Firmware& firmware,
                                 int pendingDisconnect);

// The command list, as `keytune-vkbd --help` shows it.
const char* controlCommandUsage();

}  // namespace vkbd
