#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "Fixtures.h"
#include "TestClasses.h"
#include "widgets/BitmapSlider.h"

using namespace widgets;

namespace {

QVector<QPixmap> Pictures() {
    QVector<QPixmap> pictures;
    for (int i = 0; i < 6; ++i) {
        pictures.push_back(
            QPixmap::fromImage(widgets::test::Filled(121, 20, QColor(i * 40, 0, 0))));
    }
    return pictures;
}

void Mouse(BitmapSlider& slider, QEvent::Type type, int x, Qt::MouseButtons held) {
    const QPointF local(x, 10);
    QMouseEvent event(type, local, slider.mapToGlobal(local),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&slider, &event);
}

void Wheel(BitmapSlider& slider, int delta) {
    QWheelEvent event(QPointF(10, 10), slider.mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&slider, &event);
}

}  // namespace

class BitmapSliderTest : public QObject {
    Q_OBJECT

  private slots:
    // Every kind of input reports each new position once, and nothing when
    // the position stays. The slider is 121 pixels wide: step k sits at 24k.
    void reportsUserChanges_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QList<int>>("reported");
        QTest::newRow("click left end") << 2 << "click 0" << QList<int>{0};
        QTest::newRow("click right end") << 2 << "click 120" << QList<int>{5};
        QTest::newRow("click near a step") << 0 << "click 70" << QList<int>{3};
        QTest::newRow("click on the current step") << 2 << "click 50" << QList<int>{};
        QTest::newRow("drag") << 2 << "drag 0 30 33 120 200" << QList<int>{0, 1, 5};
        QTest::newRow("right arrow") << 2 << "key right" << QList<int>{3};
        QTest::newRow("up arrow") << 2 << "key up" << QList<int>{3};
        QTest::newRow("left arrow") << 2 << "key left" << QList<int>{1};
        QTest::newRow("left arrow at minimum") << 0 << "key left" << QList<int>{};
        QTest::newRow("right arrow at maximum") << 5 << "key right" << QList<int>{};
        QTest::newRow("home") << 3 << "key home" << QList<int>{0};
        QTest::newRow("end") << 3 << "key end" << QList<int>{5};
        QTest::newRow("end at maximum") << 5 << "key end" << QList<int>{};
        QTest::newRow("page up by ten, clamped") << 1 << "key pageup" << QList<int>{5};
        QTest::newRow("page down by ten, clamped") << 4 << "key pagedown" << QList<int>{0};
        QTest::newRow("wheel forward") << 2 << "wheel 120" << QList<int>{3};
        QTest::newRow("wheel back") << 2 << "wheel -120" << QList<int>{1};
        QTest::newRow("wheel halves add up") << 2 << "wheel 60 60" << QList<int>{3};
        QTest::newRow("wheel past the end") << 5 << "wheel 120" << QList<int>{};
    }
    void reportsUserChanges() {
        QFETCH(int, start);
        QFETCH(QString, input);
        QFETCH(QList<int>, reported);
        BitmapSlider slider;
        slider.setPictures(Pictures());
        slider.resize(121, 20);
        slider.setPosition(start);
        QSignalSpy spy(&slider, &BitmapSlider::positionChanged);
        const QStringList words = input.split(' ');
        const QString kind = words[0];
        if (kind == "click") {
            Mouse(slider, QEvent::MouseButtonPress, words[1].toInt(), Qt::LeftButton);
            Mouse(slider, QEvent::MouseButtonRelease, words[1].toInt(), Qt::NoButton);
        } else if (kind == "drag") {
            Mouse(slider, QEvent::MouseButtonPress, words[1].toInt(), Qt::LeftButton);
            for (int i = 2; i < words.size(); ++i) {
                Mouse(slider, QEvent::MouseMove, words[i].toInt(), Qt::LeftButton);
            }
            Mouse(slider, QEvent::MouseButtonRelease, words.last().toInt(), Qt::NoButton);
            // Moves after the release are not a drag.
            Mouse(slider, QEvent::MouseMove, 0, Qt::NoButton);
        } else if (kind == "key") {
            const QMap<QString, Qt::Key> keys{
                {"right", Qt::Key_Right},      {"left", Qt::Key_Left}, {"up", Qt::Key_Up},
                {"home", Qt::Key_Home},        {"end", Qt::Key_End},   {"pageup", Qt::Key_PageUp},
                {"pagedown", Qt::Key_PageDown}};
            QTest::keyClick(&slider, keys.value(words[1]));
        } else if (kind == "wheel") {
            for (int i = 1; i < words.size(); ++i) {
                Wheel(slider, words[i].toInt());
            }
        }
        QList<int> got;
        for (const QList<QVariant>& signal : spy) {
            got.push_back(signal.at(0).toInt());
        }
        QCOMPARE(got, reported);
        QCOMPARE(slider.position(), reported.isEmpty() ? start : reported.last());
    }

    // The program's own moves do not report; the slider shows the picture of
    // its position; out-of-range positions are clamped.
    void setPositionAndPicture() {
        BitmapSlider slider;
        slider.setPictures(Pictures());
        slider.resize(121, 20);
        QSignalSpy spy(&slider, &BitmapSlider::positionChanged);
        slider.setPosition(4);
        QCOMPARE(slider.grab().toImage().pixel(60, 10), qRgb(160, 0, 0));
        slider.setPosition(9);
        QCOMPARE(slider.position(), 5);
        slider.setRange(0, 3);
        QCOMPARE(slider.position(), 3);
        QCOMPARE(spy.count(), 0);
    }

    void accessibleSlider() {
        BitmapSlider slider;
        slider.setAccessibleName("Brightness");
        slider.setPosition(3);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&slider);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::Slider);
        QCOMPARE(face->text(QAccessible::Name), QString("Brightness"));
        QAccessibleValueInterface* value = face->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue().toInt(), 3);
        QCOMPARE(value->maximumValue().toInt(), 5);
        QCOMPARE(value->minimumValue().toInt(), 0);
    }
};
WIDGETS_TEST(BitmapSliderTest);

#include "BitmapSliderTest.moc"
