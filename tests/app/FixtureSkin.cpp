#include "FixtureSkin.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QThread>
#include <cstdio>
#include <vector>

#include "KeyCatalogue.h"

namespace fixture {

namespace {

std::vector<std::string> skinKeys() {
    std::vector<std::string> keys = {
        "VESTRA_LINK",      "FUNC_PROFILES", "FUNC_MACRO",       "CONTROL_OK",    "CONTROL_CANCEL",
        "CONTROL_HELP",     "CONTROL_CLOSE", "CONTROL_MINIMIZE", "CONTROL_MENU",  "CONTROL2_APPLY",
        "LOCK_CAPS",        "LOCK_NUM",      "LOCK_SCROLL",      "LOCK_AB",       "FLIP_0",
        "FLIP_1",           "FLIP_2",        "FUNC_PROFILE1",    "FUNC_PROFILE2", "FUNC_PROFILE3",
        "FUNC_DEFAULT",     "FUNC_SWITCH",   "FUNC_REPORT1",     "FUNC_REPORT2",  "FUNC_REPORT3",
        "FUNC_REPORT4",     "VESTRA_VER",    "KEY_FN",           "LEFT_ARROW",    "RIGHT_ARROW",
        "CONTROL_JDTStatic"};
    for (int g = 1; g <= 9; ++g) keys.push_back("FUNC_G" + std::to_string(g));
    for (const auto& entry : keys::KeyButtonTable) {
        char key[16];
        std::snprintf(key, sizeof key, "KEY_%03X", keys::CodeToIndex(entry.key));
        keys.push_back(key);
    }
    return keys;
}

void fill(const QString& path, QSize size, QColor colour, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path, format);
}

}  // namespace

std::map<std::string, QRect> WriteSkin(const QString& skinFolder) {
    QDir().mkpath(skinFolder);
    for (const auto& [name, colour] : kSheetColours)
        fill(skinFolder + "/" + name, {kWidth, kHeight}, colour, "JPG");
    fill(skinFolder + "/mask.bmp", {kWidth, kHeight}, Qt::black, "BMP");
    fill(skinFolder + "/maskflip.bmp", {kWidth, kFoldedHeight}, Qt::black, "BMP");
    for (int i = 1; i <= 10; ++i)
        fill(skinFolder + QString("/jdt%1.bmp").arg(i), {20, 20}, QColor(i * 20, 0, 0), "BMP");
    for (const char* name : {"tray128.png", "tray141.png", "tray142.png", "keytune.png"})
        fill(skinFolder + "/" + name, {32, 32}, Qt::darkCyan, "PNG");

    std::map<std::string, QRect> rects;
    QString ini =
        "[SCREEN]\nMain=main_normal.jpg\nMask=mask.bmp\nMaskFlip=maskflip.bmp\n"
        "Link=https://example.org/keytune\n\n[BUTTONINFO]\n";
    int i = 0;
    for (const std::string& key : skinKeys()) {
        // 13 columns of 48 x 24 cells; every rectangle is inside the window.
        const QRect rect(4 + (i % 13) * 48, 4 + (i / 13) * 28, 44, 24);
        rects[key] = rect;
        ini += QString("%1=%2,%3,%4,%5\n")
                   .arg(QString::fromStdString(key))
                   .arg(rect.x())
                   .arg(rect.y())
                   .arg(rect.width())
                   .arg(rect.height());
        ++i;
    }
    ini +=
        "\n[BUTTONINFO2]\nUP_ARROW_LEFT1=0,0,1,1\nDOWN_ARROW_LEFT1=10,0,1,1\n"
        "UP_ARROW_RIGHT1=20,0,1,1\nDOWN_ARROW_RIGHT1=30,0,1,1\n";
    QFile file(skinFolder + "/Main.ini");
    file.open(QIODevice::WriteOnly);
    file.write(ini.toUtf8());
    return rects;
}

std::map<std::string, QRect> WriteProgramFolder(const QString& folder) {
    QDir().mkpath(folder);
    QFile::link(QStringLiteral(KEYTUNE_STAGE_DIR "/libHidServ.so"), folder + "/libHidServ.so");
    QFile::copy(QStringLiteral(KEYTUNE_SOURCE_DIR "/data/Lang0409.ini"), folder + "/Lang0409.ini");
    auto rects = WriteSkin(folder + "/Skins");
    QFile::copy(QStringLiteral(KEYTUNE_SOURCE_DIR "/data/Skins/UserDengColor_3.userd"),
                folder + "/Skins/UserDengColor_3.userd");
    return rects;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

}  // namespace fixture
