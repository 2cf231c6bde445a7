// SettingsPaths.h - every program and per-user path, fixed at start-up.
//
// Program paths come from the executable's folder (the "program folder":
// skins, language files, help). Per-user paths follow the XDG folders: the
// user folder lies in $XDG_DATA_HOME (default ~/.local/share), the stand-ins
// for the registry key and the application's settings store in
// $XDG_CONFIG_HOME (default ~/.config). Folders end with '/'.
#pragma once

#include <memory>
#include <string>

namespace settings {

inline constexpr const char* kUserFolderName = "Velkor TX20 Keyboard";
inline constexpr const char* kRegistryFolderName = "Velkor TX20 Keyboard";
inline constexpr const char* kAppSettingsRoot = "Keytune_Orvane";
inline constexpr const char* kAppTitle = "Keytune";

struct ProgramPaths {
    std::string executablePath;
    std::string programFileName;      // the executable's file name
    std::string programFolder;        // folder of the executable
    std::string skinFolder;           // program folder + "Skins/"
    std::string helpFolder;           // program folder + "Help/"
    std::string mainSkinFile;         // Skins/Main.ini (also holds SCREEN)
    std::string compositeSkinFile;    // Skins/Composite.ini
    std::string profileSkinFile;      // Skins/Profile.ini
    std::string updateSkinFile;       // Skins/UpdateDlg.ini (built, never read)
    std::string macroSkinFile;        // Skins/Macro.ini (built, never read)
    std::string keySkinFile;          // Skins/Key.ini (built, never read)
    std::string peizhiFile;           // Skins/peizhi.ini (built, never read)
    std::string packagePath;          // Package (built, never read)
    std::string skinLightModePrefix;  // Skins/UserDengColor_ (template file prefix)
    std::string driverSetupScript;    // Driver_Setup.bat
    std::string companionProgram;     // KbDaemon.exe
};

struct UserPaths {
    std::string dataFolder;       // local application data ($XDG_DATA_HOME), ends with '/'
    std::string userFolder;       // dataFolder + "Velkor TX20 Keyboard/"
    std::string settingsFile;     // user folder + "tamro.ini"
    std::string lightModePrefix;  // user folder + "UserDengColor_"
    std::string registryFile;     // $XDG_CONFIG_HOME/Velkor TX20 Keyboard/registry.ini
    std::string appSettingsFile;  // $XDG_CONFIG_HOME/Keytune_Orvane/Keytune.ini
};

// Pure builders, from an executable path and the two XDG folders.
ProgramPaths MakeProgramPaths(const std::string& executablePath);
UserPaths MakeUserPaths(const std::string& dataHome, const std::string& configHome);

// The running executable's full path (/proc/self/exe).
std::string CurrentExecutablePath();
// $XDG_DATA_HOME and $XDG_CONFIG_HOME, or their defaults under $HOME; a
// relative value is ignored, as the XDG rules say.
std::string XdgDataHome();
std::string XdgConfigHome();

// Fix the program paths for this run from an executable path.
void BuildPaths(const std::string& executablePath);
// Fix the per-user paths from the environment and create the local
// application-data folder when it is missing.
void BuildUserPaths();
// Point the program paths at another program folder (tools and tests that
// use the staged data files of a program folder that is not their own).
void SetProgramFolder(const std::string& folder);

// The paths of this run. Until BuildPaths/BuildUserPaths run they are built
// from the running executable and the environment on first use.
ProgramPaths GetProgramPaths();
UserPaths GetUserPaths();
// The same without copying, for frequent callers.
std::shared_ptr<const ProgramPaths> SharedProgramPaths();
std::shared_ptr<const UserPaths> SharedUserPaths();

// "%s%d%s": prefix, number and ".userd" (light-mode files).
std::string LightModeFileName(const std::string& prefix, int number);

}  // namespace settings
