#include <QCoreApplication>
#include <QProcess>
#include <QTest>

#include "Fixtures.h"
#include "TestClasses.h"
#include "widgets/CPngButton.h"
#include "widgets/SkinSheets.h"

using namespace widgets;
using widgets::test::CoordinateSheet;
using widgets::test::SkinFolder;

class SkinSheetsTest : public QObject {
    Q_OBJECT

  private slots:
    void doubleResolutionName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "main_normal.jpg"
                               << "main_normal@2x.jpg";
        QTest::newRow("folder with a dot") << "/skins.v2/Arrow.jpg"
                                           << "/skins.v2/Arrow@2x.jpg";
        QTest::newRow("no extension") << "/skins.v2/sheet"
                                      << "/skins.v2/sheet@2x";
    }
    void doubleResolutionName() {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(DoubleResolutionName(name), expected);
    }

    // Sheets come back in the order asked, by index and by name; a picture
    // listed twice is decoded once; JPEG and BMP both load.
    void loadsInOrderAndByName() {
        SkinFolder folder;
        folder.save("a.bmp", CoordinateSheet(64, 32, 10));
        folder.save("b.jpg", widgets::test::Filled(64, 32, QColor(200, 40, 40)));
        auto sheets = SkinSheets::load(folder.path(), {"a.bmp", "b.jpg", "a.bmp"}, 1);
        QVERIFY(sheets);
        QCOMPARE(sheets->size(), 3);
        QCOMPARE(qBlue((*sheets)[0].pixmap().toImage().pixel(5, 5)), 10);
        const QRgb jpeg = sheets->byName("b.jpg").pixmap().toImage().pixel(5, 5);
        QVERIFY(qAbs(qRed(jpeg) - 200) < 8 && qAbs(qGreen(jpeg) - 40) < 8);
        QCOMPARE((*sheets)[2].pixmap().cacheKey(), (*sheets)[0].pixmap().cacheKey());
        QVERIFY((*sheets)[7].isNull());
        QVERIFY(sheets->byName("missing.jpg").isNull());
        // A copy shares the pictures, so references into it stay valid.
        const SkinSheet* first = &(*sheets)[0];
        SkinSheets copy = *sheets;
        sheets.reset();
        QCOMPARE(&copy[0], first);
    }

    // The 2x variant is taken only above ratio 1 and only when it exists.
    void choosesDoubleResolutionVariant() {
        SkinFolder folder;
        folder.save("main_normal.bmp", CoordinateSheet(50, 20, 1));
        folder.save("main_normal@2x.bmp", CoordinateSheet(100, 40, 2));
        folder.save("only1x.bmp", CoordinateSheet(50, 20, 3));
        auto at1 = LoadSkinPicture(folder.path(), "main_normal.bmp", 1);
        auto at2 = LoadSkinPicture(folder.path(), "main_normal.bmp", 2);
        auto fallback = LoadSkinPicture(folder.path(), "only1x.bmp", 2);
        QVERIFY(at1 && at2 && fallback);
        QCOMPARE(at1->scale(), 1.0);
        QCOMPARE(at2->scale(), 2.0);
        QCOMPARE(at2->logicalSize(), QSize(50, 20));
        QCOMPARE(at2->pixmap().devicePixelRatio(), 2.0);
        QCOMPARE(fallback->scale(), 1.0);
        // A cut of the 2x sheet is taken at doubled offsets, at full resolution.
        const QPixmap piece = at2->cut(QRect(10, 5, 8, 4));
        QCOMPARE(piece.size(), QSize(16, 8));
        QCOMPARE(piece.devicePixelRatio(), 2.0);
        const QImage image = piece.toImage();
        QCOMPARE(image.pixel(0, 0), qRgb(20, 10, 2));
        QCOMPARE(image.pixel(1, 0), qRgb(21, 10, 2));
    }

    // Backslash paths as the skin files write them.
    void acceptsBackslashFolders() {
        SkinFolder folder;
        QDir(folder.path()).mkdir("Skins");
        folder.save("Skins/x.bmp", CoordinateSheet(8, 8, 4));
        QVERIFY(LoadSkinPicture(folder.path(), "Skins\\x.bmp", 1));
    }

    // A missing sheet ends the process with code 0 and one line that names
    // the file; damaged data counts as missing.
    void missingSheetExitsWithReason() {
        SkinFolder folder;
        folder.save("main_normal.jpg", widgets::test::Filled(20, 20, Qt::gray));
        folder.write("main_down.jpg", "not a picture");
        QProcess child;
        // Qt's own start-up notes would share the stream; give it what it needs.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", folder.path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"--load-missing", folder.path()});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(child.readAllStandardError()),
                 "keytune: cannot load skin picture " + folder.file("main_over.jpg") + "\n");

        folder.save("main_over.jpg", widgets::test::Filled(20, 20, Qt::gray));
        child.start(QCoreApplication::applicationFilePath(), {"--load-missing", folder.path()});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(child.readAllStandardError()),
                 "keytune: cannot load skin picture " + folder.file("main_down.jpg") + "\n");
    }
};
WIDGETS_TEST(SkinSheetsTest);

// Run with QT_SCALE_FACTOR=2: a button on a 2x screen draws from the @2x
// sheet at full resolution.
class DoubleResolutionTest : public QObject {
    Q_OBJECT

  private slots:
    void buttonUsesDoubleSheet() {
        QWidget window;
        const qreal ratio = window.devicePixelRatioF();
        QCOMPARE(ratio, 2.0);
        SkinFolder folder;
        folder.save("main_normal.bmp", CoordinateSheet(200, 100, 1));
        folder.save("main_normal@2x.bmp", CoordinateSheet(400, 200, 2));
        const SkinSheets sheets = SkinSheets::loadOrExit(folder.path(), {"main_normal.bmp"}, ratio);
        CPngButton button(&window);
        button.setGeometry(100, 50, 40, 20);
        button.setSheets({&sheets[0], &sheets[0], &sheets[0], &sheets[0], &sheets[0]},
                         QPoint(100, 50));
        const QImage image = button.grab().toImage();
        QCOMPARE(image.size(), QSize(80, 40));
        // Device pixel (i, j) is sheet pixel (2 * 99 + i, 2 * 49 + j) of the 2x picture.
        for (const QPoint& p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(79, 39)}) {
            QCOMPARE(image.pixel(p), qRgb((198 + p.x()) & 255, (98 + p.y()) & 255, 2));
        }
    }
};
WIDGETS_TEST(DoubleResolutionTest);

#include "SkinSheetsTest.moc"
