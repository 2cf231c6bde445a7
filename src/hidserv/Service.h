// Service.h - one running instance of the library, between Init and End.
//
// It owns the callback thread, the device table and both device sources, and
// carries out the entry points. The entry points reach it through current(),
// which hands out a shared reference, so a call in progress on another thread
// keeps it alive while End stops it.
#pragma once

#include <cstdint>
#include <memory>

#include "DeviceTable.h"
#include "Dispatcher.h"
#include "HidrawBackend.h"
#include "ReportTrace.h"
#include "VkbdBackend.h"
#include "hidserv/HidServ.h"

namespace hidserv {

// Result codes of the entry points.
constexpr int kDone = 1;          // success
constexpr int kNothing = 0;       // no device, bad arguments, or the library is not running
constexpr int kWriteFailed = -1;  // a device was there but the write did not go through

class Service {
  public:
    // Starts the library (idempotent); returns 1.
    static int init();
    // Stops the library and waits for its threads; a no-op when not running
    // or when called from one of the library's own threads.
    static void end();
    static std::shared_ptr<Service> current();

    int deviceCount(const uint8_t* selector) const;
    int asyncRead(const uint8_t* selector, HidServCallback callback, uint32_t tag,
                  uint32_t* outUnitId);
    int writeOne(const uint8_t* selector, const uint8_t* report, int length);
    int statusWrite(const uint8_t* selector, HidServCallback callback, uint32_t tag,
                    const uint8_t* data, int length, uint32_t* outUnitId);
    int deleteUnit(uint32_t unitId);

    Service();
    ~Service();

  private:
    void start();
    void stop();

    ReportTrace trace_;
    Dispatcher dispatcher_;
    DeviceTable table_;
    VkbdBackend vkbd_;
    std::unique_ptr<HidrawBackend> hidraw_;  // null when KEYTUNE_HIDRAW=0
};

}  // namespace hidserv
