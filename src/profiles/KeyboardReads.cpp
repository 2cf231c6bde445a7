#include "KeyboardReads.h"

#include <algorithm>
#include <new>
#include <vector>

#include "KeyMapCodec.h"
#include "KeyboardWriter.h"
#include "LittleEndian.h"
#include "MacroImage.h"
#include "ProfileFile.h"
#include "ProfileHeader.h"
#include "settings/Utf16.h"

namespace profiles {

namespace {
constexpr int kOk = 1;
}  // namespace

bool ReadArrivalData(keys::ConfigModel& model, keys::KeyboardCommands& keyboard,
                     keys::Prompts& prompts) {
    bool ok = true;
    keys::KeyMap map{};
    if (keyboard.ReadDefaultKeyMap(map.data()) == kOk) {
        model.defaultKeyMap.set(map);
    } else {
        prompts.showMessage("MAIN_DEFAULT_MATRIX_PROMPT");
        ok = false;
    }
    if (!keys::ReadMacroCapacity(model, keyboard))
        ok = false;
    return ok;
}

bool ReadKeyboardIntoFile(keys::ConfigModel& model, keys::KeyboardCommands& keyboard,
                          keys::Prompts& prompts, const std::filesystem::path& path) {
    const int current = keyboard.GetCurrentProfile();
    if (current < 0 || current > 3)
        return false;
    if (!keys::EnsureKeyboardDefaultKeyMap(model, keyboard))
        return false;

    keys::KeyMap maps[keys::kProfileCount];
    for (int p = 0; p < keys::kProfileCount; ++p)
        if (keyboard.ReadKeyMap(maps[p].data(), p) != kOk)
            return false;

    try {
        std::vector<uint8_t> image(macros::kImageHeaderSize, 0);
        if (keyboard.ReadMacroMemory(image.data(), image.size()) != kOk)
            return false;
        if (le::get16(image.data()) == macros::kImageMagic) {
            // A damaged header may announce more than the keyboard has; the
            // read then stops at the capacity instead of failing the whole
            // configuration (the decoder never reads past what it is given).
            const std::vector<uint8_t> header = image;
            size_t total = le::get16(image.data() + 2);
            const size_t count = le::get16(image.data() + 4);
            // The header, its index and every record must lie in the image.
            if (total < macros::kImageHeaderSize + 2 * count)
                return false;
            const uint32_t capacity = model.macroCapacity.load();
            if (capacity > 0 && total > capacity)
                total = capacity;
            image.assign(total, 0);
            if (keyboard.ReadMacroMemory(image.data(), image.size()) != kOk)
                return false;
            // Read twice, the header must say the same both times.
            if (!std::equal(header.begin(), header.end(), image.begin()))
                return false;
        } else {
            image.clear();  // the keyboard holds no macros
        }
        const std::u16string prefix = settings::Utf8ToUtf16(prompts.text("MACRO_NEW_PREFIX"));
        const macros::MacroList list =
            macros::DecodeMacroImage(image.data(), image.size(), [&] { return prefix; });
        // A macro that does not decode means the image was not read as the
        // keyboard holds it: a file without it would lose it silently.
        if (!image.empty() &&
            list.size() != std::min<size_t>(le::get16(image.data() + 4), macros::MAX_MACROS))
            return false;

        keys::AssignmentBlock block;
        keys::WriteProfileHeader(block.header.data(), static_cast<uint16_t>(list.size()), 0, 0);
        keys::writeLayoutDescriptor(block.header.data());
        const keys::KeyMap defaults = model.defaultKeyMap.get();
        for (int p = 0; p < keys::kProfileCount; ++p)
            keys::DecodeKeyMap(maps[p].data(), defaults, block.area(static_cast<size_t>(p)));

        std::vector<uint8_t> bytes(keys::profileFileSize(static_cast<uint32_t>(list.size()), 0), 0);
        keys::encodeAssignmentBlock(block, bytes.data());
        for (size_t i = 0; i < list.size(); ++i)
            macros::encodeMacroRecord(
                list[i], bytes.data() + keys::kAssignmentBlockSize + i * macros::kMacroRecordSize);
        return writeAtomically(path, bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace profiles
