#include "ProfileLocations.h"

#include <string>
#include <system_error>

#include "settings/SettingsPaths.h"

namespace profiles {

ProfileLocations defaultProfileLocations(const std::filesystem::path& programFolder) {
    const settings::UserPaths user =
        settings::MakeUserPaths(settings::XdgDataHome(), settings::XdgConfigHome());
    return ProfileLocations{std::filesystem::path(user.userFolder).parent_path(),
                            programFolder / "Skins" / "UserDengColor_3.userd"};
}

void EnsureProfileFolder(const ProfileLocations& locations) {
    std::error_code error;
    if (std::filesystem::is_directory(locations.folder, error))
        return;
    if (!std::filesystem::create_directories(locations.folder, error))
        return;
    for (int n = 0; n <= 3; ++n) {
        const auto target = locations.folder / ("UserDengColor_" + std::to_string(n) + ".userd");
        // A missing template leaves the light-mode files to their own defaults.
        std::filesystem::copy_file(locations.lightTemplate, target,
                                   std::filesystem::copy_options::skip_existing, error);
    }
}

const std::filesystem::path& ProfileFolderPath(const ProfileLocations& locations) {
    return locations.folder;
}

std::filesystem::path CachePath(const ProfileLocations& locations, int /*profile*/) {
    return locations.folder / ("$Profile" + std::to_string(0));
}

}  // namespace profiles
