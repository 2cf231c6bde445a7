// DeviceLink.h - the connection to the keyboard: the standing reads on the
// consumer and control interfaces, the library callback, and the G-key layer
// status.
//
// The library's callback carries no user data, so the callback reaches the
// link through one process-wide pointer: the link that last ran
// StartDeviceLink is the one events go to.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "device/DeviceCommands.h"
#include "device/HidServApi.h"
#include "device/ReportTransport.h"

namespace device {

// Consumer codes the keyboard sends by itself (first 16-bit word of a
// consumer-interface input).
constexpr uint16_t CONSUMER_LAYER_SWITCH = 0x02FF;
constexpr uint16_t CONSUMER_LIGHTING_CHANGED = 0x0401;
constexpr uint16_t CONSUMER_TRAY_NORMAL = 0x1810;
constexpr uint16_t CONSUMER_TRAY_HIGHLIGHT = 0x1811;

// What the rest of the program hears from the link. Called on the library's
// callback thread (or, for the first count, on the thread that starts the
// link); implementations must return quickly and hand long work to a worker.
class DeviceEventListener {
  public:
    virtual ~DeviceEventListener() = default;
    // The number of keyboards on the control interface changed (or was first
    // counted by StartDeviceLink).
    virtual void onDeviceCount(int count) = 0;
    // A consumer-interface code. For CONSUMER_LAYER_SWITCH the link has
    // already flipped the layer flag and written the status when this runs.
    virtual void onConsumerCode(uint16_t code) = 0;
};

// The connection's state that belongs to the device layer. The keyboard's
// default key map and macro capacity, read at each arrival, are kept once, by
// the configuration model that uses them (keys::ConfigModel, filled by
// profiles::ReadArrivalData).
struct DeviceLinkState {
    // byte 0 = 0x05; byte 1 = 0x02 with bit 0 = G-key layer (0: A, 1: B).
    std::array<uint8_t, 2> statusBytes{0x05, 0x02};
    uint32_t statusUnitId = 0;
    uint32_t consumerUnitId = 0;
    uint32_t controlUnitId = 0;
    int lastDeviceCount = 0;
    int firstShowDone = 0;  // 1: do not show the window at the first arrival
};

class DeviceLink {
  public:
    explicit DeviceLink(const HidServApi& api, TransportTiming timing = {});
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Set before StartDeviceLink to hear every event; nullptr = events ignored.
    // The listener must outlive the link or its detach().
    void setListener(DeviceEventListener* listener) { listener_.store(listener); }

    // Resets the status bytes, registers the consumer read, resets the
    // response slot, registers the control read and counts the keyboards.
    // Returns that count (0 = none; then firstShowDone becomes 1) and passes
    // it to the listener.
    int StartDeviceLink();

    // Stops routing library events to this link. Call before the library's
    // End so that no event reaches a link that is going away. It waits for an
    // event being handled, so never call it from a thread that a listener
    // callback may be waiting on.
    void detach();

    // Flips the G-key layer flag and writes the two status bytes to the
    // keyboard, replacing the previous status registration. Returns the new
    // layer (0 = A, 1 = B). The library's result is not acted on.
    int SwitchGKeyLayer();
    int gKeyLayer() const;

    // The library callback given to every registration. Always returns 1.
    static int OnDeviceEvent(HidServEvent* event);

    DeviceLinkState state() const;
    // Changes the state under its lock (e.g. the arrival worker records the
    // last device count and the first-show mark).
    template <typename Fn>
    void updateState(Fn&& change) {
        std::lock_guard lock(stateMutex_);
        change(state_);
    }

    ReportTransport& transport() { return transport_; }
    DeviceCommands& commands() { return commands_; }
    const HidServApi& api() const { return api_; }

  private:
    void handleEvent(const HidServEvent& event);

    const HidServApi api_;  // a copy: callers need not keep their table alive
    ReportTransport transport_;
    DeviceCommands commands_;
    std::atomic<DeviceEventListener*> listener_{nullptr};
    mutable std::mutex stateMutex_;
    DeviceLinkState state_;
};

}  // namespace device
