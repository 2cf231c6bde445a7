// ProfileLocations.h - the profile folder and the cache file.
//
// The profile folder is the user folder ("Velkor TX20 Keyboard" under the
// per-user data folder). It holds the cache file "$Profile0", the user
// light-mode files "UserDengColor_<n>.userd", "tamro.ini" and the user's
// ".kpf" files.
#pragma once

#include <filesystem>

namespace profiles {

struct ProfileLocations {
    std::filesystem::path folder;         // the profile folder
    std::filesystem::path lightTemplate;  // program folder + "Skins/UserDengColor_3.userd"
};

// The user folder of the settings paths ($XDG_DATA_HOME) and the program folder.
ProfileLocations defaultProfileLocations(const std::filesystem::path& programFolder);

// Creates the folder when it does not exist and seeds it with the four user
// light-mode files copied from the template. Nothing happens when it exists.
void EnsureProfileFolder(const ProfileLocations& locations);

const std::filesystem::path& ProfileFolderPath(const ProfileLocations& locations);

// Every profile shares the one cache file "$Profile0": it always holds the
// whole keyboard.
std::filesystem::path CachePath(const ProfileLocations& locations, int profile = 0);

}  // namespace profiles
