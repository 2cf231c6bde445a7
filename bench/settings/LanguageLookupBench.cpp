// A full relabelling's worth of language lookups: every TEXT key of the
// windows, every key name of the catalogue, the LIGHT labels and the MODE
// names, each resolved as a window does (language choice, then the file).
#include <stdlib.h>

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "keys/KeyCatalogue.h"
#include "settings/AtomicFile.h"
#include "settings/IniDocument.h"
#include "settings/IniFile.h"
#include "settings/LanguageTables.h"
#include "settings/SettingsPaths.h"
#include "support/TempFolder.h"

namespace {

struct Lookup {
    std::string section;
    std::string key;
};

// The program folder is the source tree's data folder; the language choice
// goes to a private configuration folder.
const std::vector<Lookup>& Relabelling() {
    static const std::vector<Lookup> lookups = [] {
        static const testsupport::TempFolder folder;
        const std::string& root = folder.path();
        ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
        settings::BuildUserPaths();
        settings::SetProgramFolder(std::string(KEYTUNE_SOURCE_DIR) + "/data");

        std::vector<Lookup> list;
        auto document = settings::LoadIniDocument(
            settings::LanguageFilePath(settings::GetProgramPaths().programFolder, 0));
        for (const auto& key : document->Keys("TEXT")) {
            if (key.rfind("IDS_KEYBOARD_", 0) != 0 && key.rfind("MEDIA_", 0) != 0) {
                list.push_back({"TEXT", key});
            }
        }
        for (const auto& row : keys::KeyTable) {
            if (row.nameKey[0] != '\0')
                list.push_back({"TEXT", row.nameKey});
        }
        for (const auto& key : document->Keys("LIGHT")) list.push_back({"LIGHT", key});
        for (const auto& key : document->Keys("MODE")) list.push_back({"MODE", key});
        return list;
    }();
    return lookups;
}

void BM_RelabelWithLoadText(benchmark::State& state) {
    const auto& lookups = Relabelling();
    for (auto _ : state) {
        for (const Lookup& l : lookups) {
            benchmark::DoNotOptimize(
                settings::LoadText(l.section, l.key, settings::GetLanguageIndex()));
        }
    }
    state.counters["lookups"] = static_cast<double>(lookups.size());
}
BENCHMARK(BM_RelabelWithLoadText)->Unit(benchmark::kMicrosecond);

// For comparison: reading and parsing the language file on every lookup.
void BM_RelabelParsingEveryLookup(benchmark::State& state) {
    const auto& lookups = Relabelling();
    std::string file = settings::LanguageFilePath(settings::GetProgramPaths().programFolder, 0);
    for (auto _ : state) {
        for (const Lookup& l : lookups) {
            auto bytes = settings::ReadWholeFile(file);
            auto document = settings::IniDocument::Parse(*bytes);
            benchmark::DoNotOptimize(document.Find(l.section, l.key));
        }
    }
    state.counters["lookups"] = static_cast<double>(lookups.size());
}
BENCHMARK(BM_RelabelParsingEveryLookup)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
