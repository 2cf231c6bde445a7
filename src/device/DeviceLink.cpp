#include "device/DeviceLink.h"

#include "device/DeviceSelectors.h"

namespace device {

namespace {

// The link that library events go to. Guarded so that detach() cannot finish
// while an event is still being handled on the callback thread; recursive in
// case the library calls back from inside a request made by a handler.
std::recursive_mutex activeLinkMutex;
DeviceLink* activeLink = nullptr;

}  // namespace

DeviceLink::DeviceLink(const HidServApi& api, TransportTiming timing)
    : api_(api), transport_(api, timing), commands_(transport_) {}

DeviceLink::~DeviceLink() {
    detach();
}

void DeviceLink::detach() {
    std::lock_guard<std::recursive_mutex> lock(activeLinkMutex);
    if (activeLink == this)
        activeLink = nullptr;
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
        std::lock_guard<std::recursive_mutex> lock(activeLinkMutex);
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
    std::lock_guard<std::recursive_mutex> lock(activeLinkMutex);
    if (activeLink)
        activeLink->handleEvent(*event);
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
