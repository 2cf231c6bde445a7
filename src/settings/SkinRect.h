// SkinRect.h - reading a control's rectangle from a skin ini file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace settings {

// x, y, width and height in window client pixels.
struct SkinRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const SkinRect&) const = default;
};

// What an absent key reads as: x = y = w = h = 1.
inline constexpr std::string_view kDefaultSkinRect = "1,1,1,1,x";

// Reads text as "%d,%d,%d,%d" does: components are taken in order until one
// does not convert or a comma is missing; the rest keep their value in rect.
// Returns how many components were read.
int ParseSkinRect(std::string_view text, SkinRect& rect);

// The rectangle under key in section of a skin file, the default when the
// file or key is missing. Components the value lacks are 0.
SkinRect ReadSkinRect(const std::string& iniFile, std::string_view section, std::string_view key);

// The SCREEN entries of a skinned window: its background picture and the mask
// picture that gives its outline (the background itself when Mask is absent),
// file names relative to the skin folder. Nothing for an absent or empty entry.
struct SkinScreen {
    std::optional<std::string> main;
    std::optional<std::string> mask;
};
SkinScreen ReadSkinScreen(const std::string& iniFile);

}  // namespace settings
