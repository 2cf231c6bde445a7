// ControlIds.h - the main window's control and command numbers. The numbers
// matter where behaviour depends on them (the G-button table, the profile
// menu's command range) and they name each control in tests.
#pragma once

namespace app::ids {

constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kProfileManager = 1005;
constexpr int kApply = 1006;
constexpr int kMacro = 1007;
constexpr int kWeb = 1121;
constexpr int kHelp = 1122;
constexpr int kMinimize = 1123;
constexpr int kClose = 1124;
constexpr int kCapsLock = 1125;
constexpr int kNumLock = 1126;
constexpr int kScrollLock = 1127;
constexpr int kLayerIndicator = 1128;
constexpr int kFlip0 = 1129;
constexpr int kFlip1 = 1130;
constexpr int kFlip2 = 1131;
constexpr int kProfile1 = 1135;  // 1136, 1137 follow
constexpr int kDefault = 1138;
constexpr int kMenu = 1139;
constexpr int kG9 = 1143;
constexpr int kSwitch = 1144;
constexpr int kReportRates[4] = {1147, 1168, 1169, 1170};
constexpr int kMakerPages[3] = {1219, 1220, 1221};
constexpr int kVersion = 1300;  // the version picture; no command

// The menu button's entries and the tray menu's.
constexpr int kImportCommand = 32776;
constexpr int kExportCommand = 32777;
constexpr int kAutostartCommand = 32778;
constexpr int kOpenCommand = 32771;
constexpr int kAboutCommand = 32773;
constexpr int kExitCommand = 32774;

// The profile menu's command range.
constexpr int kProfileMenuFirst = 9000;
constexpr int kProfileMenuLast = 9200;

}  // namespace app::ids
