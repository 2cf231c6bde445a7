// PreviewEngine.cpp - per-mode step rules of the lighting preview.
#include "lighting/PreviewEngine.h"

#include <chrono>
#include <random>

namespace lighting {
namespace {

using namespace preview;

constexpr int kColumns = kGridColumns;

// The generator used when none is injected: seeded once from the clock.
class ClockSeededRandom : public PreviewRandom {
  public:
    ClockSeededRandom()
        : engine_(uint32_t(std::chrono::steady_clock::now().time_since_epoch().count())) {}
    int NextHue() override { return std::uniform_int_distribution<int>(0, 254)(engine_); }

  private:
    std::minstd_rand engine_;
};

// Moves phase p by step s within period n; forward adds, backward subtracts.
int AdvancePhase(bool forward, int p, int s, int n) {
    if (forward) {
        p += s;
        if (p >= n)
            p -= n;
    } else {
        p -= s;
        if (p < 0)
            p += n;
    }
    return p;
}

// One tick of fading: big steps while bright, single steps near black.
// Mode 14 fades faster in the two brightest bands.
int Decay(int level, bool fast) {
    if (level >= 128)
        return level - (fast ? 30 : 20);
    if (level >= 64)
        return level - (fast ? 20 : 16);
    if (level >= 32)
        return level - 10;
    if (level >= 17)
        return level - 5;
    if (level >= 1)
        return level - 1;
    return 0;
}

}  // namespace

void PreviewEngine::Planes::setAll(int column, uint8_t bits) {
    a[column] = b[column] = c[column] = d[column] = bits;
}

void PreviewEngine::Planes::orAll(int column, uint8_t bits) {
    a[column] |= bits;
    b[column] |= bits;
    c[column] |= bits;
    d[column] |= bits;
}

PreviewEngine::PreviewEngine(std::unique_ptr<PreviewRandom> random)
    : random_(random ? std::move(random) : std::make_unique<ClockSeededRandom>()) {}

PreviewEngine::~PreviewEngine() = default;

void PreviewEngine::reset() {
    state14_ = 0;
    step14_ = 0;
    hue14_ = 0;
    rainColumn_ = 0;
    banks_[kSharedBank] = Bank{};
    banks_[kBank16] = Bank{};
    shared_.clear();
    shared_.orAll(9, 0x40);
    planes16_.clear();
    planes16_.orAll(1, 0x01);
    // The rainbow's hue spread lives in the shared bank, which a reset
    // zeroes; spreading it again keeps mode 11 a rainbow after reselection.
    rainbowSeeded_ = false;
    resetPending_ = false;
}

const PreviewFrame& PreviewEngine::PreviewTick(const PreviewInput& in) {
    if (resetPending_)
        reset();
    switch (in.mode) {
        case 1:
            stepWave(in);
            break;
        case 2:
            stepPeak(in);
            break;
        case 3:
            stepOrder(in);
            break;
        case 4:
            stepCycle(in);
            break;
        case 5:
            stepBreath(in);
            break;
        case 6:
            stepStatic(in);
            break;
        case 10:
            stepSparkle(in);
            break;
        case 11:
            stepRainbow();
            break;
        case 12:
            stepRows(in);
            break;
        case 13:
            stepRipple13(in);
            break;
        case 14:
            stepScript14(in);
            break;
        case 15:
            stepRain15(in);
            break;
        case 16:
            stepRipple16(in);
            break;
        case 18:
            stepRings(in);
            break;
        case 20:
            stepKeyColours(in);
            break;
        default:
            clearAll();
            break;  // 7, 8, 9, 17 and codes without a preview
    }
    return frame_;
}

void PreviewEngine::clearAll() {
    frame_.fill(KeyTint{});
}

void PreviewEngine::tintColumn(int column, Colour colour) {
    for (int row = 0; row < kGridRows; ++row) {
        uint8_t key = GridKey(column, row);
        if (key != kEmptyCell)
            tint(key, colour);
    }
}

void PreviewEngine::tintRow(int row, Colour colour) {
    for (int column = 0; column < kColumns; ++column) {
        uint8_t key = GridKey(column, row);
        if (key != kEmptyCell)
            tint(key, colour);
    }
}

void PreviewEngine::stepWave(const PreviewInput& in) {
    if (in.multiColour) {
        phase1_ = AdvancePhase(in.direction != 0, phase1_, 9, 192);
        for (int k = 0; k < kColumns; ++k) tintColumn(k, Wheel((phase1_ + 9 * k) % 192));
    } else {
        phase1_ = AdvancePhase(in.direction != 0, phase1_, 7, 96);
        auto wave = WaveCurve();
        for (int k = 0; k < kColumns; ++k)
            tintColumn(k, ScaleColour(in.colour, wave[(phase1_ + 7 * k) % 96]));
    }
}

void PreviewEngine::stepPeak(const PreviewInput& in) {
    if (in.multiColour) {
        phase2_ = AdvancePhase(in.direction != 0, phase2_, 4, 192);
        for (int k = 0; k < kColumns; ++k) tintColumn(k, Wheel((phase2_ + 5 * k) % 192));
        return;
    }
    // A bright crest that runs across the columns; only 0xFF runs it leftwards.
    phase2_ = AdvancePhase(true, phase2_, 4, 128);
    auto peak = PeakCurve();
    int q = phase2_;
    for (int k = 0; k < kColumns; ++k) {
        if (in.direction == 0xFF) {
            q += 5;
            if (q > 128)
                q -= 128;
        } else {
            q -= 5;
            if (q < 0)
                q += 128;
        }
        tintColumn(k, ScaleColour(in.colour, peak[q]));
    }
}

void PreviewEngine::stepOrder(const PreviewInput& in) {
    if (in.multiColour) {
        phase3_ = AdvancePhase(in.direction != 0, phase3_, 4, 192);
        for (int i = 0; i < kPreviewKeyCount; ++i) tint(i, Wheel((phase3_ + 5 * i) % 192));
    } else {
        phase3_ = AdvancePhase(in.direction != 0, phase3_, 4, 96);
        auto wave = WaveCurve();
        for (int i = 0; i < kPreviewKeyCount; ++i)
            tint(i, ScaleColour(in.colour, wave[(phase3_ + 5 * i) % 96]));
    }
}

void PreviewEngine::stepCycle(const PreviewInput& in) {
    phase4_ = AdvancePhase(in.direction != 0, phase4_, 2, 192);
    for (int i = 0; i < kPreviewKeyCount; ++i) tint(i, Wheel(phase4_));
}

void PreviewEngine::stepBreath(const PreviewInput& in) {
    phase5_ = AdvancePhase(true, phase5_, 2, 128);
    int level = BreathCurve()[phase5_];
    for (int k = 0; k < kColumns; ++k)
        tintColumn(k, ScaleColour(in.multiColour ? Wheel(7 * k) : in.colour, level));
}

void PreviewEngine::stepStatic(const PreviewInput& in) {
    for (int k = 0; k < kColumns; ++k) {
        int index = 9 * k < 192 ? 9 * k : 0;
        tintColumn(k, in.multiColour ? Wheel(index) : in.colour);
    }
}

void PreviewEngine::stepSparkle(const PreviewInput& in) {
    Bank& bank = banks_[kSharedBank];
    auto order = SparkleOrder();
    for (int n = 0; n < 3; ++n) {
        sparkleIndex_ = sparkleIndex_ >= kPreviewKeyCount - 1 ? 0 : sparkleIndex_ + 1;
        int key = order[sparkleIndex_];
        bank.level[key] = 255;
        bank.hue[key] = uint8_t(random_->NextHue());
    }
    drawWithDecay(bank, in, false);
}

void PreviewEngine::stepRainbow() {
    Bank& bank = banks_[kSharedBank];
    if (!rainbowSeeded_) {
        int hue = 0;
        for (int i = 0; i < kPreviewKeyCount; ++i) {
            hue += 33;
            if (hue > 192)
                hue -= 192;
            bank.hue[i] = uint8_t(hue);
        }
        rainbowSeeded_ = true;
    }
    for (int i = 0; i < kPreviewKeyCount; ++i) {
        int hue = bank.hue[i] + 3;
        if (hue >= 192)
            hue = 0;
        bank.hue[i] = uint8_t(hue);
        tint(i, Wheel(hue));
    }
}

void PreviewEngine::stepRows(const PreviewInput& in) {
    phase12_ = AdvancePhase(in.direction != 0, phase12_, 3, 192);
    for (int row = 0; row < kGridRows; ++row) tintRow(row, Wheel((phase12_ + 32 * row) % 192));
}

void PreviewEngine::light(const Planes& planes, Bank& bank, bool multiColour) {
    for (int column = 0; column < kColumns; ++column) {
        uint8_t bits = planes.unionAt(column);
        for (int row = 0; row < kGridRows; ++row) {
            uint8_t key = GridKey(column, row);
            if (!(bits >> row & 1) || key == kEmptyCell)
                continue;
            bank.level[key] = 255;
            if (multiColour)
                bank.hue[key] = uint8_t(random_->NextHue());
        }
    }
}

// Every pulse cell moves one row (down for A and B, up for C and D) and spreads
// one column sideways, so a single pulse grows into a diamond-shaped ring.
void PreviewEngine::propagate(Planes& planes) {
    Planes next;
    for (int j = 0; j < kColumns; ++j) {
        uint8_t right = j + 1 < kColumns ? 1 : 0;
        uint8_t left = j > 0 ? 1 : 0;
        next.a[j] = uint8_t(planes.a[j] << 1) | (right ? planes.a[j + 1] : 0);
        next.d[j] = uint8_t(planes.d[j] >> 1) | (right ? planes.d[j + 1] : 0);
        next.b[j] = uint8_t(planes.b[j] << 1) | (left ? planes.b[j - 1] : 0);
        next.c[j] = uint8_t(planes.c[j] >> 1) | (left ? planes.c[j - 1] : 0);
    }
    planes = next;
}

void PreviewEngine::drawWithDecay(Bank& bank, const PreviewInput& in, bool fastDecay) {
    for (int i = 0; i < kPreviewKeyCount; ++i) {
        bank.level[i] = uint8_t(Decay(bank.level[i], fastDecay));
        Colour colour = in.multiColour ? RandomHueColour(bank.hue[i]) : in.colour;
        tint(i, ScaleColour(colour, bank.level[i]));
    }
}

void PreviewEngine::stepRipple13(const PreviewInput& in) {
    if (!ripple13Started_) {
        planes13_.orAll(9, 0x40);
        ripple13Started_ = true;
    }
    // A pulse that has run off the grid at column 9 restarts from the other edge.
    uint8_t u = planes13_.unionAt(9);
    if (u == 0x01)
        planes13_.setAll(9, 0x01);
    else if (u == 0x40)
        planes13_.orAll(9, 0x40);
    Bank& bank = banks_[kBank13];
    light(planes13_, bank, in.multiColour);
    propagate(planes13_);
    drawWithDecay(bank, in, false);
}

void PreviewEngine::stepScript14(const PreviewInput& in) {
    Bank& bank = banks_[kBank14];
    ++hue14_;
    auto lightKey = [&](int key, int hueStep) {
        bank.level[key] = 255;
        if (in.multiColour) {
            hue14_ = uint8_t(hue14_ + hueStep);
            bank.hue[key] = hue14_;
        } else {
            bank.hue[key] = 0;
        }
    };
    switch (state14_) {
        case 0:  // a path walked in from both ends of the keyboard
            for (PreviewKey key : Mode14PathStep(step14_)) lightKey(key, 11);
            if (++step14_ >= kMode14PathSteps) {
                state14_ = 1;
                step14_ = 0;
            }
            break;
        case 1:  // flashing pairs around the right hand, then wait for L to fade
            if (step14_ <= 30) {
                for (PreviewKey key : Mode14Pair(step14_ % kMode14Pairs)) lightKey(key, 1);
                ++step14_;
            } else if (bank.level[L] == 0) {
                state14_ = 2;
            }
            break;
        case 2: {  // a ripple from P
            GridCell cell = CellOfKey(P);
            planes14_.orAll(cell.column, uint8_t(1 << cell.row));
            state14_ = 3;
            break;
        }
        case 3:  // until the ripple reaches the left Ctrl
            light(planes14_, bank, in.multiColour);
            propagate(planes14_);
            if (bank.level[LCtrl] != 0)
                state14_ = 4;
            break;
        default:  // 4: once the left Ctrl has faded, start over
            if (bank.level[LCtrl] == 0) {
                state14_ = 0;
                step14_ = 0;
            }
            break;
    }
    drawWithDecay(bank, in, true);
}

void PreviewEngine::stepRain15(const PreviewInput& in) {
    int b = rainColumn_ + 7;
    if (b >= kColumns)
        b -= kColumns;
    int c = b;
    for (int n = 0; n < 3; ++n) {
        c = b + 3;
        if (c >= kColumns)
            c -= kColumns;
        shared_.orAll(c, 0x01);
        b = c;
    }
    rainColumn_ = c;
    Bank& bank = banks_[kSharedBank];
    light(shared_, bank, in.multiColour);
    for (int j = 0; j < kColumns; ++j) {
        shared_.a[j] = uint8_t(shared_.a[j] << 1);
        shared_.b[j] = uint8_t(shared_.b[j] << 1);
        shared_.c[j] >>= 1;
        shared_.d[j] >>= 1;
    }
    drawWithDecay(bank, in, false);
}

void PreviewEngine::stepRipple16(const PreviewInput& in) {
    // The pulse bounces between the top of column 1 and the bottom of column 22.
    if (planes16_.unionAt(1) == 0x01)
        planes16_.setAll(1, 0x01);
    if (planes16_.unionAt(22) == 0x40)
        planes16_.orAll(22, 0x40);
    Bank& bank = banks_[kBank16];
    light(planes16_, bank, in.multiColour);
    propagate(planes16_);
    drawWithDecay(bank, in, false);
}

void PreviewEngine::stepRings(const PreviewInput& in) {
    if (in.direction != 0) {
        phase18_ += 2;
        if (phase18_ >= 192)
            phase18_ = 0;
    } else {
        phase18_ -= 2;
        if (phase18_ < 0)
            phase18_ = 192;
    }
    int p = phase18_;
    for (int ring = 0; ring < kMode18Rings; ++ring) {
        p += 21;
        if (p >= 192)
            p -= 192;
        for (PreviewKey key : Mode18Ring(ring)) tint(key, Wheel(p));
    }
}

void PreviewEngine::stepKeyColours(const PreviewInput& in) {
    if (!in.keyColours) {
        clearAll();
        return;
    }
    for (int i = 0; i < kPreviewKeyCount; ++i) tint(i, (*in.keyColours)[i]);
}

}  // namespace lighting
