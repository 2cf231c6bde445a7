#include "CliCommand.h"

#include <cstdio>

namespace cli {

static std::vector<CliCommandInfo>& commandTable() {
    static std::vector<CliCommandInfo> table;
    return table;
}

CliCommandRegistration::CliCommandRegistration(const char* name, const char* usage,
                                               CliHandler handler) {
    commandTable().push_back({name, usage, handler});
}

const std::vector<CliCommandInfo>& registeredCommands() { return commandTable(); }

int fail(const std::string& reason) {
    std::fprintf(stderr, "keytune-cli: %s\n", reason.c_str());
    return 1;
}

}  // namespace cli
