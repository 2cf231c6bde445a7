#include "KeyboardWriter.h"

#include <mutex>
#include <new>
#include <vector>

#include "KeyMapCodec.h"
#include "LittleEndian.h"
#include "MacroImage.h"
#include "ProfileHeader.h"

namespace keys {

namespace {

constexpr int kOk = 1;
constexpr size_t kDeviceInfoSize = 44;
constexpr size_t kDeviceInfoCapacityAt = 11;
constexpr uint32_t kCapacityUnit = 128;  // bytes per unit of the capacity byte

bool writeAssignments(ConfigModel& model, KeyboardCommands& keyboard, Prompts& prompts,
                      bool allProfiles) {
    if (!EnsureKeyboardDefaultKeyMap(model, keyboard)) {
        prompts.showMessage("KEYMAP_DEFAULT_UNREAD", true);
        return false;
    }
    // A capacity of 0 means the information block was never read; sizing the
    // macros against it would blame the macros for a keyboard that did not answer.
    if (model.macroCapacity.load() == 0 && !ReadMacroCapacity(model, keyboard)) {
        prompts.showMessage("DEVICE_INFO_UNREAD", true);
        return false;
    }
    macros::PreparedImage image;
    {
        std::lock_guard<std::recursive_mutex> device(model.device.lock());
        image = macros::PrepareMacroImage(model.device.macros, model.macroCapacity.load());
    }
    if (image.plan == macros::ImagePlan::TooLarge) {
        prompts.showMessage("EXTRA_MACRO_TOO_LONG", true);
        return false;
    }

    std::vector<int> profiles;
    if (allProfiles) {
        profiles = {0, 1, 2};
    } else {
        const int current = keyboard.GetCurrentProfile();
        // Without a known current profile no map can be addressed; sending the
        // macros alone would shift the macro positions the keyboard's maps use.
        if (current < 0 || current >= kProfileCount)
            return false;
        profiles = {current};
    }
    std::vector<KeyMap> maps;
    for (int p : profiles) maps.push_back(BuildKeyMap(model, p));

    keyboard.BeginTransfer();
    bool ok = keyboard.WriteMacroMemory(image.bytes.data(), image.bytes.size()) == kOk;
    // A failed map does not stop the maps of the following profiles.
    for (size_t i = 0; i < maps.size(); ++i)
        ok = (keyboard.WriteKeyMap(maps[i].data(), profiles[i]) == kOk) && ok;
    keyboard.EndTransfer();

    if (image.plan == macros::ImagePlan::WithoutNames)
        prompts.showMessage("EXTRA_PROFILE_SPACE_TIGHT", true);
    return ok;
}

// The device store becomes a copy of the working store: the block with a
// fresh header, the macro list, and the texts packed into one pool.
void copyIntoDeviceStore(ConfigModel& model) {
    AssignmentStore& dev = model.device;
    auto block = std::make_unique<AssignmentBlock>(*model.working.block);
    const size_t textTotal =
        model.working.textTotal > 0 ? static_cast<size_t>(model.working.textTotal) : 0;
    WriteProfileHeader(block->header.data(), model.working.macroCount(),
                       static_cast<uint32_t>(textTotal), 0);
    dev.macros = model.working.macros;
    dev.textPool = packTexts(model.working.texts, *block, textTotal);
    dev.textTotal = static_cast<int32_t>(textTotal);
    dev.block = std::move(block);
}

}  // namespace

bool EnsureKeyboardDefaultKeyMap(ConfigModel& model, KeyboardCommands& keyboard) {
    if (model.defaultKeyMap.fromKeyboard())
        return true;
    KeyMap map{};
    if (keyboard.ReadDefaultKeyMap(map.data()) != kOk)
        return false;
    model.defaultKeyMap.set(map);
    return true;
}

bool ReadMacroCapacity(ConfigModel& model, KeyboardCommands& keyboard) {
    uint8_t info[kDeviceInfoSize] = {};
    if (keyboard.ReadDeviceInfo(info) != kOk)
        return false;
    model.macroCapacity = info[kDeviceInfoCapacityAt] * kCapacityUnit;
    return true;
}

std::vector<uint8_t> packTexts(const std::vector<TextSlot>& texts, AssignmentBlock& block,
                               size_t poolSize) {
    std::vector<uint8_t> pool(poolSize, 0);
    size_t offset = 0;
    for (size_t i = 0; i < kRecordCount && i < texts.size(); ++i) {
        const TextSlot& slot = texts[i];
        if (slot.size == 0 || !carriesText(block.records[i].type))
            continue;
        if (offset + slot.size > poolSize)
            continue;
        // The slot size counts the terminator; units beyond the text stay zero.
        for (size_t u = 0; u < slot.text.size() && 2 * u + 2 < slot.size; ++u)
            le::put16(&pool[offset + 2 * u], slot.text[u]);
        block.records[i].data = static_cast<int32_t>(offset);
        offset += slot.size;
    }
    return pool;
}

bool WriteAssignments(ConfigModel& model, KeyboardCommands& keyboard, Prompts& prompts,
                      bool allProfiles) {
    try {
        return writeAssignments(model, keyboard, prompts, allProfiles);
    } catch (const std::bad_alloc&) {
        return false;  // no memory for the image or the maps: nothing more is sent
    }
}

bool ApplyToKeyboard(ConfigModel& model, KeyboardCommands& keyboard, Prompts& prompts,
                     bool allProfiles) {
    std::lock_guard<std::recursive_mutex> working(model.working.lock());
    std::lock_guard<std::recursive_mutex> device(model.device.lock());
    AssignmentStore& dev = model.device;
    dev.releaseAll();
    if (!model.working.block)
        return false;
    try {
        copyIntoDeviceStore(model);
    } catch (const std::bad_alloc&) {
        dev.releaseAll();  // nothing is written without a complete copy
        return false;
    }
    return WriteAssignments(model, keyboard, prompts, allProfiles);
}

}  // namespace keys
