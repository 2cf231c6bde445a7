// FrameTrace.cpp - each line is flushed at once, so a reader sees it while the
// virtual keyboard runs.
#include "FrameTrace.h"

#include <fcntl.h>
#include <unistd.h>

namespace vkbd {

FrameTrace::~FrameTrace() {
    if (file_)
        std::fclose(file_);
}

bool FrameTrace::open(const std::string& path) {
    if (file_)
        std::fclose(file_);
    // Emptied at start, then appended to: a reader that empties the file
    // while the keyboard runs (": > FILE", a log rotation that copies and
    // truncates) gets the next line at the start instead of a run of NUL
    // bytes up to the old size.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    file_ = ::fdopen(fd, "a");
    if (!file_)
        ::close(fd);
    return file_ != nullptr;
}

std::string FrameTrace::formatLine(char direction, const Frame& frame) {
    static const char kDigits[] = "0123456789abcdef";
    std::string line;
    line.reserve(2 + frame.size() * 3);
    line += direction;
    for (uint8_t byte : frame) {
        line += ' ';
        line += kDigits[byte >> 4];
        line += kDigits[byte & 0x0F];
    }
    line += '\n';
    return line;
}

void FrameTrace::write(char direction, const Frame& frame) {
    if (!file_)
        return;
    const std::string line = formatLine(direction, frame);
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
}

}  // namespace vkbd
