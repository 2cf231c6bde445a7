// Dispatcher.h - hands events to the registrations, one callback thread per
// interface.
//
// Each interface has its own lane (see CallbackLane), so a callback that
// blocks holds back only the events of its own interface: a consumer-report
// callback waiting for the program's window thread cannot keep a control
// response from reaching a command that the window thread is waiting on.
// A reader thread may deliver a control response itself while the control
// lane is idle (deliverInput); consumer reports always take their lane.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "CallbackLane.h"
#include "Interface.h"
#include "hidserv/HidServ.h"

namespace hidserv {

class Dispatcher {
  public:
    Dispatcher();
    ~Dispatcher();
    Dispatcher(const Dispatcher&) = delete;
    Dispatcher& operator=(const Dispatcher&) = delete;

    // Events are taken from start() on; those posted before (the first scan's
    // devices, which callers count themselves) or after stop() are dropped.
    void start();
    // Joins the callback threads, drops undelivered events and releases every
    // registration.
    void stop();

    // A new registration on the lane of its interface; returns its unit id
    // (never 0). A standing read gets the input reports of its interface and
    // every device-count change; other registrations (status writes) only
    // hold a unit id until deleted.
    uint32_t add(Interface interface, HidServCallback callback, uint32_t tag, bool standingRead);
    // See CallbackLane::remove.
    bool remove(uint32_t unitId);

    void postInput(Interface interface, const uint8_t* bytes, size_t length);
    // Delivers on the calling library thread when the interface's lane is
    // idle, else queues; see CallbackLane::deliverInput.
    void deliverInput(Interface interface, const uint8_t* bytes, size_t length);
    // Every lane delivers the change, each read getting its own interface's count.
    void postCounts(const InterfaceCounts& counts);

  private:
    std::array<std::unique_ptr<CallbackLane>, kInterfaceCount> lanes_;
};

}  // namespace hidserv
