// keytune-skin-gen - draws every picture of Keytune's skin and writes the
// skin ini files from the same rectangles.
//
//   keytune-skin-gen SKIN-FOLDER ICON-ROOT FONT-FOLDER
//
// SKIN-FOLDER receives the ini files and pictures, ICON-ROOT the desktop icon
// tree (hicolor/<size>/apps/keytune.png, hicolor/scalable/apps/keytune.svg),
// FONT-FOLDER holds DejaVuSans.ttf and DejaVuSans-Bold.ttf. The output is the
// same, byte for byte, on every run.
#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>
#include <exception>

#include "Canvas.h"
#include "Generators.h"
#include "Layout.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: keytune-skin-gen SKIN-FOLDER ICON-ROOT FONT-FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString fonts = QString::fromLocal8Bit(argv[3]);
    for (const char* file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"}) {
        if (QFontDatabase::addApplicationFont(fonts + '/' + file) < 0) {
            std::fprintf(stderr,
                         "keytune-skin-gen: cannot load %s/%s (package fonts-dejavu-core)\n",
                         qPrintable(fonts), file);
            return 1;
        }
    }
    try {
        skin::Canvas canvas(QString::fromLocal8Bit(argv[1]));
        const skin::MainLayout main = skin::buildMainLayout();
        skin::generateMain(canvas, main);
        skin::generateComposite(canvas);
        skin::generateProfile(canvas);
        skin::generateLighting(canvas, main);
        skin::generateIcons(canvas, QString::fromLocal8Bit(argv[2]));
        if (!canvas.ok())
            return 1;
        std::printf("keytune-skin-gen: %d pictures\n", canvas.written());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "keytune-skin-gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
