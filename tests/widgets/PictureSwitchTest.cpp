#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include "Fixtures.h"
#include "TestClasses.h"
#include "widgets/PictureSwitch.h"

using namespace widgets;
using widgets::test::Filled;

class PictureSwitchTest : public QObject {
    Q_OBJECT

  private slots:
    // Checkable: a click toggles between the off and on pictures.
    // Not checkable: the on picture only while held down.
    void picturesFollowState() {
        const QPixmap off = QPixmap::fromImage(Filled(20, 10, Qt::blue));
        const QPixmap on = QPixmap::fromImage(Filled(20, 10, Qt::red));
        PictureSwitch toggle;
        toggle.setPictures(off, on);
        toggle.setCheckable(true);
        toggle.resize(toggle.sizeHint());
        QCOMPARE(toggle.size(), QSize(20, 10));
        QSignalSpy toggled(&toggle, &QAbstractButton::toggled);
        QCOMPARE(toggle.grab().toImage().pixel(5, 5), qRgb(0, 0, 255));
        QTest::mouseClick(&toggle, Qt::LeftButton);
        QCOMPARE(toggled.count(), 1);
        QCOMPARE(toggle.grab().toImage().pixel(5, 5), qRgb(255, 0, 0));
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&toggle);
        QCOMPARE(face->role(), QAccessible::CheckBox);
        QVERIFY(face->state().checked);

        PictureSwitch plain;
        plain.setPictures(off, on);
        plain.resize(20, 10);
        QSignalSpy clicked(&plain, &QAbstractButton::clicked);
        plain.setDown(true);
        QCOMPARE(plain.grab().toImage().pixel(5, 5), qRgb(255, 0, 0));
        plain.setDown(false);
        QTest::mouseClick(&plain, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(plain.grab().toImage().pixel(5, 5), qRgb(0, 0, 255));
    }
};
WIDGETS_TEST(PictureSwitchTest);

#include "PictureSwitchTest.moc"
