#include "CommandLine.h"

namespace app {

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (const QString& argument : arguments) {
        const QString word = argument.toLower();
        if (word == "/kill" || word == "--kill")
            line.kill = true;
        else if (word == "/start" || word == "--start")
            line.start = true;
        else if (word == "--help" || word == "-h" || word == "/?")
            line.help = true;
        else if (word == "--version")
            line.version = true;
    }
    return line;
}

QString UsageText() {
    return QStringLiteral(
        "Usage: keytune [/Start | --start] [/Kill | --kill]\n"
        "Sets up the Velkor TX20 keyboard: key assignments, macros, lighting and profiles.\n"
        "\n"
        "  /Start, --start   stay in the notification area when the keyboard is found\n"
        "  /Kill, --kill     close the running Keytune and end\n"
        "  --help            show this text\n"
        "  --version         show the version\n"
        "\n"
        "A second start shows the window of the Keytune that is already running.\n");
}

}  // namespace app
