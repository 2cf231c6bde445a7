#include <QGridLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "TestClasses.h"
#include "widgets/ColourButton.h"

using namespace widgets;

class ColourButtonTest : public QObject {
    Q_OBJECT

  private slots:
    // The pop-up is a grid of ten columns and an "other" entry; there is no
    // automatic entry.
    void paletteLayout() {
        ColourButton button;
        button.setOtherText("Other colours");
        button.resize(48, 22);
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        ColourPalettePopup* popup = button.palettePopup();
        QVERIFY(popup);
        QVERIFY(popup->isVisible());
        auto* grid = popup->findChild<QGridLayout*>();
        QVERIFY(grid);
        QCOMPARE(grid->columnCount(), 10);
        QCOMPARE(popup->swatches().size() % 10, 0);
        QCOMPARE(popup->swatches().size(), PaletteColours().size());
        const QList<QPushButton*> entries = popup->findChildren<QPushButton*>();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0]->text(), QString("Other colours"));
        QCOMPARE(ColourButton().otherText(), QString("Other..."));
    }

    // A swatch (by mouse or keyboard) reports its colour and closes the pop-up.
    void swatchChoosesColour() {
        ColourButton button;
        button.setColour(Qt::black);
        button.show();
        QSignalSpy chosen(&button, &ColourButton::colourChosen);
        button.showPalette();
        QAbstractButton* swatch = button.palettePopup()->swatches().at(13);
        QTest::mouseClick(swatch, Qt::LeftButton);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0][0].value<QColor>(), PaletteColours().at(13));
        QCOMPARE(button.colour(), PaletteColours().at(13));
        QTRY_VERIFY(!button.palettePopup());

        // From the keyboard: the current colour's swatch has the focus; one
        // row down and Space picks the swatch below it.
        button.showPalette();
        ColourPalettePopup* popup = button.palettePopup();
        QCOMPARE(popup->focusWidget(), popup->swatches().at(13));
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup->focusWidget(), Qt::Key_Space);
        QCOMPARE(chosen.count(), 2);
        QCOMPARE(chosen[1][0].value<QColor>(), PaletteColours().at(23));
    }

    // "Other" asks the colour dialog; cancelling it reports nothing.
    void otherOpensColourDialog() {
        ColourButton button;
        button.setColour(QColor(1, 2, 3));
        QColor answer(10, 20, 30);
        QColor askedWith;
        button.setColourDialog([&](const QColor& current, QWidget*) {
            askedWith = current;
            return answer;
        });
        QSignalSpy chosen(&button, &ColourButton::colourChosen);
        button.showPalette();
        QTest::mouseClick(button.palettePopup()->otherButton(), Qt::LeftButton);
        QCOMPARE(askedWith, QColor(1, 2, 3));
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(button.colour(), QColor(10, 20, 30));

        answer = QColor();
        button.showPalette();
        QTest::mouseClick(button.palettePopup()->otherButton(), Qt::LeftButton);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(button.colour(), QColor(10, 20, 30));
    }
};
WIDGETS_TEST(ColourButtonTest);

#include "ColourButtonTest.moc"
