// UserLightModeFile.h - one profile's user light-mode file: ten named per-key
// colour layouts in an ini file, every value a decimal text.
//
//   [PRESENTMODE] mode=<layout in use, 0..9>
//   [MODENAME]    0..9=<display name>
//   [Mode<n>]     tool=<0|1>  jcolor=<r,g,b base>  color=<r,g,b paint>
//                 <LED slot>=<r,g,b,follows-base flag>
#pragma once

#include <string>

#include "lighting/Colour.h"
#include "settings/IniFile.h"

namespace lighting {

struct KeyEntry {
    Colour colour = 0;
    bool followsBase = false;
};

class UserLightModeFile {
  public:
    explicit UserLightModeFile(std::string path) : file_(std::move(path)) {}
    const std::string& path() const { return file_.path(); }

    // Index of the layout in use; anything outside 0..9 reads as 0.
    int PresentMode() const;
    void WritePresentMode(int mode) const;

    std::string ModeName(int mode) const;  // "0" when absent
    void WriteModeName(int mode, const std::string& name) const;

    int Tool(int mode) const;            // "%d"; "0" when absent
    Colour BaseColour(int mode) const;   // jcolor, black when absent
    Colour PaintColour(int mode) const;  // color, black when absent
    void WriteTools(int mode, int tool, Colour base, Colour paint) const;

    // The entry of an LED slot; red following the base colour when absent.
    KeyEntry Key(int mode, int slot) const;
    void WriteKey(int mode, int slot, KeyEntry entry) const;

  private:
    settings::IniFile file_;
};

// Reads up to `count` integers separated by single commas the way "%d,%d,..."
// does: each may have leading blanks and a sign; reading stops at the first
// text that does not fit, and the components not read stay 0.
void ScanDecimals(const std::string& text, int* out, int count);

}  // namespace lighting
