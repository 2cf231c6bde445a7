#include "FakeHidServ.h"

#include <cstring>
#include <stdexcept>

namespace fake {

namespace {

FakeKeyboard* installed = nullptr;

std::string tagName(uint32_t tag) {
    if (tag == HIDSERV_TAG_CONS)
        return "CONS";
    if (tag == HIDSERV_TAG_CTRL)
        return "CTRL";
    if (tag == HIDSERV_TAG_DEL)
        return "DEL";
    return "?";
}

}  // namespace

FrameBytes echoResponse(const FrameBytes& request, uint8_t status) {
    FrameBytes response{};
    response[0] = 0x04;
    for (size_t i = 3; i <= 6; ++i) response[i] = request[i];
    response[7] = status;
    device::SetFrameChecksum(response);
    return response;
}

FakeKeyboard::FakeKeyboard() {
    if (installed)
        throw std::logic_error("one FakeKeyboard at a time");
    installed = this;
    responder_ = [](const FrameBytes& request, int) { return echoResponse(request); };
    thread_ = std::thread([this] { run(); });
}

FakeKeyboard::~FakeKeyboard() {
    {
        std::lock_guard lock(mutex_);
        running_ = false;
    }
    wake_.notify_all();
    thread_.join();
    installed = nullptr;
}

device::HidServApi FakeKeyboard::api() const {
    device::HidServApi api;
    api.Init = &Init;
    api.End = &End;
    api.Debug = &Debug;
    api.RequestGetDeviceCount = &RequestGetDeviceCount;
    api.DeleteRequestFromUnitId = &DeleteRequestFromUnitId;
    api.DeleteRequestFromHandle = &DeleteRequestFromHandle;
    api.RequestWrite = &RequestWrite;
    api.RequestWriteOne = &RequestWriteOne;
    api.RequestStatusWrite = &RequestStatusWrite;
    api.RequestStatusGet = &RequestStatusGet;
    api.RequestAsyncRead = &RequestAsyncRead;
    api.RequestStatusSetFeature = &RequestStatusSetFeature;
    return api;
}

void FakeKeyboard::setResponder(Responder responder) {
    std::lock_guard lock(mutex_);
    responder_ = std::move(responder);
}

std::vector<FrameBytes> FakeKeyboard::writes() const {
    std::lock_guard lock(mutex_);
    return writes_;
}

size_t FakeKeyboard::writeCount() const {
    std::lock_guard lock(mutex_);
    return writes_.size();
}

std::vector<std::string> FakeKeyboard::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<std::vector<uint8_t>> FakeKeyboard::statusWrites() const {
    std::lock_guard lock(mutex_);
    return statusWrites_;
}

void FakeKeyboard::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return !running_ || !jobs_.empty(); });
        if (!running_)
            return;
        auto job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        job();
        lock.lock();
        busy_ = false;
        if (jobs_.empty())
            idle_.notify_all();
    }
}

void FakeKeyboard::post(std::function<void()> job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void FakeKeyboard::drain() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

HidServCallback FakeKeyboard::callbackFor(uint32_t tag) const {
    std::lock_guard lock(mutex_);
    return tag == HIDSERV_TAG_CONS   ? consumerCallback_
           : tag == HIDSERV_TAG_CTRL ? controlCallback_
                                     : nullptr;
}

// Builds the event record the way the library does and calls back.
void FakeKeyboard::deliver(uint32_t tag, uint32_t kind, uint32_t value,
                           std::vector<uint8_t> bytes) {
    HidServCallback callback = callbackFor(tag);
    if (!callback)
        return;
    HidServRegistration registration{};
    registration.readBuffer = bytes.empty() ? nullptr : bytes.data();
    HidServEventData data{tag, value, bytes.empty() ? nullptr : bytes.data(), nullptr,
                          &registration};
    HidServEvent event{kind, 0, &data};
    callback(&event);
}

void FakeKeyboard::sendControlInput(const std::vector<uint8_t>& bytes) {
    post([this, bytes] {
        deliver(HIDSERV_TAG_CTRL, HIDSERV_EVENT_INPUT, static_cast<uint32_t>(bytes.size()), bytes);
    });
}

void FakeKeyboard::sendConsumerInput(const std::vector<uint8_t>& bytes) {
    post([this, bytes] {
        deliver(HIDSERV_TAG_CONS, HIDSERV_EVENT_INPUT, static_cast<uint32_t>(bytes.size()), bytes);
    });
}

void FakeKeyboard::sendDeviceCount(uint32_t tag, int count) {
    post([this, tag, count] {
        deliver(tag, HIDSERV_EVENT_DEVICE_COUNT, static_cast<uint32_t>(count), {});
    });
}

int FakeKeyboard::Init(int) {
    return 1;
}
int FakeKeyboard::End() {
    return 1;
}
int FakeKeyboard::Debug(int) {
    return 0;
}

int FakeKeyboard::RequestGetDeviceCount(const uint8_t*, int, int, int) {
    {
        std::lock_guard lock(installed->mutex_);
        installed->calls_.push_back("Count");
    }
    return installed->deviceCount.load();
}

int FakeKeyboard::DeleteRequestFromUnitId(uint32_t unitId) {
    std::lock_guard lock(installed->mutex_);
    installed->calls_.push_back("Delete " + std::to_string(unitId));
    return 1;
}

int FakeKeyboard::DeleteRequestFromHandle(void*) {
    return 0;
}
int FakeKeyboard::RequestWrite(const uint8_t*, int, int, const uint8_t*, int, int) {
    return 0;
}

int FakeKeyboard::RequestWriteOne(const uint8_t*, int, int, const uint8_t* report, int length,
                                  int) {
    FakeKeyboard* self = installed;
    FrameBytes frame{};
    std::memcpy(frame.data(), report, std::min<size_t>(static_cast<size_t>(length), 64));
    int index;
    {
        std::lock_guard lock(self->mutex_);
        self->calls_.push_back("WriteOne");
        index = static_cast<int>(self->writes_.size());
        self->writes_.push_back(frame);
    }
    int result = self->writeResult.load();
    if (result <= 0)
        return result;
    self->post([self, frame, index] {
        Responder responder;
        {
            std::lock_guard lock(self->mutex_);
            responder = self->responder_;
        }
        if (auto response = responder(frame, index)) {
            self->deliver(HIDSERV_TAG_CTRL, HIDSERV_EVENT_INPUT, 64,
                          std::vector<uint8_t>(response->begin(), response->end()));
        }
    });
    return result;
}

int FakeKeyboard::RequestStatusWrite(const uint8_t*, HidServCallback, uint32_t tag,
                                     const uint8_t* data, int length, uint32_t* outUnitId) {
    std::lock_guard lock(installed->mutex_);
    installed->calls_.push_back("StatusWrite " + tagName(tag));
    installed->statusWrites_.emplace_back(data, data + length);
    if (outUnitId)
        *outUnitId = installed->nextUnitId_++;
    return 1;
}

int FakeKeyboard::RequestStatusGet(const uint8_t*, uint8_t*, int) {
    return 0;
}

int FakeKeyboard::RequestAsyncRead(const uint8_t*, HidServCallback callback, uint32_t tag,
                                   uint32_t* outUnitId) {
    std::lock_guard lock(installed->mutex_);
    installed->calls_.push_back("AsyncRead " + tagName(tag));
    if (tag == HIDSERV_TAG_CONS)
        installed->consumerCallback_ = callback;
    if (tag == HIDSERV_TAG_CTRL)
        installed->controlCallback_ = callback;
    if (outUnitId)
        *outUnitId = installed->nextUnitId_++;
    return 1;
}

int FakeKeyboard::RequestStatusSetFeature(const uint8_t*, const uint8_t*, int) {
    return 0;
}

}  // namespace fake
