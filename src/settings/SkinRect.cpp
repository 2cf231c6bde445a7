// SkinRect.cpp - "%d,%d,%d,%d" without sscanf.
#include "settings/SkinRect.h"

#include <cctype>
#include <climits>

#include "settings/IniFile.h"

namespace settings {
namespace {

// One "%d" conversion at text[i]: blanks, sign, digits. False when no digit.
bool ReadInt(std::string_view text, size_t& i, int& out) {
    size_t p = i;
    while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p]))) ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-'))
        negative = text[p++] == '-';
    if (p >= text.size() || !std::isdigit(static_cast<unsigned char>(text[p])))
        return false;
    long long value = 0;
    for (; p < text.size() && std::isdigit(static_cast<unsigned char>(text[p])); ++p) {
        if (value < INT_MAX)
            value = value * 10 + (text[p] - '0');
    }
    if (negative)
        value = -value;
    out = static_cast<int>(value > INT_MAX ? INT_MAX : (value < INT_MIN ? INT_MIN : value));
    i = p;
    return true;
}

}  // namespace

int ParseSkinRect(std::string_view text, SkinRect& rect) {
    int* fields[] = {&rect.x, &rect.y, &rect.width, &rect.height};
    size_t i = 0;
    int read = 0;
    for (int* field : fields) {
        if (read > 0) {
            if (i >= text.size() || text[i] != ',')
                break;
            ++i;
        }
        if (!ReadInt(text, i, *field))
            break;
        ++read;
    }
    return read;
}

SkinRect ReadSkinRect(const std::string& iniFile, std::string_view section, std::string_view key) {
    SkinRect rect;
    ParseSkinRect(ReadIniString(iniFile, section, key, kDefaultSkinRect), rect);
    return rect;
}

SkinScreen ReadSkinScreen(const std::string& iniFile) {
    CIniFile ini(iniFile);
    SkinScreen screen;
    screen.main = ini.GetString("SCREEN", "Main", "");
    screen.mask = ini.GetString("SCREEN", "Mask", screen.main.value_or(""));
    return screen;
}

}  // namespace settings
