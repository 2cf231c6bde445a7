// The staged skin: every key each window reads is in its file with a
// rectangle inside the window, the keyboard's buttons do not overlap, every
// sheet has its window's size, buttons change between states, the outlines
// are exact, every picture exists at 1x and 2x, and the generator repeats
// itself byte for byte.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <map>

#include "keys/KeyCatalogue.h"
#include "support/TempFolder.h"

namespace {

const QString kSkins = QStringLiteral(KEYTUNE_STAGE_DIR "/Skins");

// A minimal reader: section -> key -> value, first key wins.
using Ini = std::map<QString, std::map<QString, QString>>;
Ini readIni(const QString& name) {
    Ini ini;
    QFile f(kSkins + '/' + name);
    if (!f.open(QIODevice::ReadOnly))
        return ini;
    QString section;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith('[')) {
            section = line.mid(1, line.size() - 2);
        } else if (const int eq = line.indexOf('='); eq > 0) {
            ini[section].emplace(line.left(eq), line.mid(eq + 1));
        }
    }
    return ini;
}

bool rectOf(const Ini& ini, const QString& key, QRect* r, const QString& section = "BUTTONINFO") {
    auto s = ini.find(section);
    if (s == ini.end())
        return false;
    auto k = s->second.find(key);
    if (k == s->second.end())
        return false;
    const QStringList parts = k->second.split(',');
    if (parts.size() != 4)
        return false;
    *r = QRect(parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt());
    return true;
}

QImage load(const QString& name) {
    return QImage(kSkins + '/' + name);
}

QStringList numbered(const QString& pattern, int from, int to) {
    QStringList out;
    for (int i = from; i <= to; ++i) out << pattern.arg(i);
    return out;
}

QStringList mainKeys() {
    QStringList k = {"VESTRA_LINK",    "FUNC_PROFILES",  "FUNC_MACRO",    "CONTROL_OK",
                     "CONTROL_CANCEL", "CONTROL_HELP",   "CONTROL_CLOSE", "CONTROL_MINIMIZE",
                     "CONTROL_MENU",   "CONTROL2_APPLY", "LOCK_CAPS",     "LOCK_NUM",
                     "LOCK_SCROLL",    "LOCK_AB",        "FLIP_0",        "FLIP_1",
                     "FLIP_2",         "FUNC_DEFAULT",   "FUNC_SWITCH",   "KEY_FN",
                     "VESTRA_VER",     "COLOR_R",        "COLOR_G",       "COLOR_B",
                     "LEFT_ARROW",     "RIGHT_ARROW"};
    k << numbered("FUNC_PROFILE%1", 1, 3) << numbered("FUNC_REPORT%1", 1, 4)
      << numbered("FUNC_G%1", 1, 9);
    for (const keys::KeyButton& b : keys::KeyButtonTable)
        k << QStringLiteral("KEY_%1").arg(keys::CodeToIndex(b.key), 3, 16, QChar('0')).toUpper();
    k << QString(
             "CONTROL_UsbStatic CONTROL_RGBStatic CONTROL_DengStatic CONTROL_DengStaPic "
             "CONTROL_XGcombox "
             "CONTROL_JDTStatic CONTROL_LightStatic CONTROL_LightSlider CONTROL_SpeedStatic "
             "CONTROL_SpeedSlider CONTROL_BLFXStatic CONTROL_BLFXLStaPic CONTROL_BLFXRStaPic "
             "CONTROL_FYYSStatic CONTROL_FYYSButton CONTROL_FYSJSStaPic CONTROL_FYSJSStatic "
             "CONTROL_FYCFStatic CONTROL_FYdjcfStatic CONTROL_FYggcfStatc CONTROL_FYdjcfStaPic "
             "CONTROL_FYggcfStaPic CONTROL_HONGPIC CONTROL_HUANGPIC CONTROL_LVPIC CONTROL_LANPIC "
             "CONTROL_HXysStatic CONTROL_HXysButton CONTROL_HXsjsStatic CONTROL_HXsjsStaPic "
             "CONTROL_JTysStatic CONTROL_JTysButton CONTROL_USERysStatic CONTROL_USERysButton "
             "CONTROL_USERjsStatic CONTROL_USERjsButton CONTROL_USERgjStatic CONTROL_USERgjStaPic1 "
             "CONTROL_USERgjStaPic2 CONTROL_Network CONTROL_Facebook CONTROL_twitter "
             "CONTROL_TSysStatic "
             "CONTROL_TSysButton CONTROL_TSsjsStatic CONTROL_TSsjsStaPic CONTROL_CDysStatic "
             "CONTROL_CDysButton CONTROL_CDsjsStatic CONTROL_CDsjsStaPic CONTROL_umCombo "
             "CONTROL_BLFXStatic2 CONTROL_BLFXLStaPic2 CONTROL_BLFXRStaPic2 CONTROL_BLFXStatic3 "
             "CONTROL_BLFXLStaPic3 CONTROL_BLFXRStaPic3")
             .split(' ');
    k << numbered("CONTROL_Color%1", 1, 8);
    return k;
}

const QStringList kCompositeKeys =
    QString(
        "CONTROL_MASK CONTROL_TITLE CONTROL_OSK CONTROL_CLEAR CONTROL_MEDIA CONTROL_MACRO "
        "CONTROL_KEY "
        "CONTROL_FUNCTION CONTROL_OK CONTROL_CANCEL FUNC_MACRO_DELETE FUNC_MACRO_ADD "
        "FUNC_MACRO_UP_TOP FUNC_MACRO_UP "
        "FUNC_MACRO_DOWN FUNC_MACRO_DOWN_BOTTOM FUNC_MACRO_DELETE2 FUNC_MACRO_CLEAR "
        "FUNC_MACRO_RECORD "
        "FUNC_MACRO_RECORD_DELAY FUNC_MACRO_LIST2 FUNC_MACRO_CYCLES FUNC_MACRO_CYCLES_PROMPT "
        "TISHI_SINGLE_STATIC "
        "MARCO_NAME_SETTING KEY_SETTING MEDIA_SETTING_TISHI FUNCTION_KEY_SETTING_TISHI "
        "FUNC_MACRO_RECORD_DELAY2 "
        "FUNC_KEY_INPUT FUNC_MEDIA_SELECT FUNC_MACRO_LIST FUNC_FUNCTION_SELECT FUNC_KEY_RADIO_KB "
        "FUNC_KEY_RADIO_KB_STATIC FUNC_KEY_RADIO_MOU FUNC_KEY_RADIO_MOU_STATIC FUNC_KEY_COMBO_MOU")
        .split(' ');
const QStringList kProfileKeys = {"PROGRAM_LIST", "FUNC_ADD",       "FUNC_LOAD",     "FUNC_DELETE",
                                  "CONTROL_OK",   "CONTROL_CANCEL", "CONTROL2_APPLY"};

struct WindowFiles {
    const char* ini;
    QStringList sheets;
};
const WindowFiles kWindows[] = {
    {"Main.ini",
     {"main_normal.jpg", "main_over.jpg", "main_down.jpg", "main_disable.jpg", "main_color0.jpg",
      "main_color1.jpg"}},
    {"Composite.ini",
     {"key_normal.jpg", "key_over.jpg", "key_down.jpg", "macro_normal.jpg", "macro_over.jpg",
      "macro_down.jpg", "macro_disable.jpg", "macro2_normal.jpg", "macro2_over.jpg",
      "macro2_down.jpg", "macro2_disable.jpg", "media_normal.jpg", "media_over.jpg",
      "media_down.jpg", "function_normal.jpg", "function_over.jpg", "function_down.jpg"}},
    {"Profile.ini", {"Profile_normal.jpg", "Profile_over.jpg", "Profile_down.jpg"}},
};

QSize windowSize(const Ini& ini) {
    return load(ini.at("SCREEN").at("Main")).size();
}

TEST(skin_files, EveryKeyIsInItsFileInsideTheWindow) {
    const std::pair<const char*, QStringList> cases[] = {
        {"Main.ini", mainKeys()}, {"Composite.ini", kCompositeKeys}, {"Profile.ini", kProfileKeys}};
    for (const auto& [file, keys] : cases) {
        const Ini ini = readIni(file);
        ASSERT_FALSE(ini.empty()) << file;
        const QRect window(QPoint(0, 0), windowSize(ini));
        ASSERT_FALSE(window.isEmpty()) << file;
        for (const QString& key : keys) {
            QRect r;
            ASSERT_TRUE(rectOf(ini, key, &r)) << file << ' ' << key.toStdString();
            // (1, 1) is where a missing key lands; a real control never sits there.
            EXPECT_FALSE(r.x() == 1 && r.y() == 1) << key.toStdString();
            EXPECT_TRUE(r.width() > 1 && r.height() > 1 && window.contains(r))
                << file << ' ' << key.toStdString();
        }
    }
    const Ini main = readIni("Main.ini");
    for (const char* side :
         {"UP_ARROW_LEFT", "UP_ARROW_RIGHT", "DOWN_ARROW_LEFT", "DOWN_ARROW_RIGHT"})
        for (int n : {1, 2}) {
            QRect r, button;
            const QString key = QStringLiteral("%1%2").arg(side).arg(n);
            ASSERT_TRUE(rectOf(main, key, &r, "BUTTONINFO2")) << key.toStdString();
            ASSERT_TRUE(rectOf(main, "LEFT_ARROW", &button));
            // The picture is cut one pixel up and left of the offset, at the button's size.
            EXPECT_TRUE(
                load("Arrow.jpg").rect().contains(QRect(r.topLeft() - QPoint(1, 1), button.size())))
                << key.toStdString();
        }
}

TEST(skin_files, KeyboardButtonsArePairwiseDisjoint) {
    const Ini ini = readIni("Main.ini");
    QStringList keys = numbered("FUNC_G%1", 1, 9) << "KEY_FN";
    for (const keys::KeyButton& b : keys::KeyButtonTable)
        keys << QStringLiteral("KEY_%1").arg(keys::CodeToIndex(b.key), 3, 16, QChar('0')).toUpper();
    ASSERT_EQ(keys.removeDuplicates(), 0);
    std::vector<std::pair<QString, QRect>> rects;
    for (const QString& k : keys) {
        QRect r;
        ASSERT_TRUE(rectOf(ini, k, &r)) << k.toStdString();
        for (const auto& [other, o] : rects)
            EXPECT_FALSE(r.intersects(o)) << k.toStdString() << " / " << other.toStdString();
        rects.emplace_back(k, r);
    }
}

TEST(skin_files, EverySheetHasItsWindowsSize) {
    for (const WindowFiles& w : kWindows) {
        const QSize size = windowSize(readIni(w.ini));
        for (const QString& sheet : w.sheets)
            EXPECT_EQ(load(sheet).size(), size) << sheet.toStdString();
    }
}

// Per control: the sheets its normal, hover and pressed pictures come from.
struct States {
    QStringList keys;
    QString normal, over, down;
};

TEST(skin_files, ButtonsLookDifferentWhenHoveredAndPressed) {
    QStringList keyCaps = numbered("FUNC_G%1", 1, 9) << "KEY_FN";
    for (const keys::KeyButton& b : keys::KeyButtonTable)
        keyCaps
            << QStringLiteral("KEY_%1").arg(keys::CodeToIndex(b.key), 3, 16, QChar('0')).toUpper();
    QStringList commands = {"FUNC_PROFILES",  "FUNC_MACRO",    "CONTROL_OK",       "CONTROL_CANCEL",
                            "CONTROL_HELP",   "CONTROL_CLOSE", "CONTROL_MINIMIZE", "CONTROL_MENU",
                            "CONTROL2_APPLY", "FLIP_1",        "FLIP_2",           "FUNC_DEFAULT",
                            "FUNC_SWITCH"};
    commands << numbered("FUNC_PROFILE%1", 1, 3) << numbered("FUNC_REPORT%1", 1, 4);
    const QStringList macroButtons = {
        "FUNC_MACRO_DELETE",  "FUNC_MACRO_ADD",   "FUNC_MACRO_UP_TOP",
        "FUNC_MACRO_UP",      "FUNC_MACRO_DOWN",  "FUNC_MACRO_DOWN_BOTTOM",
        "FUNC_MACRO_DELETE2", "FUNC_MACRO_CLEAR", "FUNC_MACRO_RECORD"};
    const QStringList dialogButtons = {"CONTROL_OSK",   "CONTROL_CLEAR", "CONTROL_MEDIA",
                                       "CONTROL_MACRO", "CONTROL_KEY",   "CONTROL_FUNCTION",
                                       "CONTROL_OK",    "CONTROL_CANCEL"};
    const std::pair<const char*, std::vector<States>> cases[] = {
        {"Main.ini",
         {{keyCaps, "main_normal.jpg", "main_over.jpg", "main_down.jpg"},
          {commands, "main_normal.jpg", "main_over.jpg", "main_down.jpg"},
          // The web button takes its pressed picture from the disabled sheet.
          {{"VESTRA_LINK"}, "main_normal.jpg", "main_over.jpg", "main_disable.jpg"}}},
        {"Composite.ini",
         {{dialogButtons, "key_normal.jpg", "key_over.jpg", "key_down.jpg"},
          {macroButtons, "macro_normal.jpg", "macro_over.jpg", "macro_down.jpg"},
          {{"CONTROL_KEY", "CONTROL_MEDIA", "CONTROL_FUNCTION", "CONTROL_CLEAR"},
           "macro2_normal.jpg",
           "macro2_over.jpg",
           "macro2_down.jpg"}}},
        {"Profile.ini",
         {{kProfileKeys.mid(1), "Profile_normal.jpg", "Profile_over.jpg", "Profile_down.jpg"}}},
    };
    for (const auto& [file, groups] : cases) {
        const Ini ini = readIni(file);
        for (const States& s : groups) {
            const QImage n = load(s.normal), o = load(s.over), d = load(s.down);
            for (const QString& key : s.keys) {
                QRect r;
                ASSERT_TRUE(rectOf(ini, key, &r)) << key.toStdString();
                const QRect cut = r.translated(-1, -1);
                EXPECT_NE(n.copy(cut), o.copy(cut)) << file << ' ' << key.toStdString() << " hover";
                EXPECT_NE(n.copy(cut), d.copy(cut))
                    << file << ' ' << key.toStdString() << " pressed";
            }
        }
    }
    // Where the disabled sheet holds a fifth look, it differs too: the assigned
    // key caps, the checked toggles and the disabled Apply; the lock lights
    // are lit in the hover sheet.
    const Ini ini = readIni("Main.ini");
    const QImage n = load("main_normal.jpg"), x = load("main_disable.jpg"),
                 o = load("main_over.jpg");
    for (const QString& key :
         keyCaps + QStringList{"CONTROL2_APPLY", "FUNC_PROFILE1", "FUNC_REPORT1", "FLIP_0"}) {
        QRect r;
        ASSERT_TRUE(rectOf(ini, key, &r));
        EXPECT_NE(n.copy(r.translated(-1, -1)), x.copy(r.translated(-1, -1))) << key.toStdString();
    }
    for (const char* key : {"LOCK_CAPS", "LOCK_NUM", "LOCK_SCROLL", "LOCK_AB"}) {
        QRect r;
        ASSERT_TRUE(rectOf(ini, key, &r));
        EXPECT_NE(n.copy(r.translated(-1, -1)), o.copy(r.translated(-1, -1))) << key;
    }
}

TEST(skin_files, OutlinesAreExactlyWhiteOutsideAndCoverTheControls) {
    struct Case {
        const char* ini;
        const char* maskKey;
    };
    for (const Case c : {Case{"Main.ini", "Mask"}, Case{"Main.ini", "MaskFlip"},
                         Case{"Composite.ini", "Mask"}, Case{"Profile.ini", "Mask"}}) {
        const Ini ini = readIni(c.ini);
        const QImage mask =
            load(ini.at("SCREEN").at(c.maskKey)).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(mask.isNull()) << c.ini << ' ' << c.maskKey;
        const QSize window = windowSize(ini);
        EXPECT_EQ(mask.width(), window.width());
        // Corners are outside (rounded), the middle inside; nothing is grey.
        for (QPoint corner :
             {QPoint(0, 0), QPoint(mask.width() - 1, 0), QPoint(0, mask.height() - 1),
              QPoint(mask.width() - 1, mask.height() - 1)})
            EXPECT_EQ(mask.pixel(corner), qRgb(255, 255, 255)) << c.ini << ' ' << c.maskKey;
        EXPECT_EQ(mask.pixel(mask.width() / 2, mask.height() / 2), qRgb(0, 0, 0));
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x) {
                const QRgb p = mask.pixel(x, y);
                ASSERT_TRUE(p == qRgb(255, 255, 255) || p == qRgb(0, 0, 0)) << x << ',' << y;
            }
    }
    // The compact outline keeps every command inside it and folds the panel away.
    const Ini ini = readIni("Main.ini");
    const int fold = load(ini.at("SCREEN").at("MaskFlip")).height();
    EXPECT_LT(fold, windowSize(ini).height());
    QStringList inside = {"FLIP_1",         "FLIP_2",       "LEFT_ARROW",   "RIGHT_ARROW",
                          "FUNC_PROFILES",  "FUNC_MACRO",   "CONTROL_OK",   "CONTROL_CANCEL",
                          "CONTROL2_APPLY", "CONTROL_HELP", "CONTROL_MENU", "CONTROL_MINIMIZE",
                          "CONTROL_CLOSE",  "FUNC_G6",      "KEY_FN"};
    inside << numbered("FUNC_PROFILE%1", 1, 3);
    for (const QString& key : inside) {
        QRect r;
        ASSERT_TRUE(rectOf(ini, key, &r));
        EXPECT_LE(r.bottom(), fold - 1) << key.toStdString();
    }
    QRect panel;
    ASSERT_TRUE(rectOf(ini, "CONTROL_XGcombox", &panel));
    EXPECT_GE(panel.top(), fold);
}

TEST(skin_files, EveryPictureExistsAtOneAndTwiceTheSize) {
    QStringList pictures = {"Arrow.jpg", "keytune.png", "tray128.png", "tray141.png",
                            "tray142.png"};
    for (const WindowFiles& w : kWindows) {
        pictures << w.sheets;
        const Ini ini = readIni(w.ini);
        for (const auto& [key, value] : ini.at("SCREEN"))
            if (key != "Link")
                pictures << value;
    }
    for (const char* pair : {"deng", "left", "right", "up", "down", "sjs", "user1", "user2"})
        pictures << QStringLiteral("%1up.bmp").arg(pair) << QStringLiteral("%1down.bmp").arg(pair);
    pictures << "kuosan.bmp"
             << "kuosandown.bmp"
             << "julong.bmp"
             << "julongdown.bmp";
    for (const char* c : {"hong", "huang", "lv", "lan"})
        pictures << QStringLiteral("%1.bmp").arg(c) << QStringLiteral("%1ok.bmp").arg(c);
    pictures << numbered("jdt%1.bmp", 1, 10) << numbered("%1.bmp", 0, 25)
             << numbered("Color%1.bmp", 1, 8);
    pictures.removeDuplicates();
    for (const QString& name : pictures) {
        const QImage one = load(name);
        const int dot = name.lastIndexOf('.');
        const QImage two = load(name.left(dot) + "@2x" + name.mid(dot));
        ASSERT_FALSE(one.isNull()) << name.toStdString();
        EXPECT_EQ(two.size(), one.size() * 2) << name.toStdString();
    }
}

TEST(skin_files, LightingPicturesFitTheirControlsAndPresetsShowTheirColours) {
    const Ini ini = readIni("Main.ini");
    const std::pair<const char*, const char*> cases[] = {
        {"CONTROL_DengStaPic", "dengdown.bmp"}, {"CONTROL_BLFXLStaPic", "leftup.bmp"},
        {"CONTROL_BLFXRStaPic3", "downup.bmp"}, {"CONTROL_BLFXLStaPic2", "kuosan.bmp"},
        {"CONTROL_HONGPIC", "hongok.bmp"},      {"CONTROL_FYSJSStaPic", "sjsdown.bmp"},
        {"CONTROL_HXsjsStaPic", "sjsup.bmp"},   {"CONTROL_USERgjStaPic2", "user2up.bmp"},
        {"CONTROL_JDTStatic", "jdt7.bmp"},      {"CONTROL_LightSlider", "3.bmp"},
        {"CONTROL_SpeedSlider", "11.bmp"},      {"CONTROL_Color8", "Color8.bmp"}};
    for (const auto& [key, picture] : cases) {
        QRect r;
        ASSERT_TRUE(rectOf(ini, key, &r)) << key;
        EXPECT_EQ(load(picture).size(), r.size()) << key << ' ' << picture;
    }
    const QRgb presets[] = {qRgb(235, 99, 30), qRgb(255, 0, 0),   qRgb(0, 126, 255),
                            qRgb(90, 255, 0),  qRgb(234, 255, 0), qRgb(255, 192, 0),
                            qRgb(255, 0, 180), qRgb(174, 0, 255)};
    for (int i = 0; i < 8; ++i) {
        const QImage swatch = load(QStringLiteral("Color%1.bmp").arg(i + 1));
        const QColor centre = swatch.pixelColor(swatch.width() / 2, swatch.height() / 2);
        const QColor want(presets[i]);
        EXPECT_NEAR(centre.red(), want.red(), 40) << i + 1;
        EXPECT_NEAR(centre.green(), want.green(), 40) << i + 1;
        EXPECT_NEAR(centre.blue(), want.blue(), 40) << i + 1;
    }
}

TEST(skin_generator, TwoRunsGiveIdenticalBytes) {
    testsupport::TempFolder tmp;
    const QString root = QString::fromStdString(tmp.path());
    for (const char* run : {"a", "b"}) {
        QProcess gen;
        gen.setProcessChannelMode(QProcess::ForwardedChannels);
        gen.start(KEYTUNE_SKIN_GEN,
                  {root + "/" + run + "/Skins", root + "/" + run + "/icons", KEYTUNE_DEJAVU_DIR});
        ASSERT_TRUE(gen.waitForFinished(120000));
        ASSERT_EQ(gen.exitCode(), 0);
    }
    int compared = 0;
    for (const char* sub : {"Skins", "icons"}) {
        QDir a(root + "/a/" + sub);
        QStringList all;
        std::function<void(const QString&)> walk = [&](const QString& rel) {
            QDir d(a.filePath(rel));
            for (const QString& f : d.entryList(QDir::Files))
                all << (rel.isEmpty() ? f : rel + '/' + f);
            for (const QString& s : d.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
                walk(rel.isEmpty() ? s : rel + '/' + s);
        };
        walk("");
        for (const QString& f : all) {
            QFile x(a.filePath(f)), y(root + "/b/" + sub + "/" + f);
            ASSERT_TRUE(x.open(QIODevice::ReadOnly) && y.open(QIODevice::ReadOnly))
                << f.toStdString();
            EXPECT_EQ(x.readAll(), y.readAll()) << f.toStdString();
            ++compared;
        }
    }
    EXPECT_GT(compared, 200);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
