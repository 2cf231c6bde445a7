// KeyHookSink.h - what receives the key events that KeyCaptureFilter takes
// from the whole application, in the two forms a Windows keyboard hook pair
// delivers them.
#pragma once

#include <cstdint>

namespace macros::ui {

class KeyHookSink {
  public:
    virtual ~KeyHookSink() = default;

    // The desktop-wide view: press or release of a low-level virtual key
    // (left and right modifiers told apart). True swallows the event; the
    // thread view is then not asked.
    virtual bool systemKey(bool press, uint8_t lowLevelVk) = 0;
    // The application-thread view: virtual key and key-message data (scan
    // code, extended, previous-state and transition bits). True swallows it.
    virtual bool threadKey(uint8_t vk, uint32_t messageData) = 0;
};

}  // namespace macros::ui
