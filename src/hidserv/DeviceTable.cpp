#include "DeviceTable.h"

#include "Dispatcher.h"

namespace hidserv {

void DeviceTable::replace(Source source, std::vector<AttachedEntry> entries) {
    std::lock_guard lock(mutex_);
    InterfaceCounts before = countsLocked();
    entries_[static_cast<size_t>(source)] = std::move(entries);
    InterfaceCounts after = countsLocked();
    // Posting under the table's lock keeps the count events in the order of
    // the changes when both sources change at once.
    if (after != before)
        dispatcher_.postCounts(after);
}

int DeviceTable::count(Interface interface) const {
    std::lock_guard lock(mutex_);
    return countsLocked()[static_cast<size_t>(interface)];
}

std::shared_ptr<ReportWriter> DeviceTable::writerFor(Interface interface) const {
    std::lock_guard lock(mutex_);
    for (const auto& sourceEntries : entries_) {
        for (const AttachedEntry& entry : sourceEntries) {
            if (entry.interfaces & maskOf(interface))
                return entry.writer;
        }
    }
    return nullptr;
}

InterfaceCounts DeviceTable::countsLocked() const {
    InterfaceCounts counts{};
    for (const auto& sourceEntries : entries_) {
        for (const AttachedEntry& entry : sourceEntries) {
            for (size_t i = 0; i < kInterfaceCount; ++i) {
                if (entry.interfaces & (1u << i))
                    ++counts[i];
            }
        }
    }
    return counts;
}

}  // namespace hidserv
