// PreviewEngine.h - the on-screen approximation of the keyboard's lighting
// effects.
//
// Plain state and arithmetic, no drawing: the window calls PreviewTick() from
// its 50 ms timer while the lighting panel is shown and tints each key button
// with what the tick yields (a colour, or "cleared" for no tint).
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "lighting/Colour.h"
#include "lighting/PreviewTables.h"

namespace lighting {

// Where the preview's random hues come from; tests inject a fixed sequence.
class PreviewRandom {
  public:
    virtual ~PreviewRandom() = default;
    virtual int NextHue() = 0;  // 0..254
};

// What the preview animates from: the host lighting state of the current profile.
struct PreviewInput {
    uint8_t mode = 0;
    uint8_t direction = 0;  // non-zero = left / up / spread
    Colour colour = 0;      // effect colour (+5..+7)
    bool multiColour = false;
    // Mode 20 shows each key's own colour; null shows every key cleared.
    const std::array<Colour, preview::kPreviewKeyCount>* keyColours = nullptr;
};

struct KeyTint {
    bool lit = false;  // false = cleared, no tint
    Colour colour = 0;
    bool operator==(const KeyTint&) const = default;
};
using PreviewFrame = std::array<KeyTint, preview::kPreviewKeyCount>;

class PreviewEngine {
  public:
    // Without a generator the engine uses its own, seeded once from the clock.
    explicit PreviewEngine(std::unique_ptr<PreviewRandom> random = nullptr);
    ~PreviewEngine();

    // Marks the preview for a reset at its next tick; called on every mode selection.
    void PreviewReset() { resetPending_ = true; }

    // One 50 ms step: the pending reset first, then the current mode's step.
    const PreviewFrame& PreviewTick(const PreviewInput& input);

    const PreviewFrame& frame() const { return frame_; }

    // Inspection for tests of the animation state.
    int levelInBank(int bank, int key) const { return banks_[bank].level[key]; }
    static constexpr int kSharedBank = 0, kBank13 = 1, kBank14 = 2, kBank16 = 3;

  private:
    struct Bank {
        std::array<uint8_t, preview::kPreviewKeyCount> level{};
        std::array<uint8_t, preview::kPreviewKeyCount> hue{};
    };
    // Four pulse planes over the grid: one byte per column, bit r = row r
    // (bits 6 and 7 are just below the grid and never shown). A moves left
    // and down, B right and down, C right and up, D left and up.
    struct Planes {
        std::array<uint8_t, 24> a{}, b{}, c{}, d{};
        uint8_t unionAt(int column) const { return a[column] | b[column] | c[column] | d[column]; }
        void setAll(int column, uint8_t bits);
        void orAll(int column, uint8_t bits);
        void clear() { *this = Planes{}; }
    };

    void reset();
    void clearAll();
    void tint(int key, Colour colour) { frame_[key] = {true, colour}; }
    void tintColumn(int column, Colour colour);
    void tintRow(int row, Colour colour);

    void stepWave(const PreviewInput& in);     // mode 1
    void stepPeak(const PreviewInput& in);     // mode 2
    void stepOrder(const PreviewInput& in);    // mode 3
    void stepCycle(const PreviewInput& in);    // mode 4
    void stepBreath(const PreviewInput& in);   // mode 5
    void stepStatic(const PreviewInput& in);   // mode 6
    void stepSparkle(const PreviewInput& in);  // mode 10
    void stepRainbow();                        // mode 11
    void stepRows(const PreviewInput& in);     // mode 12
    void stepRipple13(const PreviewInput& in);
    void stepScript14(const PreviewInput& in);
    void stepRain15(const PreviewInput& in);
    void stepRipple16(const PreviewInput& in);
    void stepRings(const PreviewInput& in);       // mode 18
    void stepKeyColours(const PreviewInput& in);  // mode 20

    void light(const Planes& planes, Bank& bank, bool multiColour);
    static void propagate(Planes& planes);
    void drawWithDecay(Bank& bank, const PreviewInput& in, bool fastDecay);

    std::unique_ptr<PreviewRandom> random_;
    PreviewFrame frame_{};
    bool resetPending_ = true;

    // Phase counters of the flowing modes; each mode keeps its own.
    int phase1_ = 0, phase2_ = 0, phase3_ = 0, phase4_ = 0, phase5_ = 0, phase12_ = 0, phase18_ = 0;
    int sparkleIndex_ = 0;
    bool rainbowSeeded_ = false;  // mode 11's hue spread, redone after each reset
    bool ripple13Started_ = false;
    int rainColumn_ = 0;
    int state14_ = 0, step14_ = 0;
    uint8_t hue14_ = 0;

    std::array<Bank, 4> banks_{};
    Planes shared_, planes13_, planes14_, planes16_;
};

}  // namespace lighting
