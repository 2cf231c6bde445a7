#include <QAccessible>
#include <QEnterEvent>
#include <QTest>

#include "Fixtures.h"
#include "TestClasses.h"
#include "widgets/CPngButton.h"

using namespace widgets;
using widgets::test::CoordinateSheet;

namespace {

// Seven 200 x 100 sheets, marked 1..5 for the five states, 6 and 7 for the
// unselected and selected marking sheets.
struct SevenSheets {
    SevenSheets() {
        for (int i = 0; i < 7; ++i) {
            sheets[i] = SkinSheet(QPixmap::fromImage(CoordinateSheet(200, 100, i + 1)), 1, {});
        }
    }
    std::array<const SkinSheet*, 5> stateSheets() const {
        return {&sheets[0], &sheets[1], &sheets[2], &sheets[3], &sheets[4]};
    }
    SkinSheet sheets[7];
};

void SetHover(CPngButton& button, bool hover) {
    if (hover) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(&button, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&button, &leave);
    }
}

}  // namespace

class CPngButtonTest : public QObject {
    Q_OBJECT

  private slots:
    // The picture is the button's own rectangle one pixel up and left of its
    // offset: a button at 100, 50, 40, 20 shows pixels 99..138 x 49..68.
    void cutsItsRectangle() {
        SevenSheets fixture;
        CPngButton button;
        button.setGeometry(100, 50, 40, 20);
        button.setSheets(fixture.stateSheets(), QPoint(100, 50));
        const QImage image = button.grab().toImage();
        QCOMPARE(image.size(), QSize(40, 20));
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 40; ++x) {
                if (image.pixel(x, y) != qRgb(99 + x, 49 + y, 1)) {
                    QFAIL(qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
                }
            }
        }
    }

    // First match wins: disabled, selection marking, pressed, hover, checked.
    void stateOrder_data() {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("marking");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("hover");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<int>("sheetMark");
        QTest::newRow("normal") << true << false << false << false << false << false << 1;
        QTest::newRow("hover") << true << false << false << false << true << false << 2;
        QTest::newRow("pressed") << true << false << false << true << false << false << 3;
        QTest::newRow("pressed beats hover")
            << true << false << false << true << true << false << 3;
        QTest::newRow("checked") << true << false << false << false << false << true << 5;
        QTest::newRow("hover beats checked")
            << true << false << false << false << true << true << 2;
        QTest::newRow("pressed beats checked")
            << true << false << false << true << false << true << 3;
        QTest::newRow("marking, unselected")
            << true << true << false << false << false << false << 6;
        QTest::newRow("marking, selected") << true << true << true << false << false << false << 7;
        QTest::newRow("marking beats all but disabled")
            << true << true << true << true << true << true << 7;
        QTest::newRow("disabled") << false << false << false << false << false << false << 4;
        QTest::newRow("disabled beats everything")
            << false << true << true << true << true << true << 4;
    }
    void stateOrder() {
        QFETCH(bool, enabled);
        QFETCH(bool, marking);
        QFETCH(bool, selected);
        QFETCH(bool, down);
        QFETCH(bool, hover);
        QFETCH(bool, checked);
        QFETCH(int, sheetMark);
        SevenSheets fixture;
        CPngButton button;
        button.setGeometry(10, 10, 20, 10);
        button.setSheets(fixture.stateSheets(), QPoint(10, 10));
        button.setSelectionSheets(&fixture.sheets[5], &fixture.sheets[6]);
        button.setCheckable(true);
        button.setChecked(checked);
        button.setSelectionMarking(marking, selected);
        SetHover(button, hover);
        button.setDown(down);
        button.setEnabled(enabled);
        const QImage image = button.grab().toImage();
        // Every picture is cut at the same offset, whichever sheet it comes from.
        QCOMPARE(image.pixel(0, 0), qRgb(9, 9, sheetMark));
    }

    // A tint blends its colour at 50 % over the picture, only a change of
    // tint repaints, and clearing it brings the picture back.
    void tintBlendsAndRepaintsOnChange() {
        QWidget window;
        window.resize(100, 50);
        SevenSheets fixture;
        CPngButton button(&window);
        button.setGeometry(50, 20, 30, 20);
        button.setSheets(fixture.stateSheets(), QPoint(50, 20));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        button.setTint(QColor(255, 0, 255));
        QCOMPARE(button.tint(), QColor(255, 0, 255));
        // The centre is blended; the corner outside the cap's rounding is not.
        const QImage image = button.grab().toImage();
        const QRgb tinted = image.pixel(15, 10);  // picture (64, 29, 1)
        QVERIFY2(qAbs(qRed(tinted) - (64 + 255) / 2) <= 1,
                 qPrintable(QString::number(qRed(tinted))));
        QVERIFY(qAbs(qGreen(tinted) - 29 / 2) <= 1);
        QVERIFY(qAbs(qBlue(tinted) - (1 + 255) / 2) <= 1);
        QCOMPARE(image.pixel(0, 0), qRgb(49, 19, 1));

        struct PaintCounter : QObject {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* e) override {
                paints += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        QCoreApplication::processEvents();
        button.installEventFilter(&counter);
        button.setTint(QColor(255, 0, 255));
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints, 0);
        button.setTint(QColor(0, 255, 0));
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints, 1);
        button.clearTint();
        button.clearTint();
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints, 2);
        QVERIFY(!button.tint());
        QCOMPARE(button.grab().toImage().pixel(15, 10), qRgb(64, 29, 1));
    }

    // A caption is drawn over the picture; a button without sheets is drawn
    // dark instead of left with garbage.
    void captionAndMissingSheets() {
        CPngButton bare;
        bare.resize(40, 20);
        const QImage empty = bare.grab().toImage();
        QCOMPARE(empty.pixel(20, 10), qRgb(0x12, 0x14, 0x18));
        bare.setCaption("A1");
        QFont font;
        font.setPixelSize(16);
        font.setBold(true);
        bare.setCaptionFont(font);
        const QImage captioned = bare.grab().toImage();
        QVERIFY(captioned != empty);
    }

    // What a screen reader sees: name, push button or check box, checked
    // and pressed states.
    void accessibleNameRoleAndState() {
        CPngButton button;
        button.setAccessibleName("Apply");
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&button);
        QVERIFY(face);
        QCOMPARE(face->text(QAccessible::Name), QString("Apply"));
        QCOMPARE(face->role(), QAccessible::Button);
        button.setDown(true);
        QVERIFY(face->state().pressed);

        CPngButton toggle;
        toggle.setToolTip("Caps Lock");
        toggle.setCheckable(true);
        toggle.setChecked(true);
        QAccessibleInterface* toggleFace = QAccessible::queryAccessibleInterface(&toggle);
        QCOMPARE(toggleFace->text(QAccessible::Name), QString("Caps Lock"));
        QCOMPARE(toggleFace->role(), QAccessible::CheckBox);
        QVERIFY(toggleFace->state().checkable);
        QVERIFY(toggleFace->state().checked);
        toggle.setEnabled(false);
        QVERIFY(toggleFace->state().disabled);

        // A caption is what a G button is called; an ampersand in it stays
        // text and makes no keyboard shortcut.
        CPngButton gButton;
        gButton.setToolTip("G key");
        gButton.setCaption("A & B");
        QAccessibleInterface* gFace = QAccessible::queryAccessibleInterface(&gButton);
        QCOMPARE(gFace->text(QAccessible::Name), QString("A & B"));
        QVERIFY(gButton.shortcut().isEmpty());
    }
};
WIDGETS_TEST(CPngButtonTest);

#include "CPngButtonTest.moc"
