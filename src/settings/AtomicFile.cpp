// AtomicFile.cpp - temporary file + fsync + rename.
#include "settings/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <filesystem>

namespace settings {
namespace {

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

void SyncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view data) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path target(path);
    if (fs::is_symlink(target, error)) {
        fs::path resolved = fs::weakly_canonical(target, error);
        if (!error)
            target = resolved;
    }
    fs::path folder = target.parent_path();
    if (!folder.empty())
        fs::create_directories(folder, error);

    static std::atomic<unsigned> counter{0};
    std::string temp = target.string() + ".~" + std::to_string(::getpid()) + "-" +
                       std::to_string(counter.fetch_add(1));
    // 0666 filtered by the umask, as for any file the user creates; an
    // existing file keeps its permissions.
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    bool ok = WriteAll(fd, data) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes) {
    // Non-blocking, so that a FIFO put where a file belongs cannot hang the
    // reader; only regular files are read.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<uint64_t>(info.st_size) > maxBytes) {
        ::close(fd);
        return std::nullopt;
    }
    std::string data;
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        data.append(buffer, static_cast<size_t>(got));
        if (data.size() > maxBytes) {
            ::close(fd);
            return std::nullopt;
        }
    }
    ::close(fd);
    return data;
}

}  // namespace settings
