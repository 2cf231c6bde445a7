// Profile files: the default file's bytes, saving with the text pool, the
// header check, loading that never installs a damaged file, the folder.
#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "ProfileFile.h"
#include "ProfileHeader.h"
#include "ProfileLocations.h"
#include "ProfileTestSupport.h"

using namespace profiles;
using namespace testing_config;
using keys::AssignmentStore;

namespace {

// A store with two macros and the texts "a" on record 5 (type 3) and "bc" on
// record 700 (type 6).
void fillTwoMacrosTwoTexts(AssignmentStore& store) {
    CreateDefaultProfile(store);
    store.macros = {makeMacro(1, u"Ab", {{50, 0x01E, 0}, {0, 0x01E, 1}}), makeMacro(2, u"Cd", {})};
    store.block->records[5] = {keys::kAssignLaunch, 0, 0};
    store.setText(5, u"a");
    store.block->records[700] = {keys::kAssignTextBlock, 0, 0};
    store.setText(700, u"bc");
}

void setHeader(std::vector<uint8_t>& file, uint16_t macros, uint32_t textBytes, uint8_t flags = 0) {
    keys::WriteProfileHeader(file.data(), macros, textBytes, flags);
}

// The bytes of a saved file of that store, to damage case by case.
std::vector<uint8_t> savedTwoMacrosTwoTexts(const TempFolder& folder) {
    AssignmentStore store;
    fillTwoMacrosTwoTexts(store);
    const auto good = folder / "good.kpf";
    EXPECT_TRUE(SaveStoreToFile(good, store, true));
    return fileBytes(good);
}

template <typename Change>
std::vector<uint8_t> changed(std::vector<uint8_t> bytes, Change change) {
    change(bytes);
    return bytes;
}

}  // namespace

TEST(ProfileFile, DefaultFileBytes) {
    TempFolder folder;
    const auto path = folder / "new.kpf";
    ASSERT_TRUE(CreateDefaultProfile(path));
    const std::vector<uint8_t> file = fileBytes(path);
    ASSERT_EQ(file.size(), 32832u);
    const std::vector<uint8_t> header = {
        0x46, 0x44, 0x20, 0x00, 0x03, 0x00, 0x01, 0x00, 0x40, 0x80, 0x00, 0x00, 0x00,
        0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x76, 0x4B, 0x48, 0x20, 0x00, 0x20, 0x80, 0x00,
        0x00, 0x04, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x45, 0x0C, 0x04, 0x50,
        0x4F, 0x1C, 0x0E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 64), header);
    // G-key identifiers in area 0 only (aux is bytes 2..3 of a record).
    const size_t g1 = 64 + 256 * 16, g9b = 64 + 273 * 16, area1g1 = 64 + (512 + 256) * 16;
    EXPECT_EQ(file[g1 + 2], 0x01);
    EXPECT_EQ(file[g1 + 3], 0x03);
    EXPECT_EQ(file[g9b + 2], 0x09);
    EXPECT_EQ(file[g9b + 3], 0x13);
    EXPECT_EQ(file[area1g1 + 2], 0x00);
    EXPECT_EQ(ValidateProfileFile(path, *std::make_unique<ScriptedPrompts>()), kProfileValid);
}

TEST(ProfileFile, SavesMacrosAndPackedTextsAndLoadsThemBack) {
    TempFolder folder;
    AssignmentStore store;
    fillTwoMacrosTwoTexts(store);
    const auto path = folder / "two.kpf";
    ASSERT_TRUE(SaveStoreToFile(path, store, true));
    const std::vector<uint8_t> file = fileBytes(path);
    ASSERT_EQ(file.size(), 65866u);
    EXPECT_EQ(store.block->records[5].data, 0);
    EXPECT_EQ(store.block->records[700].data, 4);
    EXPECT_EQ(std::vector<uint8_t>(file.end() - 10, file.end()),
              (std::vector<uint8_t>{0x61, 0, 0, 0, 0x62, 0, 0x63, 0, 0, 0}));
    EXPECT_EQ(file[64 + 32768 + 506], 1);  // first macro's id

    AssignmentStore back;
    ASSERT_TRUE(LoadStoreFromFile(path, back));
    EXPECT_EQ(back.texts[5].text, u"a");
    EXPECT_EQ(back.texts[700].text, u"bc");
    EXPECT_EQ(back.texts[700].size, 6u);
    EXPECT_EQ(back.textTotal, 10);
    ASSERT_EQ(back.macros.size(), 2u);
    EXPECT_EQ(back.macros[0].nameText(), u"Ab");
    EXPECT_EQ(back.macros[0].actions[0].delayMs, 50u);
    EXPECT_EQ(back.block->records, store.block->records);

    // No temporary file is left beside it.
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(ProfileFile, TextRecordWithoutATextStillLoads) {
    TempFolder folder;
    AssignmentStore store;
    fillTwoMacrosTwoTexts(store);
    store.block->records[40] = {keys::kAssignTextBlock, 0, 12345};  // no text yet
    const auto path = folder / "empty-text.kpf";
    ASSERT_TRUE(SaveStoreToFile(path, store, true));
    EXPECT_EQ(fileBytes(path).size(), 65866u + 2);
    AssignmentStore back;
    ASSERT_TRUE(LoadStoreFromFile(path, back));
    EXPECT_EQ(back.block->records[40].type, keys::kAssignTextBlock);
    EXPECT_EQ(back.texts[40].text, u"");
    EXPECT_EQ(back.texts[700].text, u"bc");
    ASSERT_TRUE(SaveStoreToFile(path, back, true));
    EXPECT_EQ(fileBytes(path).size(), 65866u + 2) << "the empty text is saved once, not again";
}

TEST(ProfileFile, HeaderValidation) {
    TempFolder folder;
    const std::vector<uint8_t> valid = savedTwoMacrosTwoTexts(folder);
    ASSERT_FALSE(valid.empty());

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        int result;
        bool message;
    };
    const Case cases[] = {
        {"valid", valid, kProfileValid, false},
        {"checksum off by one", changed(valid, [](auto& b) { b[31]++; }), kProfileInvalid, true},
        {"wrong magic",
         changed(valid, [](auto& b) { b[0] = 'E', b[31] = keys::profileHeaderChecksum(b.data()); }),
         kProfileInvalid, true},
        {"flags 1 accepted", changed(valid, [](auto& b) { setHeader(b, 2, 10, 1); }), kProfileValid,
         false},
        {"flags 2", changed(valid, [](auto& b) { setHeader(b, 2, 10, 2); }), kProfileInvalid, true},
        {"101 macros with consistent sizes",
         changed(valid, [](auto& b) { setHeader(b, 101, 10), b.resize(32832 + 101 * 16512 + 10); }),
         kProfileInvalid, true},
        {"shorter on disk than announced", changed(valid, [](auto& b) { b.resize(40000); }),
         kProfileValid, false},
        {"32831 bytes", changed(valid, [](auto& b) { b.resize(32831); }), kProfileInvalid, false},
        {"empty", {}, kProfileInvalid, false},
    };

    for (const Case& c : cases) {
        const auto path = folder / "case.kpf";
        writeBytes(path, c.bytes);
        ScriptedPrompts prompts;
        EXPECT_EQ(ValidateProfileFile(path, prompts), c.result) << c.what;
        if (c.message) {
            EXPECT_EQ(prompts.shown, (std::vector<std::string>{"PROFILE_FORMAT_ERROR"})) << c.what;
            EXPECT_EQ(prompts.arguments, (std::vector<std::string>{path.string()})) << c.what;
        } else {
            EXPECT_TRUE(prompts.shown.empty()) << c.what;
        }
    }
    ScriptedPrompts prompts;
    EXPECT_EQ(ValidateProfileFile(folder / "missing.kpf", prompts), kProfileInvalid);
    EXPECT_EQ(ValidateProfileFile(folder.path(), prompts), kProfileInvalid);  // a folder
    EXPECT_TRUE(prompts.shown.empty());
}

TEST(ProfileFile, DamagedFilesNeverReplaceTheStore) {
    TempFolder folder;
    const std::vector<uint8_t> valid = savedTwoMacrosTwoTexts(folder);
    ASSERT_FALSE(valid.empty());

    const size_t record700 = 64 + 700 * 16;
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"shorter than the header announces",
         changed(valid, [](auto& b) { b.resize(b.size() - 1); })},
        {"text offset outside the pool", changed(valid, [&](auto& b) { b[record700 + 4] = 0x40; })},
        {"negative text offset", changed(valid, [&](auto& b) { b[record700 + 7] = 0xFF; })},
        {"text without terminator", changed(valid, [](auto& b) { b[b.size() - 2] = 'x'; })},
        {"more than 100 macros", changed(valid, [](auto& b) { setHeader(b, 101, 10); })},
        {"block cut short", changed(valid, [](auto& b) { b.resize(1000); })},
    };

    for (const auto& [what, bytes] : cases) {
        const auto path = folder / "damaged.kpf";
        writeBytes(path, bytes);
        AssignmentStore store;
        fillTwoMacrosTwoTexts(store);
        store.block->records[1] = {keys::kAssignDisabled, 0, 0};
        EXPECT_FALSE(LoadStoreFromFile(path, store)) << what;
        ASSERT_TRUE(store.block) << what;
        EXPECT_EQ(store.block->records[1].type, keys::kAssignDisabled) << what;
        EXPECT_EQ(store.macros.size(), 2u) << what;
        EXPECT_EQ(store.texts[700].text, u"bc") << what;
    }
    AssignmentStore store;
    EXPECT_FALSE(LoadStoreFromFile(folder / "missing.kpf", store));
}

TEST(ProfileFile, FailedSaveLeavesTheOldFile) {
    TempFolder folder;
    AssignmentStore store;
    fillTwoMacrosTwoTexts(store);
    const auto path = folder / "kept.kpf";
    ASSERT_TRUE(CreateDefaultProfile(path));
    const std::vector<uint8_t> before = fileBytes(path);

    // A store without a block has nothing to save.
    AssignmentStore empty;
    EXPECT_FALSE(SaveStoreToFile(path, empty, true));
    // A folder that cannot take the temporary file (unless running as root).
    if (::geteuid() != 0) {
        std::filesystem::permissions(
            folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_FALSE(SaveStoreToFile(path, store, true));
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
    }
    EXPECT_EQ(fileBytes(path), before);
}

TEST(ProfileFolder, SeedsLightModesOnceAndSharesOneCacheFile) {
    TempFolder folder;
    const auto templateFile = folder / "UserDengColor_3.userd";
    writeBytes(templateFile, {1, 2, 3});
    const ProfileLocations locations{folder / "user" / "Velkor TX20 Keyboard", templateFile};
    EnsureProfileFolder(locations);
    for (int n = 0; n <= 3; ++n)
        EXPECT_EQ(fileBytes(locations.folder / ("UserDengColor_" + std::to_string(n) + ".userd")),
                  (std::vector<uint8_t>{1, 2, 3}));
    writeBytes(locations.folder / "UserDengColor_1.userd", {9});
    EnsureProfileFolder(locations);  // the folder exists: nothing is copied again
    EXPECT_EQ(fileBytes(locations.folder / "UserDengColor_1.userd"), (std::vector<uint8_t>{9}));

    EXPECT_EQ(CachePath(locations, 2), CachePath(locations, 0));
    EXPECT_EQ(CachePath(locations, 0).filename(), "$Profile0");

    AssignmentStore store;
    CreateDefaultProfile(store);
    EXPECT_FALSE(SaveStoreToCache(CachePath(locations), store, true));
    EXPECT_FALSE(std::filesystem::exists(CachePath(locations))) << "no cache file is created";
}
