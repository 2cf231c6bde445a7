// SettingsValues.h - the small per-user settings: the registry key's values,
// the application's settings store, the layout flag and the lighting panel
// switch.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace settings {

// Reads a decimal integer as a "%d" conversion does: leading blanks, a sign
// and digits; stops at the first other character. Nothing convertible gives
// fallback; values beyond int are clamped.
int ParseDecimal(std::string_view text, int fallback = 0);

// Per-user stand-in for the registry key HKEY_CURRENT_USER\Software\Velkor
// TX20 Keyboard: an ini file whose section is the key's name. DWORD values are
// stored as "dword:" and eight hexadecimal digits, as a .reg file writes them.
class RegistryKey {
  public:
    static constexpr const char* kKeyName = "HKEY_CURRENT_USER\\Software\\Velkor TX20 Keyboard";

    enum class Read { Ok, Missing, NotDword };

    explicit RegistryKey(std::string file) : file_(std::move(file)) {}
    static RegistryKey Open();  // the user's key (GetUserPaths().registryFile)

    Read ReadDword(std::string_view name, uint32_t& value) const;
    bool WriteDword(std::string_view name, uint32_t value) const;
    const std::string& file() const { return file_; }

  private:
    std::string file_;
};

// The application's settings store (on Windows the registry key
// Software\Keytune_Orvane\Keytune of the user): section PROFILES holds Flip, the record-delay value
// and the recorded profile paths.
inline constexpr std::string_view kProfilesSection = "PROFILES";
std::string ReadAppSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue);
bool WriteAppSetting(std::string_view section, std::string_view key, std::string_view value);

// Which of the two layouts of the keyboard picture is active.
int ReadFlip();
// Stores v, or 0 for anything other than 0 and 1; returns the stored value.
int WriteFlip(int v);

// KEYCOLOR/DengCheck of the user settings file: the lighting panel is shown
// and the preview runs exactly when the value is "1".
bool ReadPanelOn();
bool WritePanelOn(bool on);

// Variants on an explicit file, for tests and tools.
int ReadFlipFrom(const std::string& appSettingsFile);
int WriteFlipTo(const std::string& appSettingsFile, int v);
bool ReadPanelOnFrom(const std::string& settingsFile);
bool WritePanelOnTo(const std::string& settingsFile, bool on);

}  // namespace settings
