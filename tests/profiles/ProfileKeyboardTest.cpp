// Whole configurations through the device link to the virtual keyboard's
// firmware and back: import, export, the capacity rules, and a keyboard
// pulled out in the middle of an import.
#include <gtest/gtest.h>

#include <set>

#include "ConfigTestSupport.h"
#include "DeviceKeyboardCommands.h"
#include "DeviceTestSupport.h"
#include "KeyCatalogue.h"
#include "KeyMapCodec.h"
#include "KeyboardReads.h"
#include "MacroImage.h"
#include "ProfileFile.h"
#include "ProfileOperations.h"
#include "ProfileTestSupport.h"
#include "support/FirmwareResponder.h"
#include "vkbd/Firmware.h"

using namespace profiles;
using namespace testing_config;
using keys::KeyAssignment;

namespace {

std::vector<macros::MacroRecord> namedMacros(size_t nameUnits) {
    using macros::MacroAction;
    std::vector<macros::MacroRecord> list;
    const uint16_t keysUsed[] = {0x01E, 0x02A, 0x171, 0x162, 0x15E, 0x148, 0x036, 0x11C};
    for (uint16_t id = 1; id <= 5; ++id) {
        std::vector<MacroAction> actions;
        for (size_t a = 0; a < 6u * id; ++a)
            actions.push_back({static_cast<uint32_t>(10 * ((a * 37) % 4096)),
                               keysUsed[(a + id) % 8], static_cast<uint16_t>(a % 2)});
        std::u16string name = u"Macro ";
        name += static_cast<char16_t>(u'A' + id);
        name += std::u16string(nameUnits, u'é');
        list.push_back(makeMacro(id, name, actions, static_cast<uint8_t>(id * 40)));
    }
    return list;
}

// What a record looks like after a trip through the keyboard: the keyboard
// keeps no texts, so a launch-program key is its factory function again and
// a text-block key does nothing.
KeyAssignment afterKeyboard(const KeyAssignment& r) {
    if (r.type == keys::kAssignLaunch)
        return {keys::kAssignDefault, 0, 0};
    if (r.type == keys::kAssignTextBlock)
        return {keys::kAssignDisabled, 0, 0};
    return {r.type, 0, r.data};
}

class ProfileKeyboardTest : public fake::LinkedFakeTest {
  protected:
    ProfileKeyboardTest()
        : commands(link.commands()),
          session{
              model, commands, prompts, host, {folder / "profiles", folder / "template.userd"}} {
        useFirmware({});
        keyboard.setResponder(
            [this](const fake::FrameBytes& request, int index) -> std::optional<fake::FrameBytes> {
                const int limit = pullOutAt.load();
                if (limit >= 0 && index >= limit) {
                    keyboard.deviceCount = 0;  // pulled out: this request is never answered
                    return std::nullopt;
                }
                return testsupport::firmwareAnswer(*firmware, request);
            });
    }

    void useFirmware(vkbd::FirmwareConfig config) {
        firmware = std::make_unique<vkbd::Firmware>(config);
    }

    // The arrival reads, then a store with assignments of every type in all
    // three profiles, texts, and the given macros, saved as a profile file.
    std::filesystem::path prepareImport(const macros::MacroList& macroList) {
        EXPECT_TRUE(ReadArrivalData(model, commands, prompts));
        const keys::KeyMap defaults = model.defaultKeyMap.get();
        std::vector<uint16_t> keyIndexes;
        for (size_t k = 0; k < keys::kKeyMapPositions; ++k)
            if (const uint16_t code = keys::DecodeEntry(&defaults[k * 3]))
                keyIndexes.push_back(keys::CodeToIndex(code));
        EXPECT_GT(keyIndexes.size(), 100u);

        const uint16_t targets[] = {0x02A, 0x138, 0x173, 0x162, 0x161, 0x171,
                                    0x030, 0x01E, 0x15C, 0x130, 0x039, 0x11D};
        imported.releaseAll();
        CreateDefaultProfile(imported);
        imported.macros = macroList;
        for (int p = 0; p < 3; ++p) {
            for (size_t n = 0; n < keyIndexes.size(); ++n) {
                const uint16_t index = keyIndexes[n];
                KeyAssignment& r = *keys::RecordAt(imported, p, index);
                const size_t v = (n + static_cast<size_t>(p) * 3) % 9;
                const int32_t salt = static_cast<int32_t>(n + static_cast<size_t>(p));
                switch (v) {
                    case 0:
                        r = {keys::kAssignDisabled, 0, 0};
                        break;
                    case 1: {
                        uint16_t t = targets[salt % 12];
                        if (keys::CodeToIndex(t) == index)
                            t = 0x02F;  // never itself
                        r = {keys::kAssignKey, 0, t};
                        break;
                    }
                    case 2:
                        r = {keys::kAssignLaunch, 0, 0};
                        imported.setText(static_cast<size_t>(p) * 512 + index, u"/usr/bin/true");
                        break;
                    case 3:
                        r = {keys::kAssignMacro, 3,
                             static_cast<int32_t>(macroList.empty() ? 0
                                                                    : 1 + salt % macroList.size())};
                        if (macroList.empty())
                            r = {keys::kAssignStopMacro, 0, 0};
                        break;
                    case 4:
                        r = {keys::kAssignStopMacro, 0, 0};
                        break;
                    case 5:
                        r = {keys::kAssignTextBlock, 0, 0};
                        imported.setText(static_cast<size_t>(p) * 512 + index, u"hello, world");
                        break;
                    case 6:
                        r = {keys::kAssignMedia, 0, salt % 18};
                        break;
                    case 7:
                        r = {keys::kAssignFunction, 0, salt % 11};
                        break;
                    default:
                        break;  // factory function
                }
            }
        }
        for (int p = 0; p < 3; ++p) {
            std::set<uint16_t> types;
            for (size_t k = 0; k < keys::kRecordsPerArea; ++k)
                types.insert(imported.block->area(p)[k].type);
            EXPECT_EQ(types.size(), macroList.empty() ? 8u : 9u) << "every type in profile " << p;
        }
        imported.block->area(3)[7] = {keys::kAssignDisabled, 0, 0};  // area 3 is only carried
        const auto path = folder / "import.kpf";
        EXPECT_TRUE(SaveStoreToFile(path, imported, true));
        return path;
    }

    void expectKeyboardHolds(const keys::AssignmentStore& back, bool withNames) {
        ASSERT_TRUE(back.block);
        for (int p = 0; p < 3; ++p)
            for (size_t k = 0; k < keys::kRecordsPerArea; ++k) {
                const KeyAssignment want = afterKeyboard(imported.block->area(p)[k]);
                const KeyAssignment& got = back.block->area(p)[k];
                ASSERT_EQ(got.type, want.type) << "profile " << p << " record " << k;
                ASSERT_EQ(got.data, want.data) << "profile " << p << " record " << k;
            }
        ASSERT_EQ(back.macros.size(), imported.macros.size());
        for (size_t i = 0; i < back.macros.size(); ++i) {
            const macros::MacroRecord& got = back.macros[i];
            const macros::MacroRecord& want = imported.macros[i];
            const std::u16string name =
                withNames ? want.nameText() : u"Macro " + std::u16string(1, char16_t(u'1' + i));
            EXPECT_EQ(got.nameText(), name);
            EXPECT_EQ(got.id, i + 1);
            EXPECT_EQ(got.cycles, want.cycles);
            ASSERT_EQ(got.actionCount, want.actionCount);
            for (size_t a = 0; a < got.actionCount; ++a) {
                EXPECT_EQ(got.actions[a].delayMs, want.actions[a].delayMs);
                EXPECT_EQ(got.actions[a].key, want.actions[a].key);
                EXPECT_EQ(got.actions[a].release, want.actions[a].release);
            }
        }
        EXPECT_EQ(back.textTotal, 0) << "the keyboard keeps no texts";
    }

    std::unique_ptr<keys::AssignmentStore> exportFromKeyboard() {
        const auto path = folder / "export.kpf";
        auto back = std::make_unique<keys::AssignmentStore>();
        EXPECT_TRUE(ReadKeyboardIntoFile(model, commands, prompts, path));
        EXPECT_EQ(ValidateProfileFile(path, prompts), kProfileValid);
        EXPECT_TRUE(LoadStoreFromFile(path, *back));
        return back;
    }

    TempFolder folder;
    std::unique_ptr<vkbd::Firmware> firmware;
    std::atomic<int> pullOutAt{-1};
    DeviceKeyboardCommands commands;
    keys::ConfigModel model;
    ScriptedPrompts prompts;
    TestHost host;
    ConfigSession session;
    keys::AssignmentStore imported;
};

}  // namespace

TEST_F(ProfileKeyboardTest, ImportThenExportGivesTheSameConfiguration) {
    const auto path = prepareImport(namedMacros(10));
    host.pending = true;
    ASSERT_TRUE(ImportProfileFile(session, path));
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_FALSE(host.pending);
    expectKeyboardHolds(*exportFromKeyboard(), true);
}

TEST_F(ProfileKeyboardTest, NamesThatDoNotFitAreLeftOut) {
    const macros::MacroList list = namedMacros(120);
    const macros::ImageSizes sizes = macros::ComputeImageSizes(list);
    const auto units = static_cast<uint8_t>((sizes.withoutNames + 127) / 128);
    ASSERT_LT(units * 128u, sizes.full);
    useFirmware({0x0102, units, {}});
    ASSERT_TRUE(ImportProfileFile(session, prepareImport(list)));
    EXPECT_EQ(prompts.shown, (std::vector<std::string>{"EXTRA_PROFILE_SPACE_TIGHT"}));
    expectKeyboardHolds(*exportFromKeyboard(), false);
}

TEST_F(ProfileKeyboardTest, MacrosTooLargeEvenWithoutNamesWriteNothing) {
    const macros::MacroList list = namedMacros(10);
    const macros::ImageSizes sizes = macros::ComputeImageSizes(list);
    const auto units = static_cast<uint8_t>(sizes.withoutNames / 128);
    ASSERT_LT(units * 128u, sizes.withoutNames);
    useFirmware({0x0102, units, {}});
    const auto path = prepareImport(list);
    const std::vector<uint8_t> mapsBefore = firmware->keyMaps();
    const std::vector<uint8_t> macrosBefore = firmware->macroMemory();
    const size_t writesBefore = keyboard.writeCount();

    EXPECT_FALSE(ImportProfileFile(session, path));
    EXPECT_EQ(prompts.shown, (std::vector<std::string>{"EXTRA_MACRO_TOO_LONG"}));
    EXPECT_EQ(keyboard.writeCount(), writesBefore);
    EXPECT_EQ(firmware->keyMaps(), mapsBefore);
    EXPECT_EQ(firmware->macroMemory(), macrosBefore);
    EXPECT_TRUE(host.pending) << "the imported configuration waits for the next Apply";
    EXPECT_EQ(model.working.macros.size(), list.size());
}

TEST_F(ProfileKeyboardTest, KeyboardPulledOutDuringImport) {
    const auto path = prepareImport(namedMacros(10));
    EnsureProfileFolder(session.locations);
    const auto cache = CachePath(session.locations);
    ASSERT_TRUE(CreateDefaultProfile(cache));

    pullOutAt = static_cast<int>(keyboard.writeCount()) + 6;  // inside the macro memory write
    EXPECT_FALSE(ImportProfileFile(session, path));
    EXPECT_TRUE(host.pending);

    // The cache holds the imported configuration, whole; nothing is torn.
    keys::AssignmentStore cached;
    ASSERT_TRUE(LoadStoreFromFile(cache, cached));
    EXPECT_EQ(cached.block->records, imported.block->records);
    EXPECT_EQ(cached.macros.size(), imported.macros.size());
    for (const auto& entry : std::filesystem::directory_iterator(session.locations.folder))
        EXPECT_EQ(entry.path().filename().string().rfind('.', 0), std::string::npos)
            << "temporary file left: " << entry.path();
    // The working store keeps what was imported.
    {
        std::lock_guard<std::recursive_mutex> guard(model.working.lock());
        EXPECT_EQ(model.working.block->records, imported.block->records);
        EXPECT_EQ(model.working.texts[2 * 512 + 0x039].text, imported.texts[2 * 512 + 0x039].text);
    }

    // Plugged in again, the next Apply writes it.
    pullOutAt = -1;
    keyboard.deviceCount = 1;
    ASSERT_TRUE(ApplyChanges(session));
    EXPECT_FALSE(host.pending);
    const int current = firmware->currentProfile();
    const keys::KeyMap expected = keys::BuildKeyMap(model, current);
    const std::vector<uint8_t>& maps = firmware->keyMaps();
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), maps.begin() + current * 378));
    const macros::ImageSizes sizes = macros::ComputeImageSizes(model.working.macros);
    const std::vector<uint8_t> image =
        macros::BuildMacroImage(model.working.macros, sizes.full, true);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), firmware->macroMemory().begin()));
}

TEST_F(ProfileKeyboardTest, KeyboardWithoutMacrosExportsNone) {
    ASSERT_TRUE(ReadArrivalData(model, commands, prompts));
    EXPECT_EQ(model.macroCapacity.load(), 64u * 128);
    const auto back = exportFromKeyboard();
    EXPECT_TRUE(back->macros.empty());
    for (int p = 0; p < 3; ++p)
        for (size_t k = 0; k < 256; ++k)
            ASSERT_EQ(back->block->area(p)[k].type, keys::kAssignDefault);
}
