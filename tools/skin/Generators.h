// Generators.h - one entry point per group of pictures.
#pragma once

#include <QString>

namespace skin {

class Canvas;
struct MainLayout;

void generateMain(Canvas& canvas, const MainLayout& layout);
void generateComposite(Canvas& canvas);
void generateProfile(Canvas& canvas);
void generateLighting(Canvas& canvas, const MainLayout& layout);
// Tray pictures into the skin folder, the application icon into both the skin
// folder and the desktop icon tree under `iconRoot`.
void generateIcons(Canvas& canvas, const QString& iconRoot);

// The window outline: black inside a rounded rectangle, exactly white outside.
void writeMask(Canvas& canvas, const QString& name, int width, int height, double radius);

}  // namespace skin
