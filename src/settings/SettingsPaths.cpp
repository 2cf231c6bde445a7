// SettingsPaths.cpp - building the program and per-user paths.
#include "settings/SettingsPaths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>

namespace settings {
namespace {

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    return folder;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return home;
    if (const passwd* entry = ::getpwuid(::getuid());
        entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return "/tmp";
}

std::string XdgFolder(const char* variable, const char* fallbackUnderHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/')
        return value;
    return WithSlash(HomeFolder()) + fallbackUnderHome;
}

struct PathState {
    std::mutex mutex;
    std::shared_ptr<const ProgramPaths> program;
    std::shared_ptr<const UserPaths> user;
};

PathState& State() {
    static PathState state;
    return state;
}

}  // namespace

ProgramPaths MakeProgramPaths(const std::string& executablePath) {
    std::filesystem::path exe(executablePath);
    ProgramPaths p;
    p.executablePath = executablePath;
    p.programFileName = exe.filename().string();
    p.programFolder = WithSlash(exe.parent_path().string());
    const std::string& f = p.programFolder;
    p.skinFolder = f + "Skins/";
    p.helpFolder = f + "Help/";
    p.mainSkinFile = f + "Skins/Main.ini";
    p.compositeSkinFile = f + "Skins/Composite.ini";
    p.profileSkinFile = f + "Skins/Profile.ini";
    p.updateSkinFile = f + "Skins/UpdateDlg.ini";
    p.macroSkinFile = f + "Skins/Macro.ini";
    p.keySkinFile = f + "Skins/Key.ini";
    p.peizhiFile = f + "Skins/peizhi.ini";
    p.packagePath = f + "Package";
    p.skinLightModePrefix = f + "Skins/UserDengColor_";
    p.driverSetupScript = f + "Driver_Setup.bat";
    p.companionProgram = f + "KbDaemon.exe";
    return p;
}

UserPaths MakeUserPaths(const std::string& dataHome, const std::string& configHome) {
    UserPaths u;
    u.dataFolder = WithSlash(dataHome);
    u.userFolder = u.dataFolder + kUserFolderName + "/";
    u.settingsFile = u.userFolder + "tamro.ini";
    u.lightModePrefix = u.userFolder + "UserDengColor_";
    std::string config = WithSlash(configHome);
    u.registryFile = config + kRegistryFolderName + "/registry.ini";
    u.appSettingsFile = config + kAppSettingsRoot + "/" + kAppTitle + ".ini";
    return u;
}

std::string CurrentExecutablePath() {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}

std::string XdgDataHome() {
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}
std::string XdgConfigHome() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

void BuildPaths(const std::string& executablePath) {
    auto paths = std::make_shared<const ProgramPaths>(MakeProgramPaths(executablePath));
    std::lock_guard lock(State().mutex);
    State().program = std::move(paths);
}

void SetProgramFolder(const std::string& folder) {
    BuildPaths(WithSlash(folder) + "keytune");
}

void BuildUserPaths() {
    auto paths = std::make_shared<const UserPaths>(MakeUserPaths(XdgDataHome(), XdgConfigHome()));
    std::error_code error;
    std::filesystem::create_directories(paths->dataFolder, error);
    std::lock_guard lock(State().mutex);
    State().user = std::move(paths);
}

std::shared_ptr<const ProgramPaths> SharedProgramPaths() {
    {
        std::lock_guard lock(State().mutex);
        if (State().program)
            return State().program;
    }
    BuildPaths(CurrentExecutablePath());
    std::lock_guard lock(State().mutex);
    return State().program;
}

std::shared_ptr<const UserPaths> SharedUserPaths() {
    {
        std::lock_guard lock(State().mutex);
        if (State().user)
            return State().user;
    }
    BuildUserPaths();
    std::lock_guard lock(State().mutex);
    return State().user;
}

ProgramPaths GetProgramPaths() {
    return *SharedProgramPaths();
}
UserPaths GetUserPaths() {
    return *SharedUserPaths();
}

std::string LightModeFileName(const std::string& prefix, int number) {
    return prefix + std::to_string(number) + ".userd";
}

}  // namespace settings
