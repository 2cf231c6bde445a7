// ControlCommand.cpp - parsing and carrying out ctl commands.
#include "ControlCommand.h"

#include <charconv>
#include <sstream>

namespace vkbd {
namespace {

constexpr int kMaxCount = 1000000;
constexpr int kMaxDelayMs = 600000;

std::vector<std::string> splitWords(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// A plain decimal number in [low, high], nothing else.
std::optional<int> parseNumber(const std::string& text, int low, int high) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty() || value < low || value > high)
        return std::nullopt;
    return value;
}

ControlOutcome ok(std::string output = {}) {
    return {"ok\n" + output, {}, std::nullopt};
}
ControlOutcome error(const std::string& reason) {
    return {"error: " + reason + "\n", {}, {}};
}

ControlOutcome runFault(std::vector<std::string> w, Firmware& firmware) {
    // "... command C" at the end of a drop, status or delay fault limits it to the
    // requests of one command.
    int onlyCommand = 0;
    if (w.size() >= 4 && w[w.size() - 2] == "command" &&
        (w[1] == "drop" || w[1] == "status" || w[1] == "delay")) {
        const auto c = parseNumber(w.back(), 1, 255);
        if (!c)
            return error("command must be 1..255: " + w.back());
        onlyCommand = *c;
        w.resize(w.size() - 2);
    }
    if (w.size() == 2 && w[1] == "clear") {
        firmware.clearFaults();
        ControlOutcome outcome = ok();
        outcome.disconnectAfter = 0;
        return outcome;
    }
    if (w.size() == 3 && (w[1] == "drop" || w[1] == "echo" || w[1] == "delay")) {
        const bool delay = w[1] == "delay";
        const auto n = parseNumber(w[2], 0, delay ? kMaxDelayMs : kMaxCount);
        if (!n)
            return error("bad number: " + w[2]);
        if (w[1] == "drop")
            firmware.dropResponses(*n, onlyCommand);
        if (w[1] == "echo")
            firmware.echoWrongCommand(*n);
        if (delay)
            firmware.delayResponses(*n, onlyCommand);
        return ok();
    }
    if (w.size() == 4 && w[1] == "status") {
        if (w[2] != "fe" && w[2] != "ff")
            return error("status must be fe or ff");
        const auto n = parseNumber(w[3], 0, kMaxCount);
        if (!n)
            return error("bad number: " + w[3]);
        firmware.answerStatus(w[2] == "fe" ? 0xFE : 0xFF, *n, onlyCommand);
        return ok();
    }
    return error(
        "usage: fault drop N [command C] | echo N | status fe|ff N [command C] | "
        "delay MS [command C] | clear");
}

}  // namespace

ControlOutcome runControlCommand(const std::string& line, Firmware& firmware,
                                 int pendingDisconnect) {
    const std::vector<std::string> w = splitWords(line);
    if (w.empty())
        return error("empty command");
    const std::string& verb = w[0];

    if (verb == "layer" && w.size() == 1) {
        ControlOutcome outcome = ok();
        outcome.reports.push_back(firmware.layerSwitchReport());
        return outcome;
    }
    if (verb == "lighting" && w.size() <= 2) {
        int mode = -1;
        if (w.size() == 2) {
            const auto n = parseNumber(w[1], 1, 255);
            if (!n)
                return error("mode must be 1..255: " + w[1]);
            mode = *n;
        }
        ControlOutcome outcome = ok();
        outcome.reports.push_back(firmware.lightingChangeReport(mode));
        return outcome;
    }
    if (verb == "tray" && w.size() == 2 && (w[1] == "on" || w[1] == "off")) {
        ControlOutcome outcome = ok();
        outcome.reports.push_back(firmware.trayReport(w[1] == "on"));
        return outcome;
    }
    if (verb == "fault" && w.size() >= 2)
        return runFault(w, firmware);
    if (verb == "disconnect-after" && w.size() == 2) {
        const auto n = parseNumber(w[1], 1, kMaxCount);
        if (!n)
            return error("N must be 1 or more: " + w[1]);
        ControlOutcome outcome = ok();
        outcome.disconnectAfter = *n;
        return outcome;
    }
    if (verb == "dump" && w.size() == 1) {
        std::string text = firmware.dump();
        text += "disconnect-after: " +
                (pendingDisconnect > 0 ? std::to_string(pendingDisconnect) : std::string("off")) +
                "\n";
        return ok(text);
    }
    return error("unknown command: " + line);
}

const char* controlCommandUsage() {
    return "      layer | lighting [MODE] | tray on | tray off\n"
           "      fault drop N | fault echo N | fault status fe N | fault status ff N |\n"
           "      fault delay MS | fault clear\n"
           "      (drop, status and delay take \"command C\" at the end: only requests of command "
           "C)\n"
           "      disconnect-after N   (closes every connection instead of answering the\n"
           "                            Nth next request: a keyboard pulled out)\n"
           "      dump                 (prints the memories)\n";
}

}  // namespace vkbd
