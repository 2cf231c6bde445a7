#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "TestClasses.h"
#include "widgets/ButtonStroke.h"
#include "widgets/CPngButton.h"

using namespace widgets;

class ButtonStrokeTest : public QObject {
    Q_OBJECT

  private slots:
    // Holding the button and sweeping across A -> B -> gap -> B -> C -> A
    // starts at A and enters B, B again after the gap, then C; A never
    // "enters", and moves after the release are not part of the stroke.
    void sweepAcrossButtons() {
        QWidget window;
        window.resize(200, 40);
        CPngButton a(&window), b(&window), c(&window), outsider(&window);
        a.setGeometry(0, 0, 30, 30);
        b.setGeometry(40, 0, 30, 30);
        c.setGeometry(80, 0, 30, 30);
        outsider.setGeometry(120, 0, 30, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ButtonStroke stroke;
        for (CPngButton* button : {&a, &b, &c}) {
            stroke.addButton(button);
        }
        QSignalSpy started(&stroke, &ButtonStroke::strokeStarted);
        QSignalSpy entered(&stroke, &ButtonStroke::entered);
        QSignalSpy clickedA(&a, &QAbstractButton::clicked);

        // The pressed button keeps the mouse, so every event goes to A.
        auto send = [&](QEvent::Type type, int windowX, Qt::MouseButtons held) {
            const QPoint global = window.mapToGlobal(QPoint(windowX, 15));
            const Qt::MouseButton button =
                type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, a.mapFromGlobal(global), global, button, held, Qt::NoModifier);
            QCoreApplication::sendEvent(&a, &event);
        };
        send(QEvent::MouseButtonPress, 10, Qt::LeftButton);
        for (int x : {20, 50, 60, 75, 55, 95, 130, 15}) {
            send(QEvent::MouseMove, x, Qt::LeftButton);
        }
        send(QEvent::MouseButtonRelease, 15, Qt::NoButton);
        send(QEvent::MouseMove, 50, Qt::NoButton);

        QCOMPARE(started.count(), 1);
        QCOMPARE(started[0][0].value<CPngButton*>(), &a);
        QList<CPngButton*> got;
        for (const auto& signal : entered) {
            got.push_back(signal[0].value<CPngButton*>());
        }
        QCOMPARE(got, (QList<CPngButton*>{&b, &b, &c}));
        QCOMPARE(clickedA.count(), 1);
        QVERIFY(!stroke.active());
    }
};
WIDGETS_TEST(ButtonStrokeTest);

#include "ButtonStrokeTest.moc"
