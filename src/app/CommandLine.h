// CommandLine.h - the arguments Keytune understands, compared without regard
// to case: "/Kill" (or --kill) closes the running instance, "/Start" (or
// --start) stays in the notification area when the keyboard is found,
// --help and --version print and end. Anything else is ignored.
#pragma once

#include <QStringList>

namespace app {

struct CommandLine {
    bool kill = false;
    bool start = false;
    bool help = false;
    bool version = false;
};

// `arguments` without the program name.
CommandLine ParseCommandLine(const QStringList& arguments);

// The text --help prints.
QString UsageText();

}  // namespace app
