// PreviewTables.cpp - the preview's key grid, key order, colour wheel, curves
// and per-mode key lists.
#include "lighting/PreviewTables.h"

#include <algorithm>

namespace lighting::preview {
namespace {

constexpr uint8_t __ = kEmptyCell;

// Columns 0..22 of the six rows of the keyboard picture. Right Alt and
// keypad 0 are wide keys and fill two cells each.
constexpr uint8_t kGrid[kGridRows][kGridColumns] = {
    {__, __,  Esc, F1,  F2,    F3,    F4,    __, F5, F6, F7, F8,
     F9, F10, F11, F12, PrtSc, ScrLk, Pause, __, __, __, __},
    {G1,    Grave, D1, D2,        D3,  D4,   D5,   D6,    D7,      D8,     D9,     D0,
     Minus, Equal, __, Backspace, Ins, Home, PgUp, NumLk, KPSlash, KPStar, KPMinus},
    {G2,       Tab,      Q,  W,         E,   R,   T,    Y,   U,   I,   O, P,
     LBracket, RBracket, __, Backslash, Del, End, PgDn, KP7, KP8, KP9, __},
    {G3,    CapsLock, A,  S,     D,  F,  G,  H,   J,   K,   L,     Semicolon,
     Quote, __,       __, Enter, __, __, __, KP4, KP5, KP6, KPPlus},
    {G4, LShift, Z,  X,      C,  V,  B,  N,   M,   Comma, Period, Slash,
     __, __,     __, RShift, __, Up, __, KP1, KP2, KP3,   KPEnter},
    {G5,   LCtrl, LWin, LAlt,  __,   __,   Space, __,  __,  RAlt,  RAlt, Fn,
     Menu, __,    __,   RCtrl, Left, Down, Right, KP0, KP0, KPDot, __},
};

constexpr PreviewKeyButton Key(uint8_t position) {
    return {PreviewKeyButton::KeyButton, position};
}
constexpr PreviewKeyButton GKey(uint8_t g) {
    return {PreviewKeyButton::GButton, g};
}

// Button of each preview key, in key order; key buttons by their position in
// the main window's key button table.
constexpr PreviewKeyButton kButtons[kPreviewKeyCount] = {
    Key(65),  Key(76), Key(64), Key(63),  Key(62),  Key(61),
    Key(60),  Key(59),  // Pause .. F8
    Key(58),  Key(57), Key(56), Key(55),  Key(54),  Key(53),
    Key(52),  Key(37),                              // F7 .. Esc
    GKey(0),  GKey(1), GKey(2), GKey(3),  GKey(4),  // G1 .. G5
    Key(79),  Key(85), Key(83), Key(40),  Key(84),  {PreviewKeyButton::FnButton, 0},
    Key(78),  Key(80), Key(74), Key(73),  Key(75),  // RCtrl .. Right
    Key(96),  Key(99), Key(98), Key(103), Key(102), Key(101),
    Key(100), Key(97),                                        // KP0 .. NumLk
    Key(70),  Key(68), Key(66), Key(38),  Key(42),  Key(41),  // PgUp .. Minus
    Key(35),  Key(34), Key(33), Key(32),  Key(31),  Key(30),
    Key(29),  Key(28), Key(27), Key(26),  Key(48),  Key(39),
    Key(77),  Key(81),  // Grave .. LShift
    Key(25),  Key(23), Key(2),  Key(21),  Key(1),   Key(13),
    Key(12),  Key(49), Key(50), Key(51),  Key(82),  Key(72),
    Key(87),  Key(88), Key(89), Key(92),  Key(95),  Key(94),
    Key(93),                                                  // .. KP7
    Key(71),  Key(69), Key(67), Key(45),  Key(44),  Key(43),  // PgDn .. LBracket
    Key(15),  Key(14), Key(8),  Key(20),  Key(24),  Key(19),
    Key(17),  Key(4),  Key(22), Key(16),  Key(0),   Key(18),
    Key(3),   Key(5),  Key(6),  Key(7),   Key(9),   Key(10),
    Key(11),                                        // A .. L
    Key(46),  Key(47), Key(36), Key(90),  Key(91),  // ; ' Enter KP4 KP5
};

constexpr uint8_t kRise[32] = {1,   3,   5,   7,   10,  14,  18,  22,  26,  32,  38,
                               44,  50,  57,  65,  73,  81,  89,  99,  109, 119, 129,
                               140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
constexpr uint8_t kFall[32] = {248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124,
                               114, 104, 94,  85,  77,  69,  61,  53,  47,  41,  35,
                               29,  24,  20,  16,  12,  8,   6,   4,   2,   0};

constexpr std::array<Colour, 192> BuildWheel() {
    std::array<Colour, 192> wheel{};
    for (int i = 0; i < 32; ++i) {
        wheel[i] = MakeColour(255, kRise[i], 0);
        wheel[32 + i] = MakeColour(kFall[i], 255, 0);
        wheel[64 + i] = MakeColour(0, 255, kRise[i]);
        wheel[96 + i] = MakeColour(0, kFall[i], 255);
        wheel[128 + i] = MakeColour(kRise[i], 0, 255);
        wheel[160 + i] = MakeColour(255, 0, kFall[i]);
    }
    return wheel;
}
constexpr std::array<Colour, 192> kWheel = BuildWheel();

constexpr uint8_t kWaveRise[48] = {22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,
                                   61,  65,  69,  73,  77,  81,  85,  89,  94,  99,  104, 109,
                                   114, 119, 124, 129, 134, 140, 146, 152, 158, 164, 170, 176,
                                   182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};
constexpr uint8_t kBreathFoot[16] = {3, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 18, 20};

constexpr std::array<uint8_t, 96> BuildWave() {
    std::array<uint8_t, 96> wave{};
    for (int i = 0; i < 48; ++i) {
        wave[i] = kWaveRise[i];
        wave[95 - i] = kWaveRise[i];
    }
    return wave;
}
constexpr std::array<uint8_t, 128> BuildBreath() {
    std::array<uint8_t, 128> breath{};
    for (int i = 0; i < 16; ++i) {
        breath[i] = kBreathFoot[i];
        breath[127 - i] = kBreathFoot[i];
    }
    for (int i = 0; i < 48; ++i) {
        breath[16 + i] = kWaveRise[i];
        breath[111 - i] = kWaveRise[i];
    }
    return breath;
}
constexpr std::array<uint8_t, 96> kWave = BuildWave();
constexpr std::array<uint8_t, 128> kBreath = BuildBreath();

constexpr uint8_t kPeakHead[] = {
    0,   4,   8,   14,  22,  33,  45,  61,  77,  94,  114, 134, 158, 182, 206, 234,
    255, 248, 241, 234, 227, 220, 213, 206, 200, 194, 188, 182, 176, 170, 164, 158,
    152, 146, 140, 134, 129, 124, 119, 114, 109, 104, 99,  94,  89,  85,  81,  77,
    73,  69,  65,  61,  57,  53,  49,  45,  42,  39,  36,  33,  30,  27,  24,  22,
    20,  18,  16,  14,  12,  10,  9,   8,   7,   6,   5,   4,   3,   2,   2,   1};
constexpr std::array<uint8_t, 129> BuildPeak() {
    std::array<uint8_t, 129> peak{};  // zero after the listed head
    for (size_t i = 0; i < sizeof kPeakHead; ++i) peak[i] = kPeakHead[i];
    return peak;
}
constexpr std::array<uint8_t, 129> kPeak = BuildPeak();

constexpr uint8_t kSparkle[kPreviewKeyCount] = {
    88, 24, 101, 57, 16, 69, 35,  34, 36, 51, 78, 18,  12,  66, 97, 9,  33, 41, 55, 52, 48, 95,
    77, 70, 10,  23, 39, 3,  102, 17, 65, 22, 31, 4,   85,  76, 15, 60, 54, 21, 83, 94, 6,  61,
    49, 20, 5,   14, 68, 98, 71,  27, 81, 1,  0,  87,  46,  75, 37, 73, 32, 79, 8,  29, 72, 56,
    44, 99, 13,  47, 42, 93, 91,  80, 86, 89, 43, 28,  58,  59, 38, 53, 2,  62, 64, 90, 96, 74,
    92, 40, 25,  26, 7,  30, 50,  84, 45, 67, 19, 103, 100, 82, 11, 63, 0,  0,  0,  0,  0};

// Mode 14's path from both ends of the keyboard at once, one step per tick.
constexpr PreviewKey kPath0[] = {Esc, KPEnter};
constexpr PreviewKey kPath1[] = {F1, KPDot};
constexpr PreviewKey kPath2[] = {F2, KP0};
constexpr PreviewKey kPath3[] = {F3, Right, Grave, KPEnter};
constexpr PreviewKey kPath4[] = {F4, Down, D1, KP3};
constexpr PreviewKey kPath5[] = {F5, Left, D2, KP2};
constexpr PreviewKey kPath6[] = {F6, RCtrl, D3, KP1, Tab, KPPlus};
constexpr PreviewKey kPath7[] = {F7, Menu, D4, Up, Q, KP6};
constexpr PreviewKey kPath8[] = {F8, Fn, D5, RShift, W, KP5};
constexpr PreviewKey kPath9[] = {F9, RAlt, D6, Slash, E, KP4};
constexpr PreviewKey kPath10[] = {Equal, Comma, D7, Period, R};
constexpr PreviewKey kPath11[] = {RBracket, K, D8, Comma, T};
constexpr PreviewKey kPath12[] = {Quote, I, D9, K, Y, Enter};
constexpr PreviewKey kPath13[] = {Slash, D9, D0, I, U, Quote};
constexpr PreviewKey kPath14[] = {Period, D0, P, D9, I, Semicolon};
constexpr PreviewKey kPath15[] = {Comma, Minus, L, D0, O, L};
constexpr PreviewKey kPath16[] = {K, Equal, K, P, P, K};
constexpr PreviewKey kPath17[] = {I, RBracket, I, L, LBracket};
constexpr PreviewKey kPath18[] = {D9, Quote};
constexpr PreviewKey kPath19[] = {D0, Slash};
constexpr std::span<const PreviewKey> kPath[kMode14PathSteps] = {
    kPath0,  kPath1,  kPath2,  kPath3,  kPath4,  kPath5,  kPath6,  kPath7,  kPath8,  kPath9,
    kPath10, kPath11, kPath12, kPath13, kPath14, kPath15, kPath16, kPath17, kPath18, kPath19};

constexpr std::array<PreviewKey, 2> kPairs[kMode14Pairs] = {
    {D9, Slash}, {D0, Period},    {Minus, Comma}, {Equal, K},    {RBracket, I}, {Quote, D9},
    {Slash, D0}, {Period, Minus}, {Comma, Equal}, {K, RBracket}, {I, Quote},    {O, Semicolon},
    {P, L},      {LBracket, O},   {Semicolon, P}, {L, LBracket}};

constexpr PreviewKey kRing0[] = {O};
constexpr PreviewKey kRing1[] = {D9, I, K, L, P, D0};
constexpr PreviewKey kRing2[] = {F8, D8, U, J, M, Comma, Period, Semicolon, LBracket, Minus};
constexpr PreviewKey kRing3[] = {F7, D7, Y, H, N, RAlt, Slash, Quote, RBracket, Equal, F9};
constexpr PreviewKey kRing4[] = {F6,     D6,    T,         G,         B,   Fn,
                                 RShift, Enter, Backslash, Backspace, F10, F11};
constexpr PreviewKey kRing5[] = {F5, D5, R, F, V, Space, Menu, RCtrl, Del, Ins, F12};
constexpr PreviewKey kRing6[] = {F4, D4, E, D, C, Left, Up, End, Home, PrtSc};
constexpr PreviewKey kRing7[] = {F3, D3, W, S, X, Down, Right, PgDn, PgUp, Pause, ScrLk};
constexpr PreviewKey kRing8[] = {F2, D2, Q, A, Z, LAlt, KP1, KP4, KP7, NumLk};
constexpr PreviewKey kRing9[] = {F1, D1, Tab, CapsLock, LShift, LWin, KP0, KP2, KP5, KP8, KPSlash};
constexpr PreviewKey kRing10[] = {Esc, Grave, LCtrl, KPDot, KP3, KP6, KP9, KPStar};
constexpr PreviewKey kRing11[] = {KPEnter, KPPlus, KPMinus, G1, G2, G3, G4, G5};
constexpr std::span<const PreviewKey> kRings[kMode18Rings] = {kRing0, kRing1, kRing2,  kRing3,
                                                              kRing4, kRing5, kRing6,  kRing7,
                                                              kRing8, kRing9, kRing10, kRing11};

constexpr std::array<GridCell, kPreviewKeyCount> BuildCells() {
    std::array<GridCell, kPreviewKeyCount> cells{};
    for (auto& cell : cells) cell = {-1, -1};
    for (int row = 0; row < kGridRows; ++row)
        for (int column = 0; column < kGridColumns; ++column) {
            uint8_t key = kGrid[row][column];
            if (key != kEmptyCell && cells[key].column < 0)
                cells[key] = {column, row};
        }
    return cells;
}
constexpr std::array<GridCell, kPreviewKeyCount> kCells = BuildCells();

}  // namespace

uint8_t GridKey(int column, int row) {
    if (column < 0 || column >= kGridColumns || row < 0 || row >= kGridRows)
        return kEmptyCell;
    return kGrid[row][column];
}

PreviewKeyButton ButtonOfPreviewKey(int key) {
    return kButtons[key];
}

Colour Wheel(int index) {
    return kWheel[index];
}
std::span<const uint8_t> WaveCurve() {
    return kWave;
}
std::span<const uint8_t> BreathCurve() {
    return kBreath;
}
std::span<const uint8_t> PeakCurve() {
    return kPeak;
}
std::span<const uint8_t> SparkleOrder() {
    return kSparkle;
}
std::span<const PreviewKey> Mode14PathStep(int step) {
    return kPath[step];
}
std::array<PreviewKey, 2> Mode14Pair(int pair) {
    return kPairs[pair];
}
std::span<const PreviewKey> Mode18Ring(int ring) {
    return kRings[ring];
}
GridCell CellOfKey(int key) {
    return kCells[key];
}

}  // namespace lighting::preview
