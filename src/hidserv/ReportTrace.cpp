#include "ReportTrace.h"

namespace hidserv {

ReportTrace::ReportTrace(const std::string& path) {
    if (!path.empty())
        file_ = std::fopen(path.c_str(), "ae");
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
