#include <QMouseEvent>
#include <QTest>

#include "Fixtures.h"
#include "TestClasses.h"
#include "widgets/CImgDialogBase.h"

using namespace widgets;
using widgets::test::Filled;
using widgets::test::SkinFolder;

namespace {

// 8 x 5 with white corners (two pixels wide on the top and bottom rows, one
// on the next), a near-white pixel that still counts as inside, and a white
// hole that splits row 2 into two runs.
QImage CornerMask() {
    QImage mask = Filled(8, 5, Qt::black);
    const QRgb white = qRgb(255, 255, 255);
    for (int x : {0, 1, 6, 7}) {
        mask.setPixel(x, 0, white);
        mask.setPixel(x, 4, white);
    }
    for (int x : {0, 7}) {
        mask.setPixel(x, 1, white);
        mask.setPixel(x, 3, white);
    }
    mask.setPixel(4, 2, white);
    mask.setPixel(2, 0, qRgb(255, 255, 254));
    return mask;
}

QRegion CornerRegion() {
    QRegion expected;
    expected += QRect(2, 0, 4, 1);
    expected += QRect(1, 1, 6, 1);
    expected += QRect(0, 2, 4, 1);
    expected += QRect(5, 2, 3, 1);
    expected += QRect(1, 3, 6, 1);
    expected += QRect(2, 4, 4, 1);
    return expected;
}

}  // namespace

class CImgDialogBaseTest : public QObject {
    Q_OBJECT

  private slots:
    void maskRegionFromRuns() {
        QCOMPARE(MaskRegion(CornerMask()), CornerRegion());
        QVERIFY(MaskRegion(Filled(6, 4, Qt::white)).isEmpty());
        QVERIFY(MaskRegion(QImage()).isEmpty());
        // A tall mask of identical rows is one rectangle.
        QCOMPARE(MaskRegion(Filled(30, 400, Qt::red)), QRegion(0, 0, 30, 400));
    }

    // Background, size and outline come from the SCREEN entries; the mask
    // defaults to the background; a missing background fails.
    void initSkinnedWindow() {
        SkinFolder folder;
        folder.save("bg.bmp", Filled(8, 5, QColor(40, 50, 60)));
        folder.save("mask.bmp", CornerMask());
        folder.write("Main.ini", "[SCREEN]\nMain=bg.bmp\nMask=mask.bmp\n");
        folder.write("NoMask.ini", "[SCREEN]\nMain=mask.bmp\n");
        folder.write("White.ini", "[SCREEN]\nMain=bg.bmp\nMask=white.bmp\n");
        folder.save("white.bmp", Filled(8, 5, Qt::white));
        folder.write("Missing.ini", "[SCREEN]\nMain=absent.bmp\n");
        folder.write("Empty.ini", "[SCREEN]\nMain=\n");

        CImgDialogBase dialog;
        dialog.move(30, 40);
        QVERIFY(dialog.InitSkinnedWindow(folder.ini("Main.ini"), folder.path()));
        QCOMPARE(dialog.size(), QSize(8, 5));
        QCOMPARE(dialog.pos(), QPoint(30, 40));
        QCOMPARE(dialog.mask(), CornerRegion());
        QCOMPARE(dialog.background().toImage().pixel(3, 3), qRgb(40, 50, 60));
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);

        CImgDialogBase byBackground;
        QVERIFY(byBackground.InitSkinnedWindow(folder.ini("NoMask.ini"), folder.path()));
        QCOMPARE(byBackground.mask(), CornerRegion());

        // No region: the window keeps its whole rectangle.
        CImgDialogBase whole;
        QVERIFY(whole.InitSkinnedWindow(folder.ini("White.ini"), folder.path()));
        QCOMPARE(whole.size(), QSize(8, 5));
        QVERIFY(whole.mask().isEmpty());

        CImgDialogBase failing;
        QVERIFY(!failing.InitSkinnedWindow(folder.ini("Missing.ini"), folder.path()));
        QVERIFY(!failing.InitSkinnedWindow(folder.ini("Empty.ini"), folder.path()));
        QVERIFY(!failing.InitSkinnedWindow(folder.ini("Absent.ini"), folder.path()));
    }

    // A second outline replaces the first and sizes the window to it; an
    // all-white one removes the outline again.
    void replaceOutline() {
        CImgDialogBase dialog;
        dialog.setOutlineMask(CornerMask());
        QCOMPARE(dialog.mask(), CornerRegion());
        QImage larger = Filled(20, 10, Qt::white);
        larger.setPixel(3, 4, qRgb(0, 0, 0));
        dialog.setOutlineMask(larger);
        QCOMPARE(dialog.size(), QSize(20, 10));
        QCOMPARE(dialog.mask(), QRegion(3, 4, 1, 1));
        dialog.setOutlineMask(Filled(20, 10, Qt::white));
        QVERIFY(dialog.mask().isEmpty());
    }

    // Outside the outline nothing is painted, so where the platform ignores
    // masks the translucent window still has the skin's shape.
    void paintsOnlyInsideOutline() {
        CImgDialogBase dialog;
        dialog.setBackground(QPixmap::fromImage(Filled(8, 5, QColor(200, 0, 0))));
        dialog.setOutlineMask(CornerMask());
        QImage image(8, 5, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        dialog.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(image.pixel(3, 2), qRgb(200, 0, 0));
    }

    // Dragging the background moves the window by the pointer's travel.
    void dragMovesWindow() {
        CImgDialogBase dialog;
        dialog.setBackground(QPixmap::fromImage(Filled(80, 50, Qt::darkGray)));
        dialog.resize(80, 50);
        dialog.move(100, 100);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QPoint start = dialog.pos();
        auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButton button,
                        Qt::MouseButtons held) {
            QMouseEvent event(type, dialog.mapFromGlobal(global), global, button, held,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(&dialog, &event);
        };
        const QPoint grab = dialog.mapToGlobal(QPoint(10, 10));
        send(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, grab + QPoint(25, 15), Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, grab + QPoint(25, 15), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(dialog.pos(), start + QPoint(25, 15));
        send(QEvent::MouseMove, grab + QPoint(60, 60), Qt::NoButton, Qt::NoButton);
        QCOMPARE(dialog.pos(), start + QPoint(25, 15));
    }
};
WIDGETS_TEST(CImgDialogBaseTest);

#include "CImgDialogBaseTest.moc"
