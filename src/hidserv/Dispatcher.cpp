#include "Dispatcher.h"

#include <atomic>

namespace hidserv {

namespace {

// Unit ids keep counting across End/Init, so an id from an earlier run never
// names a registration of a later one.
std::atomic<uint32_t> gNextUnitId{1};

uint32_t newUnitId() {
    uint32_t id = gNextUnitId.fetch_add(1);
    while (id == 0) id = gNextUnitId.fetch_add(1);
    return id;
}

}  // namespace

Dispatcher::Dispatcher() {
    for (auto& lane : lanes_) lane = std::make_unique<CallbackLane>();
}

Dispatcher::~Dispatcher() {
    stop();
}

void Dispatcher::start() {
    for (auto& lane : lanes_) lane->start();
}

void Dispatcher::stop() {
    for (auto& lane : lanes_) lane->stop();
}

uint32_t Dispatcher::add(Interface interface, HidServCallback callback, uint32_t tag,
                         bool standingRead) {
    uint32_t unitId = newUnitId();
    lanes_[static_cast<size_t>(interface)]->add(unitId, interface, callback, tag, standingRead);
    return unitId;
}

bool Dispatcher::remove(uint32_t unitId) {
    for (auto& lane : lanes_) {
        if (lane->remove(unitId))
            return true;
    }
    return false;
}

void Dispatcher::postInput(Interface interface, const uint8_t* bytes, size_t length) {
    lanes_[static_cast<size_t>(interface)]->postInput(interface, bytes, length);
}

void Dispatcher::deliverInput(Interface interface, const uint8_t* bytes, size_t length) {
    lanes_[static_cast<size_t>(interface)]->deliverInput(interface, bytes, length);
}

void Dispatcher::postCounts(const InterfaceCounts& counts) {
    for (auto& lane : lanes_) lane->postCounts(counts);
}

}  // namespace hidserv
