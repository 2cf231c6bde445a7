#include "MacroRecorder.h"

#include <chrono>

#include "keys/KeyCatalogue.h"
#include "keys/KeyEventTranslator.h"
#include "settings/SettingsValues.h"
#include "settings/TextSource.h"

namespace macros::ui {

namespace {

constexpr uint8_t kVkLeftWindows = 0x5B;
constexpr uint8_t kVkRightWindows = 0x5C;
constexpr keys::KeyCode kKeyLeftWindows = 0x15B;
constexpr keys::KeyCode kKeyRightWindows = 0x15C;

}  // namespace

uint32_t MacroRecorder::SteadyMilliseconds() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

MacroRecorder::MacroRecorder(Clock clock)
    : clock_(clock ? std::move(clock) : Clock(&MacroRecorder::SteadyMilliseconds)) {}

void MacroRecorder::start(RecordTarget& target) {
    target_ = &target;
    lastTick_ = clock_();
    lastWindowsKey_ = 0;
}

void MacroRecorder::stop() {
    target_ = nullptr;
}

uint32_t MacroRecorder::RecordedDelay(uint32_t measuredMs, int option) {
    const uint32_t capped = std::min(measuredMs, MAX_ACTION_DELAY_MS);
    if (option == 0)
        return kFixedRecordedPauseMs;
    return option == 1 ? capped : 0;
}

void MacroRecorder::add(uint32_t delay, uint16_t key, bool release) {
    MacroAction action;
    action.delayMs = RecordedDelay(delay, target_->recordDelayOption());
    action.key = key;
    action.release = release ? 1 : 0;
    target_->insertRecorded(action);
}

bool MacroRecorder::systemKey(bool press, uint8_t vk) {
    if (!target_)
        return false;
    bool fresh = true;
    if (press)
        fresh = vk != lastWindowsKey_;
    else
        lastWindowsKey_ = 0;
    if (vk != kVkLeftWindows && vk != kVkRightWindows)
        return false;
    const keys::KeyCode key = vk == kVkLeftWindows ? kKeyLeftWindows : kKeyRightWindows;
    lastWindowsKey_ = press ? vk : 0;
    if (!fresh)
        return true;
    const uint32_t now = clock_();
    add(now - lastTick_, key, !press);
    lastTick_ = now;
    return true;
}

bool MacroRecorder::threadKey(uint8_t vk, uint32_t data) {
    if (!target_)
        return false;
    const keys::KeyCode key = keys::KeyFromMessage(vk, data);
    if (key == keys::kNoKey || keys::IsMediaKey(key))
        return false;
    const bool release = (data & keys::kMessageReleased) != 0;
    if (!release && (data & keys::kMessagePreviousDown) != 0)
        return true;  // auto-repeat of a held key
    const uint32_t now = clock_();
    if (keys::IsReleaseOnlyKey(key)) {
        // Only the release arrives; it stands for a press after the measured
        // pause and a release right after it.
        if (!release)
            return true;
        add(now - lastTick_, key, false);
        add(kReleaseOnlyHoldMs, key, true);
    } else {
        add(now - lastTick_, key, release);
    }
    lastTick_ = now;
    return true;
}

int LoadRecordDelay(const settings::TextSource& texts) {
    const std::string name = texts.Text("MACRO_ACTION_RECORD_DELAY");
    return settings::ParseDecimal(settings::ReadAppSetting(settings::kProfilesSection, name, "0"));
}

int SaveRecordDelay(const settings::TextSource& texts, int v) {
    v = (v == 0 || v == 1) ? v : 0;
    const std::string name = texts.Text("MACRO_ACTION_RECORD_DELAY");
    settings::WriteAppSetting(settings::kProfilesSection, name, std::to_string(v));
    return v;
}

}  // namespace macros::ui
