#include "support/TempFolder.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>

namespace testsupport {

namespace fs = std::filesystem;

namespace {

// Gives the owner full access to every folder below `folder` again, so a test
// that made one unreadable or unwritable cannot leave it behind.
void reopenFolders(const fs::path& folder) {
    std::error_code error;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, error);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->is_directory(error) && !it->is_symlink(error))
            reopenFolders(it->path());
}

}  // namespace

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "keytune-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr)
        path_ = pattern;
}

TempFolder::~TempFolder() {
    if (path_.empty())
        return;
    reopenFolders(path_);
    std::error_code error;
    fs::remove_all(path_, error);
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const {
    const std::string full = file(name);
    std::error_code error;
    fs::create_directories(fs::path(full).parent_path(), error);
    std::ofstream(full, std::ios::binary | std::ios::trunc) << bytes;
    return full;
}

std::string TempFolder::read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

}  // namespace testsupport
