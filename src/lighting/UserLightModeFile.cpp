// UserLightModeFile.cpp - reading and writing one user light-mode file.
#include "lighting/UserLightModeFile.h"

#include <cctype>
#include <climits>
#include <string>

namespace lighting {
namespace {

constexpr const char* kPresentSection = "PRESENTMODE";
constexpr const char* kNameSection = "MODENAME";

std::string ModeSection(int mode) {
    return "Mode" + std::to_string(mode);
}

std::string ColourText(Colour c) {
    return std::to_string(Red(c)) + "," + std::to_string(Green(c)) + "," + std::to_string(Blue(c));
}

Colour ParseColour(const std::string& text) {
    int rgb[3] = {};
    ScanDecimals(text, rgb, 3);
    return MakeColour(rgb[0], rgb[1], rgb[2]);
}

}  // namespace

void ScanDecimals(const std::string& text, int* out, int count) {
    for (int i = 0; i < count; ++i) out[i] = 0;
    size_t at = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            if (at >= text.size() || text[at] != ',')
                return;
            ++at;
        }
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
        bool negative = false;
        if (at < text.size() && (text[at] == '-' || text[at] == '+'))
            negative = text[at++] == '-';
        if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at])))
            return;
        long long value = 0;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
            if (value < INT_MAX)
                value = value * 10 + (text[at] - '0');
            ++at;
        }
        if (value > INT_MAX)
            value = INT_MAX;
        out[i] = int(negative ? -value : value);
    }
}

int UserLightModeFile::PresentMode() const {
    int mode = 0;
    ScanDecimals(file_.Read(kPresentSection, "mode", "0"), &mode, 1);
    return mode >= 0 && mode < 10 ? mode : 0;
}

void UserLightModeFile::WritePresentMode(int mode) const {
    file_.Write(kPresentSection, "mode", std::to_string(mode));
}

std::string UserLightModeFile::ModeName(int mode) const {
    return file_.Read(kNameSection, std::to_string(mode), "0");
}

void UserLightModeFile::WriteModeName(int mode, const std::string& name) const {
    file_.Write(kNameSection, std::to_string(mode), name);
}

int UserLightModeFile::Tool(int mode) const {
    int tool = 0;
    ScanDecimals(file_.Read(ModeSection(mode), "tool", "0"), &tool, 1);
    return tool;
}

Colour UserLightModeFile::BaseColour(int mode) const {
    return ParseColour(file_.Read(ModeSection(mode), "jcolor", "0,0,0"));
}

Colour UserLightModeFile::PaintColour(int mode) const {
    return ParseColour(file_.Read(ModeSection(mode), "color", "0,0,0"));
}

void UserLightModeFile::WriteTools(int mode, int tool, Colour base, Colour paint) const {
    const std::string section = ModeSection(mode);
    file_.Write(section, "tool", std::to_string(tool));
    file_.Write(section, "jcolor", ColourText(base));
    file_.Write(section, "color", ColourText(paint));
}

KeyEntry UserLightModeFile::Key(int mode, int slot) const {
    int v[4] = {};
    ScanDecimals(file_.Read(ModeSection(mode), std::to_string(slot), "255,0,0,1"), v, 4);
    return {MakeColour(v[0], v[1], v[2]), v[3] != 0};
}

void UserLightModeFile::WriteKey(int mode, int slot, KeyEntry entry) const {
    file_.Write(ModeSection(mode), std::to_string(slot),
                ColourText(entry.colour) + "," + (entry.followsBase ? "1" : "0"));
}

}  // namespace lighting
