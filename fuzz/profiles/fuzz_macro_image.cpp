// Macro memory images read from the keyboard. Whatever decodes must build
// into an image again and decode to the same macros.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "MacroImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so reading one byte past the input is caught.
    const std::vector<uint8_t> image(data, data + size);
    const macros::MacroList list =
        macros::DecodeMacroImage(image.data(), image.size(), [] { return std::u16string(u"M"); });
    if (list.size() > macros::MAX_MACROS)
        std::abort();
    const macros::ImageSizes sizes = macros::ComputeImageSizes(list);
    if (sizes.full > 0xFFFF)
        return 0;
    const std::vector<uint8_t> rebuilt = macros::BuildMacroImage(list, sizes.full, true);
    if (rebuilt.size() != sizes.full)
        std::abort();
    const macros::MacroList again = macros::DecodeMacroImage(rebuilt.data(), rebuilt.size(), {});
    if (again.size() != list.size())
        std::abort();
    for (size_t i = 0; i < list.size(); ++i)
        if (again[i].actionCount != list[i].actionCount ||
            again[i].nameText() != list[i].nameText())
            std::abort();
    return 0;
}
