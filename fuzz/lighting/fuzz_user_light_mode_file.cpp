// User light-mode files: ini files in the user's folder that anyone can edit.
// The input is an edit (a layout name, then at its end the layout, LED slot,
// colour and flag) around the file's bytes. Every value the program reads
// from a file is read; then the edit is written as the lighting panel writes
// it and must read back, with the file's other layouts unchanged.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "../support/ScratchFile.h"
#include "lighting/UserLightModeFile.h"
#include "settings/Utf16.h"

namespace {

using lighting::KeyEntry;
using lighting::UserLightModeFile;

constexpr int kModes = 10;
constexpr int kSlots = 126;

void Require(bool condition) {
    if (!condition)
        std::abort();
}

bool SameEntry(const KeyEntry& a, const KeyEntry& b) {
    return a.colour == b.colour && a.followsBase == b.followsBase;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int mode = input.ConsumeIntegralInRange(0, kModes - 1);
    const int slot = input.ConsumeIntegralInRange(0, kSlots - 1);
    const lighting::Colour colour = input.ConsumeIntegral<uint32_t>() & 0xFFFFFF;
    const bool follows = input.ConsumeBool();
    const std::string name = input.ConsumeRandomLengthString(80);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    const std::string path = fuzzsupport::ScratchPath("UserDengColor_0.userd");
    fuzzsupport::WriteScratch(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    const UserLightModeFile file(path);

    // What filling the layout list and applying a layout read. A file this
    // fresh is parsed again on every read, so the keys are a sample: the
    // edit's slot, the first and last, A, Fn and the buttons without a light.
    const int present = file.PresentMode();
    Require(present >= 0 && present < kModes);
    for (int m = 0; m < kModes; ++m) file.ModeName(m);
    file.Tool(present);
    Require(file.BaseColour(present) <= 0xFFFFFF && file.PaintColour(present) <= 0xFFFFFF);
    for (int s : {slot, 0, 61, 105, 118, kSlots - 1})
        Require(file.Key(present, s).colour <= 0xFFFFFF);

    // Painting a key and renaming the layout, then reading both back. The
    // other layout's entry of the same slot stays as it was.
    const int other = (mode + 1) % kModes;
    const KeyEntry untouched = file.Key(other, slot);
    const KeyEntry painted{colour, follows};
    file.WriteKey(mode, slot, painted);
    Require(SameEntry(file.Key(mode, slot), painted));
    Require(SameEntry(file.Key(other, slot), untouched));
    // Names as a person types them: one line of UTF-8 text that fits the reader.
    const bool typeable = name.find_first_of("\r\n") == std::string::npos && name.size() <= 259 &&
                          settings::Utf16ToUtf8(settings::Utf8ToUtf16(name)) == name;
    if (typeable) {
        file.WriteModeName(mode, name);
        Require(file.ModeName(mode) == name);
    }
    return 0;
}
