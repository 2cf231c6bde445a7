// ReportTrace.h - an optional log of every report sent to and received from
// the keyboard ($KEYTUNE_TRACE names the file).
//
// One line per report: "> " for a report sent, "< " for a report received,
// then the bytes as two lowercase hex digits separated by single spaces. Each
// line is flushed at once so a reader sees it while the exchange goes on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

namespace hidserv {

class ReportTrace {
  public:
    // An empty path turns the trace off. The file is opened for appending so
    // that an earlier run's lines are kept; a file that is not a regular file
    // of this user (or a symbolic link) turns the trace off too.
    explicit ReportTrace(const std::string& path);
    ~ReportTrace();
    ReportTrace(const ReportTrace&) = delete;
    ReportTrace& operator=(const ReportTrace&) = delete;

    void sent(const uint8_t* bytes, size_t length) { write('>', bytes, length); }
    void received(const uint8_t* bytes, size_t length) { write('<', bytes, length); }

  private:
    void write(char direction, const uint8_t* bytes, size_t length);

    std::mutex mutex_;
    std::FILE* file_ = nullptr;
};

}  // namespace hidserv
