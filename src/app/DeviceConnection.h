// DeviceConnection.h - the window side of the keyboard connection.
//
// The device link reports keyboard counts and consumer codes on the library's
// callback thread. Counts are handed to one worker thread that runs each
// arrival or removal to its end, in order: the firmware check, the arrival
// reads and the reload on the window thread, the tray picture and the first
// show. Consumer codes are posted to the window thread. Nothing here blocks
// the callback thread, and stop() ends the worker before the window goes.
#pragma once

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "device/DeviceLink.h"

namespace app {

// What the connection needs from the main window. Methods marked "window"
// run on the window thread, the others on the worker.
class ConnectionHost {
  public:
    virtual ~ConnectionHost() = default;
    // worker: the window has finished its start ("INIT" was handled).
    virtual bool windowInitialised() const = 0;
    // window: "VER", the firmware check (may end the program).
    virtual void onVersionCheck() = 0;
    // worker: the factory key map and the macro capacity.
    virtual void readArrivalData() = 0;
    // window: "PROF", everything reloaded from the keyboard.
    virtual void onProfileArrived() = 0;
    // window: the keyboard went away: close the secondary dialogs, hide.
    virtual void onDeviceRemoved() = 0;
    // window: tray picture 128/141 (remembered) or 142.
    virtual void setTrayPicture(int id, bool remember) = 0;
    // window: "OPEN".
    virtual void onOpen() = 0;
    // window: the G-key layer is now `layer` (0 = A, 1 = B).
    virtual void onGKeysChanged(int layer) = 0;
    // window: the keyboard changed its lighting (timer 1051).
    virtual void onLightingChanged() = 0;
    // window: the tray picture goes back to the remembered one.
    virtual void restoreTrayPicture() = 0;
};

class DeviceConnection : public device::DeviceEventListener {
  public:
    // `window` is the QObject whose thread runs the window-side calls.
    DeviceConnection(device::DeviceLink& link, ConnectionHost& host, QObject* window);
    ~DeviceConnection() override;

    void onDeviceCount(int count) override;
    void onConsumerCode(uint16_t code) override;

    // Ends the worker (waiting for a device command it is in, never for the
    // window thread). Further events are ignored.
    void stop();
    // Set as soon as stop() begins; window calls from the worker give up.
    const std::atomic<bool>& stopping() const { return stopping_; }

    // For tests: blocks until every count handed in so far has been handled.
    void waitUntilIdle();

  private:
    void run();
    void handleCount(int count);
    bool onWindow(std::function<void()> fn);

    device::DeviceLink& link_;
    ConnectionHost& host_;
    QObject* window_;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<int> counts_;
    bool busy_ = false;
    std::thread worker_;
};

}  // namespace app
