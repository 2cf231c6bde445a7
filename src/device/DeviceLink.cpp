#include "device/DeviceLink.h"

#include <condition_variable>
#include <mutex>

#include "device/DeviceSelectors.h"

namespace device {

namespace {

// The link that library events go to, and how many events are being handled.
// Events of different interfaces arrive on different library threads and must
// not wait for each other (a consumer handler that waits for the window must
// never hold back the control response the window is waiting for), so the
// gate is held only to pick the link and to count; detach() then waits until
// no event is being handled, except those on its own thread (a handler that
// detaches).
std::mutex gateMutex;
std::condition_variable gateIdle;
DeviceLink* activeLink = nullptr;
int eventsInFlight = 0;
thread_local int eventsOnThisThread = 0;

}  // namespace

DeviceLink::DeviceLink(const HidServApi& api, TransportTiming timing)
    : api_(api), transport_(api, timing), commands_(transport_) {}

DeviceLink::~DeviceLink() {
    detach();
}

void DeviceLink::detach() {
    std::unique_lock lock(gateMutex);
    if (activeLink == this)
        activeLink = nullptr;
    gateIdle.wait(lock, [] { return eventsInFlight == eventsOnThisThread; });
}

int DeviceLink::StartDeviceLink() {
    uint32_t previousConsumer, previousControl;
    {
        std::lock_guard lock(stateMutex_);
        state_.statusBytes = {0x05, 0x02};
        state_.statusUnitId = 0;
        previousConsumer = state_.consumerUnitId;
        previousControl = state_.controlUnitId;
    }
    {
        std::lock_guard lock(gateMutex);
        activeLink = this;
    }

    uint32_t consumerId = 0;
    if (api_.DeleteRequestFromUnitId)
        api_.DeleteRequestFromUnitId(previousConsumer);
    if (api_.RequestAsyncRead)
        api_.RequestAsyncRead(consumerSelector().data(), &DeviceLink::OnDeviceEvent,
                              HIDSERV_TAG_CONS, &consumerId);

    // The response slot must be ready before control input can arrive.
    transport_.ResetResponseSlot();

    uint32_t controlId = 0;
    if (api_.DeleteRequestFromUnitId)
        api_.DeleteRequestFromUnitId(previousControl);
    if (api_.RequestAsyncRead)
        api_.RequestAsyncRead(controlSelector().data(), &DeviceLink::OnDeviceEvent,
                              HIDSERV_TAG_CTRL, &controlId);

    int count = api_.RequestGetDeviceCount
                    ? api_.RequestGetDeviceCount(controlSelector().data(), 0, 0, 0)
                    : 0;
    if (count < 0)
        count = 0;
    {
        std::lock_guard lock(stateMutex_);
        state_.consumerUnitId = consumerId;
        state_.controlUnitId = controlId;
        if (count == 0)
            state_.firstShowDone = 1;
    }
    if (DeviceEventListener* listener = listener_.load())
        listener->onDeviceCount(count);
    return count;
}

int DeviceLink::SwitchGKeyLayer() {
    // Held across the write so two switches cannot interleave their
    // delete-then-register of the status registration.
    std::lock_guard lock(stateMutex_);
    state_.statusBytes[1] ^= 0x01;
    if (api_.DeleteRequestFromUnitId)
        api_.DeleteRequestFromUnitId(state_.statusUnitId);
    uint32_t unitId = 0;
    if (api_.RequestStatusWrite)
        api_.RequestStatusWrite(statusSelector().data(), &DeviceLink::OnDeviceEvent,
                                HIDSERV_TAG_DEL, state_.statusBytes.data(), 2, &unitId);
    state_.statusUnitId = unitId;
    return state_.statusBytes[1] & 0x01;
}

int DeviceLink::gKeyLayer() const {
    std::lock_guard lock(stateMutex_);
    return state_.statusBytes[1] & 0x01;
}

DeviceLinkState DeviceLink::state() const {
    std::lock_guard lock(stateMutex_);
    return state_;
}

int DeviceLink::OnDeviceEvent(HidServEvent* event) {
    if (!event)
        return 1;
    DeviceLink* link = nullptr;
    {
        std::lock_guard lock(gateMutex);
        link = activeLink;
        if (!link)
            return 1;
        ++eventsInFlight;
    }
    ++eventsOnThisThread;
    link->handleEvent(*event);
    --eventsOnThisThread;
    {
        std::lock_guard lock(gateMutex);
        --eventsInFlight;
    }
    gateIdle.notify_all();
    return 1;
}

void DeviceLink::handleEvent(const HidServEvent& event) {
    const HidServEventData* data = event.data;
    if (!data)
        return;
    DeviceEventListener* listener = listener_.load();

    if (event.kind == HIDSERV_EVENT_DEVICE_COUNT) {
        if (data->tag == HIDSERV_TAG_CTRL && listener)
            listener->onDeviceCount(static_cast<int>(data->value));
        return;
    }
    if (event.kind != HIDSERV_EVENT_INPUT)
        return;

    if (data->tag == HIDSERV_TAG_CTRL) {
        transport_.DeliverControlInput(data->input, data->input ? data->value : 0);
    } else if (data->tag == HIDSERV_TAG_CONS) {
        // The consumer input is read from the registration's own buffer.
        const HidServRegistration* registration = data->registration;
        if (!registration || !registration->readBuffer)
            return;
        const uint8_t* input = registration->readBuffer;
        uint16_t code = static_cast<uint16_t>(input[0] | (input[1] << 8));
        if (code == CONSUMER_LAYER_SWITCH)
            SwitchGKeyLayer();
        if (listener)
            listener->onConsumerCode(code);
    }
}

}  // namespace device
