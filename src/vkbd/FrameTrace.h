// FrameTrace.h - one hex line per frame received ("> ") and sent ("< ").
#pragma once

#include <cstdio>
#include <string>

#include "vkbd/FrameLayout.h"

namespace vkbd {

class FrameTrace {
  public:
    FrameTrace() = default;
    ~FrameTrace();
    FrameTrace(const FrameTrace&) = delete;
    FrameTrace& operator=(const FrameTrace&) = delete;

    // Starts a new trace file (truncating an old one). False if it cannot be
    // created.
    bool open(const std::string& path);

    void received(const Frame& frame) { write('>', frame); }
    void sent(const Frame& frame) { write('<', frame); }

    static std::string formatLine(char direction, const Frame& frame);

  private:
    void write(char direction, const Frame& frame);
    std::FILE* file_ = nullptr;
};

}  // namespace vkbd
