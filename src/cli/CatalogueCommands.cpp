// CatalogueCommands.cpp - "keys" lists the key catalogue, "text" looks one
// language text up, both as the program's windows would see them.
#include <cstdio>

#include "CliCommand.h"
#include "keys/KeyCatalogue.h"
#include "settings/LanguageTables.h"
#include "settings/SettingsPaths.h"

namespace {

int listKeys(cli::CliContext& context) {
    if (!context.args.empty())
        return cli::fail("keys takes no arguments");
    settings::SetProgramFolder(context.programFolder);
    for (int index = 0; index < keys::kKeyTableSize; ++index) {
        const keys::KeyRow& row = keys::KeyTable[index];
        if (row.empty())
            continue;
        keys::KeyCode code = keys::IndexToCode(static_cast<keys::KeyIndex>(index));
        char chooser[16];
        if (row.chooser >= keys::kChooserOutsideFirst && row.chooser <= keys::kChooserOutsideLast) {
            std::snprintf(chooser, sizeof chooser, "0x%04X", static_cast<uint16_t>(row.chooser));
        } else {
            std::snprintf(chooser, sizeof chooser, "%d", row.chooser);
        }
        std::printf("%d\t0x%03X\t%s\t0x%02X\t%s\t0x%02X\t0x%02X\t%s\n", index, code,
                    row.nameKey[0] != '\0' ? row.nameKey : "-", row.usage, chooser, row.vk,
                    row.altVk, keys::KeyName(code).c_str());
    }
    return 0;
}

int showText(cli::CliContext& context) {
    if (context.args.size() != 2)
        return cli::fail("usage: keytune-cli text SECTION KEY");
    settings::SetProgramFolder(context.programFolder);
    std::string text =
        settings::LoadText(context.args[0], context.args[1], settings::GetLanguageIndex());
    std::printf("%s\n", text.c_str());
    return 0;
}

cli::CliCommandRegistration keysCommand(
    "keys", "  keytune-cli keys                 list the key catalogue (tab-separated)", &listKeys);
cli::CliCommandRegistration textCommand(
    "text", "  keytune-cli text SECTION KEY     print one text of the language file", &showText);

}  // namespace
