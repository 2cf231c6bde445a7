#include <QLabel>
#include <QTest>

#include "Fixtures.h"
#include "TestClasses.h"
#include "widgets/CPngButton.h"
#include "widgets/Placement.h"

using namespace widgets;
using widgets::test::CoordinateSheet;
using widgets::test::SkinFolder;

namespace {

const char* const kMainIni =
    "[BUTTONINFO]\n"
    "FUNC_PROFILES=100,50,40,20\n"
    "FUNC_HIDDEN=1,1,40,20\n"
    "FUNC_COLUMN_ONE=1,30,40,20\n"
    "CONTROL_SHORT=10,20\n"
    "CONTROL_BROKEN=12,x,5,5\n"
    "CONTROL_FULL=7,8,90,30\n"
    "LEFT_ARROW=20,30,16,12\n"
    "[BUTTONINFO2]\n"
    "UP_ARROW_LEFT1=60,40,0,0\n"
    "DOWN_ARROW_LEFT1=5,5,0,0\n";

struct PlacementFixture {
    PlacementFixture() {
        folder.write("Main.ini", kMainIni);
        sheet = SkinSheet(QPixmap::fromImage(CoordinateSheet(200, 100, 1)), 1, {});
        arrows = SkinSheet(QPixmap::fromImage(CoordinateSheet(100, 60, 9)), 1, {});
    }
    std::string ini() const { return folder.ini("Main.ini"); }
    std::array<const SkinSheet*, 5> stateSheets() const {
        return {&sheet, &sheet, &sheet, &sheet, &sheet};
    }

    SkinFolder folder;
    SkinSheet sheet;
    SkinSheet arrows;
};

}  // namespace

class PlacementTest : public QObject {
    Q_OBJECT

  private slots:
    // A skin button at (1, 1) is not part of the skin: hidden and disabled
    // whatever its size, as is one whose key or file is missing.
    void skinButton_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("inFile");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("shown");
        QTest::newRow("placed") << "FUNC_PROFILES" << true << QRect(100, 50, 40, 20) << true;
        QTest::newRow("at 1,1 with a size")
            << "FUNC_HIDDEN" << true << QRect(1, 1, 40, 20) << false;
        QTest::newRow("x = 1 only") << "FUNC_COLUMN_ONE" << true << QRect(1, 30, 40, 20) << true;
        QTest::newRow("missing key") << "FUNC_NONE" << true << QRect(1, 1, 1, 1) << false;
        QTest::newRow("missing file") << "FUNC_PROFILES" << false << QRect(1, 1, 1, 1) << false;
    }
    void skinButton() {
        QFETCH(QString, key);
        QFETCH(bool, inFile);
        QFETCH(QRect, geometry);
        QFETCH(bool, shown);
        PlacementFixture f;
        QWidget window;
        CPngButton button(&window);
        const std::string ini = inFile ? f.ini() : f.folder.ini("Absent.ini");
        PlaceSkinButton(&button, ini, kButtonInfoSection, key.toStdString(), f.stateSheets());
        QCOMPARE(button.geometry(), geometry);
        QCOMPARE(button.sourceOffset(), geometry.topLeft());
        QCOMPARE(button.isHidden(), !shown);
        QCOMPARE(button.isEnabled(), shown);
    }

    void placedButtonShowsItsPartOfTheSheet() {
        PlacementFixture f;
        CPngButton button;
        PlaceSkinButton(&button, f.ini(), kButtonInfoSection, "FUNC_PROFILES", f.stateSheets());
        const QImage image = button.grab().toImage();
        QCOMPARE(image.pixel(0, 0), qRgb(99, 49, 1));
        QCOMPARE(image.pixel(39, 19), qRgb(138, 68, 1));
    }

    // Plain controls take whatever numbers the value gives; the missing ones
    // read as 0, and a missing key puts the control at 1, 1 with size 1 x 1.
    void plainControl_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("full") << "CONTROL_FULL" << QRect(7, 8, 90, 30);
        QTest::newRow("two numbers") << "CONTROL_SHORT" << QRect(10, 20, 0, 0);
        QTest::newRow("stops at a bad number") << "CONTROL_BROKEN" << QRect(12, 0, 0, 0);
        QTest::newRow("missing") << "CONTROL_NONE" << QRect(1, 1, 1, 1);
    }
    void plainControl() {
        QFETCH(QString, key);
        QFETCH(QRect, geometry);
        PlacementFixture f;
        QWidget window;
        QLabel label(&window);
        label.setGeometry(300, 300, 50, 50);
        PlaceControl(&label, f.ini(), kButtonInfoSection, key.toStdString());
        QCOMPARE(label.pos(), geometry.topLeft());
        QCOMPARE(label.size(), geometry.size());
        QVERIFY(!label.isHidden());
    }

    void moveKeepsSize() {
        PlacementFixture f;
        QWidget window;
        QLabel label(&window);
        label.setGeometry(300, 300, 50, 60);
        MoveControlKeepSize(&label, f.ini(), kButtonInfoSection, "CONTROL_FULL");
        QCOMPARE(label.geometry(), QRect(7, 8, 50, 60));
    }

    // The arrow's picture is the rectangle of its size whose corner the
    // offset key names; every state shows it.
    void arrowButton() {
        PlacementFixture f;
        CPngButton button;
        PlaceArrowButton(&button, f.ini(), "LEFT_ARROW", "UP_ARROW_LEFT1", f.arrows);
        QCOMPARE(button.geometry(), QRect(20, 30, 16, 12));
        for (ButtonPicture picture :
             {ButtonPicture::Normal, ButtonPicture::Hover, ButtonPicture::Pressed,
              ButtonPicture::Disabled, ButtonPicture::Checked}) {
            QCOMPARE(button.sheetFor(picture), &f.arrows);
        }
        const QImage image = button.grab().toImage();
        QCOMPARE(image.pixel(0, 0), qRgb(60, 40, 9));
        QCOMPARE(image.pixel(15, 11), qRgb(75, 51, 9));
        PlaceArrowButton(&button, f.ini(), "LEFT_ARROW", "DOWN_ARROW_LEFT1", f.arrows);
        QCOMPARE(button.grab().toImage().pixel(0, 0), qRgb(5, 5, 9));
    }

    void nullControlsAreIgnored() {
        PlacementFixture f;
        PlaceSkinButton(nullptr, f.ini(), kButtonInfoSection, "FUNC_PROFILES", f.stateSheets());
        PlaceControl(nullptr, f.ini(), kButtonInfoSection, "CONTROL_FULL");
        MoveControlKeepSize(nullptr, f.ini(), kButtonInfoSection, "CONTROL_FULL");
        PlaceArrowButton(nullptr, f.ini(), "LEFT_ARROW", "UP_ARROW_LEFT1", f.arrows);
    }
};
WIDGETS_TEST(PlacementTest);

#include "PlacementTest.moc"
