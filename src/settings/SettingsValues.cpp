// SettingsValues.cpp - the registry key, the settings store and the two flags.
#include "settings/SettingsValues.h"

#include <cctype>
#include <climits>
#include <cstdio>

#include "settings/IniFile.h"
#include "settings/SettingsPaths.h"

namespace settings {
namespace {

constexpr std::string_view kDwordPrefix = "dword:";

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

int ParseDecimal(std::string_view text, int fallback) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i])))
        return fallback;
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        if (value <= LLONG_MAX / 100)
            value = value * 10 + (text[i] - '0');
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

RegistryKey RegistryKey::Open() {
    return RegistryKey(SharedUserPaths()->registryFile);
}

RegistryKey::Read RegistryKey::ReadDword(std::string_view name, uint32_t& value) const {
    auto text = FindIniString(file_, kKeyName, name, kIniReadMaxChars);
    if (!text)
        return Read::Missing;
    std::string_view digits(*text);
    if (digits.substr(0, kDwordPrefix.size()) != kDwordPrefix)
        return Read::NotDword;
    digits.remove_prefix(kDwordPrefix.size());
    if (digits.size() != 8)
        return Read::NotDword;
    uint32_t result = 0;
    for (char c : digits) {
        int d = HexDigit(c);
        if (d < 0)
            return Read::NotDword;
        result = result << 4 | static_cast<uint32_t>(d);
    }
    value = result;
    return Read::Ok;
}

bool RegistryKey::WriteDword(std::string_view name, uint32_t value) const {
    char text[16];
    std::snprintf(text, sizeof text, "dword:%08x", value);
    return WriteIniString(file_, kKeyName, name, text);
}

std::string ReadAppSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue) {
    return ReadIniString(SharedUserPaths()->appSettingsFile, section, key, defaultValue);
}

bool WriteAppSetting(std::string_view section, std::string_view key, std::string_view value) {
    return WriteIniString(SharedUserPaths()->appSettingsFile, section, key, value);
}

int ReadFlipFrom(const std::string& appSettingsFile) {
    return ParseDecimal(ReadIniString(appSettingsFile, kProfilesSection, "Flip", "0"));
}

int WriteFlipTo(const std::string& appSettingsFile, int v) {
    // The flag has two values; anything else (including negatives, which the
    // keyboard picture has no layout for) is stored as 0.
    if (v < 0 || v >= 2)
        v = 0;
    WriteIniString(appSettingsFile, kProfilesSection, "Flip", std::to_string(v));
    return v;
}

bool ReadPanelOnFrom(const std::string& settingsFile) {
    return ReadIniString(settingsFile, "KEYCOLOR", "DengCheck", "0") == "1";
}

bool WritePanelOnTo(const std::string& settingsFile, bool on) {
    return WriteIniString(settingsFile, "KEYCOLOR", "DengCheck", on ? "1" : "0");
}

int ReadFlip() {
    return ReadFlipFrom(SharedUserPaths()->appSettingsFile);
}
int WriteFlip(int v) {
    return WriteFlipTo(SharedUserPaths()->appSettingsFile, v);
}
bool ReadPanelOn() {
    return ReadPanelOnFrom(SharedUserPaths()->settingsFile);
}
bool WritePanelOn(bool on) {
    return WritePanelOnTo(SharedUserPaths()->settingsFile, on);
}

}  // namespace settings
