#include "ReportTrace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hidserv {

ReportTrace::ReportTrace(const std::string& path) {
    if (path.empty())
        return;
    // Everything the program sends goes into this file: never into one that
    // another account prepared (or points at through a link), where that
    // account could read it.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);
        return;
    }
    file_ = ::fdopen(fd, "a");
    if (!file_)
        ::close(fd);
}

ReportTrace::~ReportTrace() {
    if (file_)
        std::fclose(file_);
}

void ReportTrace::write(char direction, const uint8_t* bytes, size_t length) {
    if (!file_)
        return;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string line(1, direction);
    line.reserve(2 + length * 3);
    for (size_t i = 0; i < length; ++i) {
        line += ' ';
        line += kHex[bytes[i] >> 4];
        line += kHex[bytes[i] & 0x0F];
    }
    if (length == 0)
        line += ' ';
    line += '\n';
    std::lock_guard lock(mutex_);
    std::fputs(line.c_str(), file_);
    std::fflush(file_);
}

}  // namespace hidserv
