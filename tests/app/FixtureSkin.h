// FixtureSkin.h - a small but complete main-window skin and program folder
// for the window tests: every key of the main skin file on a grid, plain
// coloured sheets (one colour per sheet, so a test can tell from a pixel
// which sheet a control shows), a folded outline, busy frames and the tray
// pictures.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <functional>
#include <map>
#include <string>

namespace fixture {

// The colour every pixel of each sheet has.
inline const std::map<QString, QColor> kSheetColours = {
    {"main_normal.jpg", QColor(40, 40, 40)},  {"main_over.jpg", QColor(0, 120, 0)},
    {"main_down.jpg", QColor(0, 0, 160)},     {"main_disable.jpg", QColor(160, 0, 0)},
    {"Arrow.jpg", QColor(160, 160, 0)},       {"main_color0.jpg", QColor(0, 160, 160)},
    {"main_color1.jpg", QColor(160, 0, 160)},
};

constexpr int kWidth = 640;
constexpr int kHeight = 400;
constexpr int kFoldedHeight = 240;

// Writes the skin into `skinFolder` and returns each key's rectangle.
std::map<std::string, QRect> WriteSkin(const QString& skinFolder);

// A program folder in `folder`: the staged libHidServ.so (linked), the
// language file of the source tree and the fixture skin.
std::map<std::string, QRect> WriteProgramFolder(const QString& folder);

// Processes events until `done` holds or `timeoutMs` passes.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000);

}  // namespace fixture
