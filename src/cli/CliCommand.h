// CliCommand.h - how keytune-cli finds its commands.
//
// Each command lives in its own source file and registers itself with a
// static CliCommandRegistration; main() looks the first word up by name.
#pragma once

#include <string>
#include <vector>

namespace cli {

// What a command gets: its own words (the command name removed) and the
// global options that stood before it.
struct CliContext {
    std::vector<std::string> args;
    int profile = -1;           // --profile P, or -1 when not given
    std::string programFolder;  // folder of the keytune-cli executable
};

// Returns the process exit status: 0 on success.
using CliHandler = int (*)(CliContext& context);

struct CliCommandInfo {
    std::string name;
    std::string usage;  // one or more lines shown by "keytune-cli help"
    CliHandler handler;
};

class CliCommandRegistration {
public:
    CliCommandRegistration(const char* name, const char* usage, CliHandler handler);
};

const std::vector<CliCommandInfo>& registeredCommands();

// Prints "keytune-cli: <reason>" on standard error and returns exit status 1.
int fail(const std::string& reason);

}  // namespace cli
