// MacroRecorder.h - turns the keystrokes typed while recording into macro
// actions: which keys are recorded, auto-repeat suppressed, the pause since
// the previous keystroke measured on a monotonic millisecond clock, and the
// record-delay option (real pauses, or a fixed 50 ms).
//
// The recorder is a KeyHookSink: while it records, a KeyCaptureFilter hands
// it every key event of the application and it swallows all of them except
// media keys, which keep working.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "KeyHookSink.h"
#include "MacroRecord.h"

namespace settings {
class TextSource;
}

namespace macros::ui {

// Where recorded actions go (the macro page).
class RecordTarget {
  public:
    virtual ~RecordTarget() = default;
    // 1 = real pauses, 0 = fixed 50 ms; anything else records 0 ms.
    virtual int recordDelayOption() const = 0;
    // Inserts after the selected row, selects the new row and marks the page
    // changed. A full list drops the action.
    virtual void insertRecorded(const MacroAction& action) = 0;
};

inline constexpr uint32_t kFixedRecordedPauseMs = 50;
// How long a recorded key whose press never arrives (Print Screen) is held.
inline constexpr uint32_t kReleaseOnlyHoldMs = 2;

class MacroRecorder : public KeyHookSink {
  public:
    using Clock = std::function<uint32_t()>;  // milliseconds, monotonic, may wrap

    // The default clock is std::chrono::steady_clock.
    explicit MacroRecorder(Clock clock = {});

    void start(RecordTarget& target);
    void stop();
    bool recording() const { return target_ != nullptr; }

    bool systemKey(bool press, uint8_t lowLevelVk) override;
    bool threadKey(uint8_t vk, uint32_t messageData) override;

    // The pause rules: capped at the longest pause a macro holds, then the
    // option applied.
    static uint32_t RecordedDelay(uint32_t measuredMs, int option);

    static uint32_t SteadyMilliseconds();

  private:
    void add(uint32_t delay, uint16_t key, bool release);

    Clock clock_;
    RecordTarget* target_ = nullptr;
    uint32_t lastTick_ = 0;
    uint8_t lastWindowsKey_ = 0;
};

// The saved record-delay option, stored in the application's settings store
// (section PROFILES) under the current language's text of
// "MACRO_ACTION_RECORD_DELAY", so the value's name follows the language.
int LoadRecordDelay(const settings::TextSource& texts);
// Stores v (0 for anything but 0 and 1) and returns what was stored.
int SaveRecordDelay(const settings::TextSource& texts, int v);

}  // namespace macros::ui
