// The virtual keyboard's state file, which a crash, a full disk or a person can
// leave in any shape. The first input byte chooses whether the rest is taken
// as it is or with a correct checksum appended, so inputs also reach the
// section decoding behind the checksum. A file is either taken whole or leaves
// the factory state; a file that is taken saves and loads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "../support/ScratchFile.h"
#include "StateFile.h"
#include "vkbd/Firmware.h"

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

bool SameMemories(const vkbd::Firmware& a, const vkbd::Firmware& b) {
    return a.deviceInfo() == b.deviceInfo() && a.parameterMemory() == b.parameterMemory() &&
           a.keyMaps() == b.keyMaps() && a.macroMemory() == b.macroMemory() &&
           a.keyColours() == b.keyColours();
}

const vkbd::Firmware& Factory() {
    static const vkbd::Firmware factory;
    return factory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::vector<uint8_t> bytes(data + 1, data + size);
    if (data[0] & 1) {
        const uint32_t crc = vkbd::crc32(bytes.data(), bytes.size());
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(uint8_t(crc >> shift));
    }

    // The decoder alone: what it accepts encodes and decodes to the same.
    vkbd::StateImage image;
    std::string problem;
    if (vkbd::decodeState(bytes, image, problem)) {
        vkbd::StateImage again;
        Require(vkbd::decodeState(vkbd::encodeState(image), again, problem));
        Require(again.deviceInfo == image.deviceInfo && again.parameters == image.parameters &&
                again.keyMaps == image.keyMaps && again.macroMemory == image.macroMemory &&
                again.keyColours == image.keyColours);
    }

    // The firmware loading the file as keytune-vkbd does at start.
    const std::string path = fuzzsupport::ScratchPath("vkbd.state");
    fuzzsupport::WriteScratch(path, bytes.data(), bytes.size());
    vkbd::Firmware firmware;
    const vkbd::StateLoadResult result = firmware.loadStateFile(path, &problem);
    Require(firmware.currentProfile() >= 0 && firmware.currentProfile() <= 2);
    Require(firmware.deviceInfo().size() == Factory().deviceInfo().size() &&
            firmware.parameterMemory().size() == Factory().parameterMemory().size() &&
            firmware.keyMaps().size() == Factory().keyMaps().size() &&
            firmware.macroMemory().size() == Factory().macroMemory().size() &&
            firmware.keyColours().size() == Factory().keyColours().size());
    if (result != vkbd::StateLoadResult::Loaded) {
        Require(SameMemories(firmware, Factory()));
        return 0;
    }
    const std::string savedPath = fuzzsupport::ScratchPath("saved.state");
    Require(firmware.saveState(savedPath));
    vkbd::Firmware reloaded;
    Require(reloaded.loadStateFile(savedPath) == vkbd::StateLoadResult::Loaded);
    Require(SameMemories(reloaded, firmware));
    return 0;
}
