// MainLayout.cpp - the main window: title bar, command row, the keyboard
// (G1-G5 in a column left of the main block, G6-G9 over the numeric pad, the
// lock lights in the bezel above them), the fold row, and the lighting panel
// in the lower strip that the compact layout folds away.
#include <QStringList>
#include <map>
#include <stdexcept>

#include "Layout.h"
#include "keys/KeyCatalogue.h"

namespace skin {
namespace {

constexpr double kUnit = 40;  // key pitch
constexpr double kGap = 4;    // between caps
constexpr double kWidth = 1200;
constexpr double kHeight = 680;
constexpr double kFold = 464;  // height of the compact window

// Physical place of a key: row 0 is the function row; x and widths in units
// from the left edge of the keyboard (the G column is at 0).
struct Place {
    double x, w = 1, h = 1;
    int row;
};

struct KeyArt {
    keys::KeyCode code;
    const char* legend;
    Place place;
};

constexpr double M = 1.5;   // main block
constexpr double N = 17;    // navigation cluster
constexpr double P = 20.5;  // numeric pad

// Every key button's cap. Legends are the catalogue's English names where they
// are short and the usual symbols otherwise.
const KeyArt kKeyArt[] = {
    // Function row.
    {0x001, "Esc", {M + 0, 1, 1, 0}},
    {0x03B, "F1", {M + 2, 1, 1, 0}},
    {0x03C, "F2", {M + 3, 1, 1, 0}},
    {0x03D, "F3", {M + 4, 1, 1, 0}},
    {0x03E, "F4", {M + 5, 1, 1, 0}},
    {0x03F, "F5", {M + 6.5, 1, 1, 0}},
    {0x040, "F6", {M + 7.5, 1, 1, 0}},
    {0x041, "F7", {M + 8.5, 1, 1, 0}},
    {0x042, "F8", {M + 9.5, 1, 1, 0}},
    {0x043, "F9", {M + 11, 1, 1, 0}},
    {0x044, "F10", {M + 12, 1, 1, 0}},
    {0x057, "F11", {M + 13, 1, 1, 0}},
    {0x058, "F12", {M + 14, 1, 1, 0}},
    {0x137, "PrtSc", {N + 0, 1, 1, 0}},
    {0x046, "ScrLk", {N + 1, 1, 1, 0}},
    {0x045, "Pause", {N + 2, 1, 1, 0}},
    // Number row.
    {0x029, "`", {M + 0, 1, 1, 1}},
    {0x002, "1", {M + 1, 1, 1, 1}},
    {0x003, "2", {M + 2, 1, 1, 1}},
    {0x004, "3", {M + 3, 1, 1, 1}},
    {0x005, "4", {M + 4, 1, 1, 1}},
    {0x006, "5", {M + 5, 1, 1, 1}},
    {0x007, "6", {M + 6, 1, 1, 1}},
    {0x008, "7", {M + 7, 1, 1, 1}},
    {0x009, "8", {M + 8, 1, 1, 1}},
    {0x00A, "9", {M + 9, 1, 1, 1}},
    {0x00B, "0", {M + 10, 1, 1, 1}},
    {0x00C, "-", {M + 11, 1, 1, 1}},
    {0x00D, "=", {M + 12, 1, 1, 1}},
    {0x00E, "Backspace", {M + 13, 2, 1, 1}},
    {0x152, "Ins", {N + 0, 1, 1, 1}},
    {0x147, "Home", {N + 1, 1, 1, 1}},
    {0x149, "PgUp", {N + 2, 1, 1, 1}},
    {0x145, "Num", {P + 0, 1, 1, 1}},
    {0x135, "/", {P + 1, 1, 1, 1}},
    {0x037, "*", {P + 2, 1, 1, 1}},
    {0x04A, "\u2212", {P + 3, 1, 1, 1}},
    // Top letter row.
    {0x00F, "Tab", {M + 0, 1.5, 1, 2}},
    {0x010, "Q", {M + 1.5, 1, 1, 2}},
    {0x011, "W", {M + 2.5, 1, 1, 2}},
    {0x012, "E", {M + 3.5, 1, 1, 2}},
    {0x013, "R", {M + 4.5, 1, 1, 2}},
    {0x014, "T", {M + 5.5, 1, 1, 2}},
    {0x015, "Y", {M + 6.5, 1, 1, 2}},
    {0x016, "U", {M + 7.5, 1, 1, 2}},
    {0x017, "I", {M + 8.5, 1, 1, 2}},
    {0x018, "O", {M + 9.5, 1, 1, 2}},
    {0x019, "P", {M + 10.5, 1, 1, 2}},
    {0x01A, "[", {M + 11.5, 1, 1, 2}},
    {0x01B, "]", {M + 12.5, 1, 1, 2}},
    {0x02B, "\\", {M + 13.5, 1.5, 1, 2}},
    {0x153, "Del", {N + 0, 1, 1, 2}},
    {0x14F, "End", {N + 1, 1, 1, 2}},
    {0x151, "PgDn", {N + 2, 1, 1, 2}},
    {0x047, "7", {P + 0, 1, 1, 2}},
    {0x048, "8", {P + 1, 1, 1, 2}},
    {0x049, "9", {P + 2, 1, 1, 2}},
    {0x04E, "+", {P + 3, 1, 2, 2}},
    // Home row.
    {0x03A, "Caps Lock", {M + 0, 1.75, 1, 3}},
    {0x01E, "A", {M + 1.75, 1, 1, 3}},
    {0x01F, "S", {M + 2.75, 1, 1, 3}},
    {0x020, "D", {M + 3.75, 1, 1, 3}},
    {0x021, "F", {M + 4.75, 1, 1, 3}},
    {0x022, "G", {M + 5.75, 1, 1, 3}},
    {0x023, "H", {M + 6.75, 1, 1, 3}},
    {0x024, "J", {M + 7.75, 1, 1, 3}},
    {0x025, "K", {M + 8.75, 1, 1, 3}},
    {0x026, "L", {M + 9.75, 1, 1, 3}},
    {0x027, ";", {M + 10.75, 1, 1, 3}},
    {0x028, "'", {M + 11.75, 1, 1, 3}},
    {0x01C, "Enter", {M + 12.75, 2.25, 1, 3}},
    {0x04B, "4", {P + 0, 1, 1, 3}},
    {0x04C, "5", {P + 1, 1, 1, 3}},
    {0x04D, "6", {P + 2, 1, 1, 3}},
    // Bottom letter row.
    {0x02A, "Shift", {M + 0, 2.25, 1, 4}},
    {0x02C, "Z", {M + 2.25, 1, 1, 4}},
    {0x02D, "X", {M + 3.25, 1, 1, 4}},
    {0x02E, "C", {M + 4.25, 1, 1, 4}},
    {0x02F, "V", {M + 5.25, 1, 1, 4}},
    {0x030, "B", {M + 6.25, 1, 1, 4}},
    {0x031, "N", {M + 7.25, 1, 1, 4}},
    {0x032, "M", {M + 8.25, 1, 1, 4}},
    {0x033, ",", {M + 9.25, 1, 1, 4}},
    {0x034, ".", {M + 10.25, 1, 1, 4}},
    {0x035, "/", {M + 11.25, 1, 1, 4}},
    {0x036, "Shift", {M + 12.25, 2.75, 1, 4}},
    {0x148, "\u2191", {N + 1, 1, 1, 4}},
    {0x04F, "1", {P + 0, 1, 1, 4}},
    {0x050, "2", {P + 1, 1, 1, 4}},
    {0x051, "3", {P + 2, 1, 1, 4}},
    {0x11C, "Enter", {P + 3, 1, 2, 4}},
    // Space row; the Fn key sits between the right Win and Menu keys.
    {0x01D, "Ctrl", {M + 0, 1.25, 1, 5}},
    {0x15B, "Win", {M + 1.25, 1.25, 1, 5}},
    {0x038, "Alt", {M + 2.5, 1.25, 1, 5}},
    {0x039, "", {M + 3.75, 6.25, 1, 5}},
    {0x138, "Alt", {M + 10, 1, 1, 5}},
    {0x15C, "Win", {M + 11, 1, 1, 5}},
    {0x15D, "Menu", {M + 13, 1, 1, 5}},
    {0x11D, "Ctrl", {M + 14, 1, 1, 5}},
    {0x14B, "\u2190", {N + 0, 1, 1, 5}},
    {0x150, "\u2193", {N + 1, 1, 1, 5}},
    {0x14D, "\u2192", {N + 2, 1, 1, 5}},
    {0x052, "0", {P + 0, 2, 1, 5}},
    {0x053, ".", {P + 2, 1, 1, 5}},
};
constexpr Place kFnPlace{M + 12, 1, 1, 5};

}  // namespace

MainLayout buildMainLayout() {
    MainLayout L;
    L.size = QSize(int(kWidth), int(kHeight));
    L.foldHeight = int(kFold);

    // Title bar: the brand mark (the web button), the caption area, the version
    // read-out and the window buttons.
    L.add({"VESTRA_LINK", {20, 12, 132, 28}, Role::Link});
    L.add({"CONTROL_CAPTION", {168, 14, 420, 24}});
    L.add({"VESTRA_VER", {924, 16, 96, 20}, Role::Version});
    const char* sysKeys[] = {"CONTROL_HELP", "CONTROL_MENU", "CONTROL_MINIMIZE", "CONTROL_CLOSE"};
    const Glyph sysGlyphs[] = {Glyph::Help, Glyph::Menu, Glyph::Minimise, Glyph::Close};
    for (int i = 0; i < 4; ++i) {
        Item b{sysKeys[i], {1036.0 + i * 36, 12, 32, 28}, Role::Push};
        b.glyph = sysGlyphs[i];
        L.add(b);
    }

    // Command row: profiles on the left, the keyboard-wide commands on the right.
    for (int i = 0; i < 3; ++i)
        L.add({QStringLiteral("FUNC_PROFILE%1").arg(i + 1),
               {24.0 + i * 100, 60, 96, 32},
               Role::Toggle});
    Item profiles{"FUNC_PROFILES", {336, 60, 200, 32}, Role::Push};
    profiles.glyph = Glyph::Caret;
    L.add(profiles);
    L.add({"FUNC_MACRO", {548, 60, 120, 32}, Role::Push});
    L.add({"FUNC_DEFAULT", {906, 60, 110, 32}, Role::Toggle});
    L.add({"FUNC_SWITCH", {1026, 60, 150, 32}, Role::Toggle});

    // The keyboard.
    const double keysWidth = 24.5 * kUnit - kGap;
    const double left = (kWidth - keysWidth) / 2;
    const double bodyTop = 104;
    const double top = bodyTop + 32;
    L.body = QRectF(left - 20, bodyTop, keysWidth + 40, 304);
    auto capRect = [&](const Place& pl) {
        const double y = pl.row == 0 ? top : top + 60 + (pl.row - 1) * kUnit;
        return QRectF(left + pl.x * kUnit, y, pl.w * kUnit - kGap, pl.h * kUnit - kGap);
    };

    std::map<keys::KeyCode, const KeyArt*> art;
    for (const KeyArt& k : kKeyArt) art[k.code] = &k;
    for (const keys::KeyButton& button : keys::KeyButtonTable) {
        auto it = art.find(button.key);
        if (it == art.end())
            throw std::runtime_error("a key button has no place on the keyboard picture");
        Item cap{QStringLiteral("KEY_%1")
                     .arg(keys::CodeToIndex(button.key), 3, 16, QChar('0'))
                     .toUpper(),
                 capRect(it->second->place), Role::Key};
        cap.legend = QString::fromUtf8(it->second->legend);
        L.add(cap);
    }
    Item fn{"KEY_FN", capRect(kFnPlace), Role::Key};
    fn.legend = "Fn";
    L.add(fn);
    for (int g = 1; g <= 9; ++g) {
        const Place pl = g <= 5 ? Place{0, 1, 1, g} : Place{P + (g - 6), 1, 1, 0};
        Item cap{QStringLiteral("FUNC_G%1").arg(g), capRect(pl), Role::Key};
        // G1-G5 get their layer captions (A1.., B1..) from the window.
        if (g <= 5)
            cap.secondary = QStringLiteral("G%1").arg(g);
        else
            cap.legend = QStringLiteral("G%1").arg(g);
        L.add(cap);
    }
    // Lock lights in the bezel above G6-G9.
    const char* lockKeys[] = {"LOCK_NUM", "LOCK_CAPS", "LOCK_SCROLL", "LOCK_AB"};
    const char* lockLegends[] = {"1", "A", "\u21e3", "AB"};
    for (int i = 0; i < 4; ++i) {
        Item lock{lockKeys[i], {left + (P + i) * kUnit, bodyTop + 8, kUnit - kGap, 16}, Role::Lock};
        lock.legend = QString::fromUtf8(lockLegends[i]);
        L.add(lock);
    }

    // Fold row: the two fold handles at its ends with their arrows, the layout
    // indicator, the busy indicator and the apply-type commands.
    L.foldRow = QRectF(0, 412, kWidth, 48);
    Item flip1{"FLIP_1", {24, 420, 44, 32}, Role::Toggle};
    flip1.glyph = Glyph::Grip;
    L.add(flip1);
    L.add({"LEFT_ARROW", {76, 422, 28, 28}});
    L.add({"FLIP_0", {112, 426, 36, 20}, Role::Flip0});
    L.add({"CONTROL_JDTStatic", {740, 422, 28, 28}});
    L.add({"CONTROL2_APPLY", {780, 420, 96, 32}, Role::Apply});
    L.add({"CONTROL_CANCEL", {884, 420, 96, 32}, Role::Push});
    Item ok{"CONTROL_OK", {988, 420, 96, 32}, Role::Push};
    ok.primary = true;
    L.add(ok);
    L.add({"RIGHT_ARROW", {1096, 422, 28, 28}});
    Item flip2{"FLIP_2", {1132, 420, 44, 32}, Role::Toggle};
    flip2.glyph = Glyph::Grip;
    L.add(flip2);

    // Arrow pictures: 4 columns (left 1, left 2, right 1, right 2) by 2 rows
    // (UP for the compact window, DOWN for the full one) of 32 px cells.
    L.arrowSize = QSize(28, 28);
    L.arrowSheet = QSize(128, 64);
    const char* sides[] = {"LEFT", "RIGHT"};
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col) {
            const QString key = QStringLiteral("%1_ARROW_%2%3")
                                    .arg(row == 0 ? "UP" : "DOWN", sides[col / 2])
                                    .arg(col % 2 + 1);
            // Compact: the arrows point down (a click unfolds the panel);
            // full: they point up. State 2 is the lit look.
            L.arrows.push_back({key, QPoint(col * 32 + 3, row * 32 + 3), row == 0, col % 2 == 1});
        }

    // Lighting panel in the lower strip: four groups side by side.
    L.panel = QRectF(24, 472, 1152, 196);
    L.panelGroups = {QRectF(36, 476, 270, 188), QRectF(318, 476, 282, 188),
                     QRectF(612, 476, 288, 188), QRectF(912, 476, 252, 188)};
    auto plain = [&](const char* key, QRectF r) { L.add({key, r}); };
    // Group 1: title and switch, mode list, report rate.
    plain("CONTROL_DengStatic", {52, 486, 170, 22});
    plain("CONTROL_DengStaPic", {238, 484, 56, 28});
    plain("CONTROL_XGcombox", {52, 524, 242, 30});
    plain("CONTROL_UsbStatic", {52, 568, 242, 20});
    for (int i = 0; i < 4; ++i)
        L.add({QStringLiteral("FUNC_REPORT%1").arg(i + 1),
               {52.0 + i * 61, 592, 57, 30},
               Role::Toggle});
    // Group 2: brightness and speed; mode 18's direction and mode 20's user
    // mode list take the speed row, which those modes do not show.
    plain("CONTROL_LightStatic", {334, 486, 250, 20});
    plain("CONTROL_LightSlider", {334, 510, 250, 28});
    plain("CONTROL_SpeedStatic", {334, 552, 250, 20});
    plain("CONTROL_SpeedSlider", {334, 576, 250, 28});
    plain("CONTROL_BLFXStatic", {334, 552, 120, 20});
    plain("CONTROL_BLFXLStaPic", {334, 576, 56, 28});
    plain("CONTROL_BLFXRStaPic", {398, 576, 56, 28});
    plain("CONTROL_umCombo", {334, 576, 250, 30});
    // Group 3: the mode-dependent controls. Row 1 holds the direction (modes
    // 1-3 and 12), the colour choice (17) or the paint and base colours (20);
    // row 2 the colour groups (FY, HX and the never-shown ones) or the tools.
    const double c1 = 628, c2 = 764, r1l = 486, r1 = 510, r2l = 552, r2 = 576;
    for (const char* suffix : {"2", "3"}) {
        L.add({QStringLiteral("CONTROL_BLFXStatic%1").arg(suffix), {c1, r1l, 120, 20}});
        L.add({QStringLiteral("CONTROL_BLFXLStaPic%1").arg(suffix), {c1, r1, 56, 28}});
        L.add({QStringLiteral("CONTROL_BLFXRStaPic%1").arg(suffix), {c1 + 64, r1, 56, 28}});
    }
    const char* choice[] = {"CONTROL_HONGPIC", "CONTROL_HUANGPIC", "CONTROL_LVPIC",
                            "CONTROL_LANPIC"};
    for (int i = 0; i < 4; ++i) plain(choice[i], {c1 + i * 48, r1, 40, 28});
    for (const char* group : {"FY", "HX", "TS", "CD"}) {
        const QString g = group;
        const QString colourKey = g == "FY" ? "CONTROL_FYYS" : "CONTROL_" + g + "ys";
        const QString switchKey = g == "FY" ? "CONTROL_FYSJS" : "CONTROL_" + g + "sjs";
        L.add({colourKey + "Static", {c1, r2l, 120, 20}});
        L.add({colourKey + "Button", {c1, r2, 120, 28}});
        L.add({switchKey + "Static", {c2, r2l, 120, 20}});
        L.add({switchKey + "StaPic", {c2, r2, 56, 28}});
    }
    plain("CONTROL_FYCFStatic", {c1, r1l, 120, 20});
    plain("CONTROL_FYdjcfStatic", {c1, r2l, 120, 20});
    plain("CONTROL_FYdjcfStaPic", {c1, r2, 56, 28});
    plain("CONTROL_FYggcfStatc", {c2, r2l, 120, 20});
    plain("CONTROL_FYggcfStaPic", {c2, r2, 56, 28});
    plain("CONTROL_JTysStatic", {c1, r2l, 120, 20});
    plain("CONTROL_JTysButton", {c1, r2, 120, 28});
    plain("CONTROL_USERysStatic", {c1, r1l, 120, 20});
    plain("CONTROL_USERysButton", {c1, r1, 120, 28});
    plain("CONTROL_USERjsStatic", {c2, r1l, 120, 20});
    plain("CONTROL_USERjsButton", {c2, r1, 120, 28});
    plain("CONTROL_USERgjStatic", {c1, r2l, 120, 20});
    plain("CONTROL_USERgjStaPic1", {c1, r2, 56, 28});
    plain("CONTROL_USERgjStaPic2", {c1 + 64, r2, 56, 28});
    // Group 4: presets, the RGB read-out and the maker's pages.
    for (int i = 0; i < 8; ++i)
        L.add({QStringLiteral("CONTROL_Color%1").arg(i + 1),
               {928.0 + (i % 4) * 58, i < 4 ? 486.0 : 522.0, 52, 28}});
    plain("CONTROL_RGBStatic", {928, 566, 40, 24});
    plain("COLOR_R", {972, 564, 56, 28});
    plain("COLOR_G", {1036, 564, 56, 28});
    plain("COLOR_B", {1100, 564, 56, 28});
    const char* maker[] = {"CONTROL_Network", "CONTROL_Facebook", "CONTROL_twitter"};
    const Glyph makerGlyphs[] = {Glyph::Globe, Glyph::LetterF, Glyph::Bird};
    for (int i = 0; i < 3; ++i) {
        Item b{maker[i], {1064.0 + i * 34, 616, 28, 28}, Role::Push};
        b.glyph = makerGlyphs[i];
        b.round = true;
        L.add(b);
    }
    return L;
}

}  // namespace skin
