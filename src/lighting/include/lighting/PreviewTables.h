// PreviewTables.h - the fixed tables the on-screen lighting preview is built from:
// the 109 keys it animates, their grid and walking order, the colour wheel, the
// brightness curves and the per-mode key lists.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "lighting/ButtonRef.h"
#include "lighting/Colour.h"

namespace lighting::preview {

// The 109 animated keys, numbered in the preview's key order (the order in
// which per-key animations walk the keyboard).
enum PreviewKey : uint8_t {
    Pause,
    ScrLk,
    PrtSc,
    F12,
    F11,
    F10,
    F9,
    F8,
    F7,
    F6,
    F5,
    F4,
    F3,
    F2,
    F1,
    Esc,
    G1,
    G2,
    G3,
    G4,
    G5,
    LCtrl,
    LWin,
    LAlt,
    Space,
    RAlt,
    Fn,
    Menu,
    RCtrl,
    Left,
    Down,
    Right,
    KP0,
    KPDot,
    KPEnter,
    KPPlus,
    KPMinus,
    KPStar,
    KPSlash,
    NumLk,
    PgUp,
    Home,
    Ins,
    Backspace,
    Equal,
    Minus,
    D0,
    D9,
    D8,
    D7,
    D6,
    D5,
    D4,
    D3,
    D2,
    D1,
    Grave,
    Tab,
    CapsLock,
    LShift,
    Z,
    X,
    C,
    V,
    B,
    N,
    M,
    Comma,
    Period,
    Slash,
    RShift,
    Up,
    KP1,
    KP2,
    KP3,
    KP6,
    KP9,
    KP8,
    KP7,
    PgDn,
    End,
    Del,
    Backslash,
    RBracket,
    LBracket,
    P,
    O,
    I,
    U,
    Y,
    T,
    R,
    E,
    W,
    Q,
    A,
    S,
    D,
    F,
    G,
    H,
    J,
    K,
    L,
    Semicolon,
    Quote,
    Enter,
    KP4,
    KP5,
    kPreviewKeyCount
};
static_assert(kPreviewKeyCount == 109);

constexpr int kGridColumns = 23;
constexpr int kGridRows = 6;
constexpr uint8_t kEmptyCell = 0xFF;

// Which main-window button a preview key tints.
using PreviewKeyButton = ButtonRef;

// Grid cell (column 0..22, row 0..5) to key, or kEmptyCell.
uint8_t GridKey(int column, int row);
PreviewKeyButton ButtonOfPreviewKey(int key);

// The colour wheel (192 entries), and a random hue 0..255 as a colour: hue h
// shows wheel entry h mod 192 (255 is one past the random-hue table and is
// taken the same way).
Colour Wheel(int index);
inline Colour RandomHueColour(int hue) {
    return Wheel(hue % 192);
}

std::span<const uint8_t> WaveCurve();     // 96 levels
std::span<const uint8_t> BreathCurve();   // 128 levels
std::span<const uint8_t> PeakCurve();     // 129 levels, index 0..128
std::span<const uint8_t> SparkleOrder();  // 109 key-order positions

// Mode 14: the keys lit at each of the 20 path steps, and the 16 key pairs.
std::span<const PreviewKey> Mode14PathStep(int step);
constexpr int kMode14PathSteps = 20;
std::array<PreviewKey, 2> Mode14Pair(int pair);
constexpr int kMode14Pairs = 16;

// Mode 18: the keys of each of the 12 rings around O.
std::span<const PreviewKey> Mode18Ring(int ring);
constexpr int kMode18Rings = 12;

// Grid cell of a key (its first cell for the two keys that fill two).
struct GridCell {
    int column;
    int row;
};
GridCell CellOfKey(int key);

}  // namespace lighting::preview
