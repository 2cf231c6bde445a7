// ConfigCommands.cpp - profile files from the command line: export the
// keyboard's configuration, import a file into it, validate, show and create
// files. The operations are the program's own; their messages go to standard
// error as language texts.
#include <cstdio>
#include <filesystem>
#include <string>

#include "CliCommand.h"
#include "DeviceKeyboardCommands.h"
#include "DeviceSession.h"
#include "KeyboardReads.h"
#include "ProfileFile.h"
#include "ProfileOperations.h"
#include "keys/KeyCatalogue.h"
#include "settings/LanguageTables.h"
#include "settings/SettingsPaths.h"
#include "settings/TextFormat.h"
#include "settings/Utf16.h"

namespace {

using settings::Utf16ToUtf8;

// Messages on standard error; questions are answered with the preselected No,
// since nobody is there to answer them.
class ConsolePrompts : public keys::Prompts {
  public:
    void showMessage(std::string_view key, bool,
                     const std::optional<std::string>& argument) override {
        std::string message = text(key);
        if (argument)
            message = settings::FormatText(message, {*argument});
        std::fprintf(stderr, "%s\n", message.c_str());
        ++shown;
    }
    bool askYesNo(std::string_view key) override {
        std::fprintf(stderr, "%s [No]\n", text(key).c_str());
        return false;
    }
    std::string text(std::string_view key) override { return settings::LoadTextString(key); }

    int shown = 0;
};

// The command line has no Apply button; the mark is only remembered.
class ConsoleHost : public profiles::ProfileHost {
  public:
    bool hasPendingChanges() override { return pending; }
    void setPendingChanges(bool value) override { pending = value; }
    bool pending = false;
};

// The FILE of a file command, its only argument; the program folder is set
// so that messages come in the program's language. Returns 0, or the exit
// status after printing the usage.
int fileArgument(const cli::CliContext& context, const char* command, std::string& path) {
    if (context.args.size() != 1)
        return cli::fail(std::string("usage: keytune-cli ") + command + " FILE");
    path = context.args[0];
    settings::SetProgramFolder(context.programFolder);
    return 0;
}

int exportCommand(cli::CliContext& context) {
    std::string path;
    if (int status = fileArgument(context, "export", path))
        return status;
    cli::DeviceSession device;
    if (int status = device.open(context))
        return status;
    profiles::DeviceKeyboardCommands keyboard(device.commands());
    keys::ConfigModel model;
    ConsolePrompts prompts;
    profiles::ReadArrivalData(model, keyboard, prompts);
    if (!profiles::ReadKeyboardIntoFile(model, keyboard, prompts, path)) {
        if (!model.defaultKeyMap.fromKeyboard())
            prompts.showMessage("KEYMAP_DEFAULT_UNREAD", false, std::nullopt);
        return cli::fail("export: the keyboard's configuration could not be read into " + path);
    }
    return 0;
}

int importCommand(cli::CliContext& context) {
    std::string path;
    if (int status = fileArgument(context, "import", path))
        return status;
    cli::DeviceSession device;
    if (int status = device.open(context))
        return status;
    profiles::DeviceKeyboardCommands keyboard(device.commands());
    keys::ConfigModel model;
    profiles::CreateDefaultProfile(model.working);
    ConsolePrompts prompts;
    ConsoleHost host;
    profiles::ReadArrivalData(model, keyboard, prompts);
    profiles::ConfigSession session{model, keyboard, prompts, host,
                                    profiles::defaultProfileLocations(context.programFolder)};
    if (!profiles::ImportProfileFile(session, path))
        return cli::fail("import: " + path + " was not written to the keyboard");
    return 0;
}

int validateCommand(cli::CliContext& context) {
    std::string path;
    if (int status = fileArgument(context, "validate", path))
        return status;
    ConsolePrompts prompts;
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return cli::fail(path + ": no such file");
    const int result = profiles::ValidateProfileFile(path, prompts);
    if (result == profiles::kProfileUnopenable)
        return cli::fail(path + ": cannot be opened");
    if (result == profiles::kProfileNoMemory)
        return cli::fail(path + ": out of memory");
    if (result != profiles::kProfileValid)
        return cli::fail(path + (prompts.shown ? ": the profile header is not valid"
                                               : ": not a profile file (wrong size)"));
    keys::AssignmentStore store;
    if (!profiles::LoadStoreFromFile(path, store))
        return cli::fail(path +
                         ": the file is shorter than its header says or a text lies outside it");
    std::printf("%s: valid\n", path.c_str());
    return 0;
}

std::string keyNameOfIndex(size_t index) {
    if (index >= keys::kFirstGRecord && index <= keys::kLastGRecord) {
        const size_t n = index - keys::kFirstGRecord;
        return "G" + std::to_string(n % 9 + 1) + (n < 9 ? " (layer A)" : " (layer B)");
    }
    return keys::KeyName(keys::IndexToCode(static_cast<keys::KeyIndex>(index)));
}

// Units that make a terminal act instead of print: C0 and C1 controls, DEL,
// and the bidirectional overrides that reorder what follows them.
bool actsOnTerminal(char16_t unit) {
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F) || (unit >= 0x202A && unit <= 0x202E) ||
           (unit >= 0x2066 && unit <= 0x2069);
}

// A text from a file in quotes, printable whatever it holds: such units come
// out as \xNN or \uNNNN, and a backslash or quote is escaped too, so that
// the escapes are unambiguous.
std::string quoted(const std::u16string& text) {
    std::u16string plain;
    std::string out = "\"";
    auto flush = [&] {
        out += Utf16ToUtf8(plain);
        plain.clear();
    };
    for (char16_t unit : text) {
        if (unit == u'\\' || unit == u'"') {
            plain.push_back(u'\\');
            plain.push_back(unit);
        } else if (actsOnTerminal(unit)) {
            flush();
            char escape[8];
            std::snprintf(escape, sizeof escape, unit < 0x100 ? "\\x%02x" : "\\u%04x",
                          static_cast<unsigned>(unit));
            out += escape;
        } else {
            plain.push_back(unit);
        }
    }
    flush();
    return out + "\"";
}

std::string describe(const keys::AssignmentStore& store, size_t recordIndex) {
    const keys::KeyAssignment& r = store.block->records[recordIndex];
    switch (r.type) {
        case keys::kAssignDisabled:
            return "disabled";
        case keys::kAssignKey:
            return "acts as " + keys::KeyName(static_cast<keys::KeyCode>(r.data));
        case keys::kAssignLaunch:
            return "launches " + quoted(store.texts[recordIndex].text);
        case keys::kAssignMacro: {
            const uint16_t id = static_cast<uint16_t>(r.data & 0xFFFF);
            std::string name = "(no such macro)";
            for (const macros::MacroRecord& m : store.macros)
                if (m.id == id)
                    name = quoted(m.nameText());
            return "plays macro " + std::to_string(id) + " " + name;
        }
        case keys::kAssignStopMacro:
            return "stops the playing macro";
        case keys::kAssignTextBlock:
            return "types " + quoted(store.texts[recordIndex].text);
        case keys::kAssignMedia:
            if (r.data >= 0 && r.data < keys::kMediaKeyCount)
                return "media key " +
                       keys::KeyName(keys::MediaKeyList[static_cast<size_t>(r.data)].key);
            return "media key " + std::to_string(r.data) + " (unknown)";
        case keys::kAssignFunction:
            return "keyboard function " + std::to_string(r.data) + " (" +
                   settings::LoadTextString("FUNC_KEY_DESC" + std::to_string(r.data + 1)) + ")";
        default:
            return "unknown assignment type " + std::to_string(r.type);
    }
}

int showCommand(cli::CliContext& context) {
    std::string path;
    if (int status = fileArgument(context, "show", path))
        return status;
    ConsolePrompts prompts;
    if (profiles::ValidateProfileFile(path, prompts) != profiles::kProfileValid)
        return cli::fail(path + ": not a valid profile file");
    keys::AssignmentStore store;
    if (!profiles::LoadStoreFromFile(path, store))
        return cli::fail(path + ": cannot be loaded");

    for (int p = 0; p < keys::kProfileCount; ++p) {
        std::printf("profile %d:\n", p);
        int assigned = 0;
        for (size_t k = 0; k <= keys::kLastGRecord; ++k) {
            const size_t index = static_cast<size_t>(p) * keys::kRecordsPerArea + k;
            if (store.block->records[index].type == keys::kAssignDefault)
                continue;
            std::printf("  %s: %s\n", keyNameOfIndex(k).c_str(), describe(store, index).c_str());
            ++assigned;
        }
        if (assigned == 0)
            std::printf("  every key keeps its factory function\n");
    }
    std::printf("macros: %zu\n", store.macros.size());
    for (const macros::MacroRecord& m : store.macros) {
        std::printf("  macro %u %s, repeat %u, %u actions\n", m.id, quoted(m.nameText()).c_str(),
                    m.cycles, m.actionCount);
        for (size_t a = 0; a < m.actionCount; ++a) {
            const macros::MacroAction& action = m.actions[a];
            std::printf("    %s %s, then %u ms\n", action.release == 1 ? "release" : "press",
                        keys::KeyName(action.key).c_str(), action.delayMs);
        }
    }
    return 0;
}

int newCommand(cli::CliContext& context) {
    std::string path;
    if (int status = fileArgument(context, "new", path))
        return status;
    if (!profiles::CreateDefaultProfile(std::filesystem::path(path)))
        return cli::fail(path + ": cannot be written");
    return 0;
}

cli::CliCommandRegistration exportRegistration(
    "export",
    "  keytune-cli export FILE          the keyboard's whole configuration into a profile file",
    &exportCommand);
cli::CliCommandRegistration importRegistration("import",
                                               "  keytune-cli import FILE          write a profile "
                                               "file to the keyboard (all profiles and macros)",
                                               &importCommand);
cli::CliCommandRegistration validateRegistration(
    "validate",
    "  keytune-cli validate FILE        check a profile file; the reason when it is not valid",
    &validateCommand);
cli::CliCommandRegistration showRegistration("show",
                                             "  keytune-cli show FILE            list a profile "
                                             "file: assigned keys per profile and the macros",
                                             &showCommand);
cli::CliCommandRegistration newRegistration(
    "new", "  keytune-cli new FILE             create a default profile file", &newCommand);

}  // namespace
