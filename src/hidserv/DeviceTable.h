// DeviceTable.h - the keyboards attached right now, from both sources.
//
// Each source (the hidraw backend, the virtual keyboard backend) replaces its
// own list of entries whenever something comes or goes. An entry is one hidraw
// node or one virtual keyboard connection, with the interfaces it serves and
// the way to write to them. Whenever the number of devices exposing any
// interface changes, the new counts go to the dispatcher as one event.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "Interface.h"

namespace hidserv {

class Dispatcher;

// Writes reports to one attached node or connection. Called from any thread.
class ReportWriter {
  public:
    virtual ~ReportWriter() = default;
    // True when the whole report was written.
    virtual bool write(Interface interface, const uint8_t* bytes, size_t length) = 0;
};

struct AttachedEntry {
    InterfaceMask interfaces = 0;
    std::shared_ptr<ReportWriter> writer;
};

// Hidraw comes first: when a real and a virtual keyboard are both attached,
// writes go to the real one.
enum class Source : uint8_t { Hidraw = 0, Virtual = 1 };

class DeviceTable {
  public:
    explicit DeviceTable(Dispatcher& dispatcher) : dispatcher_(dispatcher) {}

    void replace(Source source, std::vector<AttachedEntry> entries);
    int count(Interface interface) const;
    // The entry to write to for an interface (real keyboard first), or null.
    std::shared_ptr<ReportWriter> writerFor(Interface interface) const;

  private:
    InterfaceCounts countsLocked() const;

    Dispatcher& dispatcher_;
    mutable std::mutex mutex_;
    std::array<std::vector<AttachedEntry>, 2> entries_;
};

}  // namespace hidserv
