// Profile files from the user: the header check and the load, through a real
// file as the program reads them, then the in-memory parser. A file that
// loads must save and load again.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ProfileFile.h"
#include "ProfileHeader.h"

namespace {

class SilentPrompts : public keys::Prompts {
  public:
    void showMessage(std::string_view, bool, const std::optional<std::string>&) override {}
    bool askYesNo(std::string_view) override { return false; }
    std::string text(std::string_view) override { return {}; }
};

const std::filesystem::path& scratchFile() {
    static const std::filesystem::path path = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "keytune-fuzz-XXXXXX").string();
        return std::filesystem::path(::mkdtemp(pattern.data())) / "input.kpf";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    SilentPrompts prompts;
    profiles::ValidateProfileFile(scratchFile(), prompts);
    keys::AssignmentStore store;
    if (profiles::LoadStoreFromFile(scratchFile(), store)) {
        const std::vector<uint8_t> again = profiles::encodeProfileFile(store);
        if (!profiles::parseProfileFile(again.data(), again.size()))
            std::abort();
    }
    if (size >= keys::kProfileHeaderSize)
        profiles::profileHeaderValid(data);
    profiles::parseProfileFile(data, size);
    return 0;
}
