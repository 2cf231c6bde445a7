#include "DeviceConnection.h"

#include <chrono>

#include "CTrayIcon.h"
#include "WindowCall.h"

namespace app {

DeviceConnection::DeviceConnection(device::DeviceLink& link, ConnectionHost& host, QObject* window)
    : link_(link), host_(host), window_(window) {}

DeviceConnection::~DeviceConnection() {
    stop();
}

void DeviceConnection::onDeviceCount(int count) {
    std::lock_guard lock(mutex_);
    if (stopping_)
        return;
    counts_.push_back(count);
    if (!worker_.joinable())
        worker_ = std::thread([this] { run(); });
    wake_.notify_one();
}

void DeviceConnection::onConsumerCode(uint16_t code) {
    if (stopping_)
        return;
    switch (code) {
        case device::CONSUMER_LAYER_SWITCH: {
            // The link has flipped the layer and written the status already.
            const int layer = link_.gKeyLayer();
            PostToWindowThread(window_, [this, layer] { host_.onGKeysChanged(layer); });
            break;
        }
        case device::CONSUMER_LIGHTING_CHANGED:
            PostToWindowThread(window_, [this] { host_.onLightingChanged(); });
            break;
        case device::CONSUMER_TRAY_HIGHLIGHT:
            PostToWindowThread(window_,
                               [this] { host_.setTrayPicture(CTrayIcon::kHighlight, false); });
            break;
        case device::CONSUMER_TRAY_NORMAL:
            PostToWindowThread(window_, [this] { host_.restoreTrayPicture(); });
            break;
        default:
            break;
    }
}

void DeviceConnection::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        wake_.notify_all();
    }
    if (worker_.joinable() && worker_.get_id() != std::this_thread::get_id())
        worker_.join();
}

void DeviceConnection::waitUntilIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return stopping_ || (counts_.empty() && !busy_); });
}

void DeviceConnection::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stopping_ || !counts_.empty(); });
        if (stopping_)
            break;
        const int count = counts_.front();
        counts_.pop_front();
        busy_ = true;
        lock.unlock();
        handleCount(count);
        lock.lock();
        busy_ = false;
        idle_.notify_all();
    }
    idle_.notify_all();
}

bool DeviceConnection::onWindow(std::function<void()> fn) {
    return !stopping_ && CallOnWindowThread(window_, std::move(fn), stopping_);
}

void DeviceConnection::handleCount(int count) {
    const int last = link_.state().lastDeviceCount;
    if (count == last)
        return;
    if (count > 0) {
        if (!onWindow([this] { host_.onVersionCheck(); }))
            return;
        if (stopping_)
            return;
        host_.readArrivalData();
        if (!onWindow([this] { host_.onProfileArrived(); }))
            return;
    } else if (last != 0) {
        link_.commands().InvalidateProfileCache();
        if (!onWindow([this] { host_.onDeviceRemoved(); }))
            return;
    }
    while (!host_.windowInitialised()) {
        if (stopping_)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    const int picture = count > 0 ? CTrayIcon::kKeyboard : CTrayIcon::kNoKeyboard;
    if (!onWindow([this, picture] { host_.setTrayPicture(picture, true); }))
        return;
    bool show = false;
    link_.updateState([&](device::DeviceLinkState& state) {
        state.lastDeviceCount = count;
        show = state.firstShowDone == 0 && count > 0;
        state.firstShowDone = 1;
    });
    if (show)
        PostToWindowThread(window_, [this] { host_.onOpen(); });
}

}  // namespace app
