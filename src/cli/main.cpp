// keytune-cli: command-line access to the same core the Keytune window uses,
// for scripting and diagnostics.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "CliCommand.h"

namespace {

std::string executableFolder(const char* argv0) {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) self = std::filesystem::absolute(argv0, error);
    return self.parent_path().string();
}

// Usage lines come from several command files: "  keytune-cli WORDS   what it
// does". The descriptions are lined up here in one column; continuation lines
// are printed as they are.
void printUsageLines(FILE* out, const std::string& usage) {
    constexpr size_t kDescriptionColumn = 40;
    std::regex line(R"(^(\s*keytune-cli \S.*?)\s{2,}(\S.*)$)");
    size_t start = 0;
    while (start <= usage.size()) {
        size_t end = usage.find('\n', start);
        if (end == std::string::npos)
            end = usage.size();
        std::string text = usage.substr(start, end - start);
        std::smatch parts;
        if (std::regex_match(text, parts, line)) {
            std::string head = parts[1].str();
            head.resize(std::max(head.size() + 2, kDescriptionColumn), ' ');
            text = head + parts[2].str();
        }
        std::fprintf(out, "%s\n", text.c_str());
        start = end + 1;
    }
}

int printUsage(FILE* out) {
    std::fprintf(out, "usage: keytune-cli [--profile P] COMMAND [ARGS...]\n\ncommands:\n");
    auto commands = cli::registeredCommands();
    std::sort(commands.begin(), commands.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    for (const auto& command : commands) printUsageLines(out, command.usage);
    return out == stdout ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    cli::CliContext context;
    context.programFolder = executableFolder(argv[0]);

    int i = 1;
    for (; i < argc; ++i) {
        std::string word = argv[i];
        if (word == "--profile" && i + 1 < argc) {
            char* end = nullptr;
            long value = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || value < 0 || value > 2) return cli::fail("bad profile (0..2)");
            context.profile = static_cast<int>(value);
        } else if (word == "-h" || word == "--help" || word == "help") {
            return printUsage(stdout);
        } else {
            break;
        }
    }
    if (i >= argc) return printUsage(stderr);

    std::string name = argv[i];
    for (int k = i + 1; k < argc; ++k) context.args.emplace_back(argv[k]);
    for (const auto& command : cli::registeredCommands()) {
        if (command.name == name) return command.handler(context);
    }
    std::fprintf(stderr, "keytune-cli: unknown command \"%s\"\n", name.c_str());
    return printUsage(stderr);
}
