// Per-key painting on the key buttons: tools, the base colour that painted
// keys follow, dragging across keys, the eyedropper, the user-mode list, and
// what becomes of the buttons when the panel hides.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <set>

#include "PanelFixture.h"
#include "lighting/ui/PerKeyPainting.h"
#include "widgets/ColourButton.h"
#include "widgets/PictureSwitch.h"

namespace lighting::ui::test {
namespace {

constexpr ButtonRef kA{ButtonRef::KeyButton, 0};   // LED slot 61
constexpr ButtonRef kS{ButtonRef::KeyButton, 18};  // LED slot 62

class PerKeyPaintingTest : public PanelTest {
  protected:
    void SetUp() override {
        PanelTest::SetUp();
        clickPanelSwitch();
        chooseMode(kPerKeyMode);
        sent();
    }
    void pickColour(const char* key, QColor colour) {
        emit control<widgets::ColourButton>(key)->colourChosen(colour);
    }
    void click(const char* key) { QTest::mouseClick(control(key), Qt::LeftButton); }
    widgets::CPngButton* button(ButtonRef ref) { return host.keyButton(ref); }
    std::optional<QColor> tint(ButtonRef ref) { return button(ref)->tint(); }
};

TEST_F(PerKeyPaintingTest, KeysPaintedWithTheBaseColourFollowIt) {
    click("CONTROL_USERgjStaPic2");  // tool 1: the base colour
    EXPECT_TRUE(panel->PaintKey(kA));
    click("CONTROL_USERgjStaPic1");  // tool 0: the paint colour
    pickColour("CONTROL_USERysButton", QColor(0, 255, 0));
    EXPECT_TRUE(panel->PaintKey(kS));
    EXPECT_EQ(colourWrites(),
              (std::vector<Sent>{Colours(3 * 61, {0, 0, 0}), Colours(3 * 62, {0, 255, 0})}));
    EXPECT_EQ(tint(kS), QColor(0, 255, 0));

    pickColour("CONTROL_USERjsButton", QColor(0, 0, 255));
    EXPECT_EQ(userFileEntry(0, "Mode0", "61"), "0,0,255,1");
    EXPECT_EQ(userFileEntry(0, "Mode0", "62"), "0,255,0,0");
    EXPECT_EQ(tint(kA), QColor(0, 0, 255));
    EXPECT_EQ(tint(kS), QColor(0, 255, 0));
    const auto& memory = firmware.keyColours();
    EXPECT_EQ((std::vector<uint8_t>(memory.begin() + 3 * 61, memory.begin() + 3 * 63)),
              (std::vector<uint8_t>{0, 0, 255, 0, 255, 0}));
    EXPECT_EQ(parameterBytes(9, 3), (std::vector<uint8_t>{0, 0, 255}));
}

TEST_F(PerKeyPaintingTest, DragAcrossKeysPaintsEachKeyOnce) {
    pickColour("CONTROL_USERysButton", QColor(200, 100, 50));
    // Five keys of one row of the fixture window; the pressed button holds
    // the mouse grab, so the moves arrive at it.
    std::vector<widgets::CPngButton*> stroke;
    for (uint8_t i : {30, 31, 32, 33, 34}) stroke.push_back(button({ButtonRef::KeyButton, i}));
    widgets::CPngButton* first = stroke.front();
    auto send = [&](QEvent::Type type, widgets::CPngButton* over, Qt::MouseButtons held) {
        QPoint global = over->mapToGlobal(over->rect().center());
        QMouseEvent e(type, first->mapFromGlobal(global), global, Qt::LeftButton, held,
                      Qt::NoModifier);
        QApplication::sendEvent(first, &e);
    };
    QObject::connect(first, &QAbstractButton::clicked, [&] {
        panel->PaintKey({ButtonRef::KeyButton, 30});
    });
    send(QEvent::MouseButtonPress, first, Qt::LeftButton);
    for (size_t i = 1; i < stroke.size(); ++i) send(QEvent::MouseMove, stroke[i], Qt::LeftButton);
    send(QEvent::MouseMove, first, Qt::LeftButton);  // back onto the first key
    send(QEvent::MouseButtonRelease, first, Qt::NoButton);

    std::vector<Sent> writes = colourWrites();
    ASSERT_EQ(writes.size(), 5u);
    std::set<int> offsets;
    for (const Sent& s : writes) {
        offsets.insert(s.offset);
        EXPECT_EQ(s.bytes, (std::vector<uint8_t>{200, 100, 50}));
    }
    EXPECT_EQ(offsets.size(), 5u);
    for (widgets::CPngButton* b : stroke) EXPECT_EQ(b->tint(), QColor(200, 100, 50));
}

TEST_F(PerKeyPaintingTest, CtrlClickTakesTheKeysColourAsPaintColour) {
    pickColour("CONTROL_USERysButton", QColor(1, 2, 3));
    click("CONTROL_USERgjStaPic2");  // painting with the base colour at first
    panel->painting().KeyClicked(kS, /*ctrlHeld=*/true);
    EXPECT_TRUE(colourWrites().empty());
    // A fresh profile's keys are red.
    EXPECT_EQ(control<widgets::ColourButton>("CONTROL_USERysButton")->colour(), QColor(255, 0, 0));
    EXPECT_EQ(userFileEntry(0, "Mode0", "color"), "255,0,0");
    EXPECT_TRUE(control<widgets::PictureSwitch>("CONTROL_USERgjStaPic1")->isChecked());
    panel->PaintKey(kA);
    EXPECT_EQ(colourWrites(), (std::vector<Sent>{Colours(3 * 61, {255, 0, 0})}));
}

TEST_F(PerKeyPaintingTest, KeyClicksOutsidePaintingGoToKeyAssignmentOrNowhere) {
    EXPECT_FALSE(panel->PaintKey({ButtonRef::GButton, 5}));  // G6 always opens key assignment
    EXPECT_TRUE(panel->PaintKey({ButtonRef::GButton, 0}));   // G1 paints
    EXPECT_EQ(colourWrites().size(), 1u);

    chooseMode(4);
    sent();
    EXPECT_TRUE(panel->PaintKey(kA));  // taken by the panel, but nothing happens
    EXPECT_TRUE(sent().empty());
}

TEST_F(PerKeyPaintingTest, HidingThePanelGivesTheKeysBackToKeyAssignment) {
    panel->PaintKey(kA);
    ASSERT_TRUE(tint(kA).has_value());
    sent();
    button(kS)->setDown(true);
    int shown = host.assignmentsShown;
    clickPanelSwitch();
    for (int i = 0; i < kKeyButtonCount; ++i)
        EXPECT_FALSE(host.keys[i]->tint().has_value()) << "key button " << i;
    for (auto* g : host.gKeys) EXPECT_FALSE(g->tint().has_value());
    EXPECT_FALSE(host.fn->tint().has_value());
    EXPECT_FALSE(button(kS)->isDown());
    EXPECT_EQ(host.assignmentsShown, shown + 1);
    EXPECT_FALSE(panel->PaintKey(kA));
    EXPECT_TRUE(colourWrites().empty());
    EXPECT_EQ(setting("KEYCOLOR", "DengCheck"), "0");

    // Shown again in mode 20, every key shows its colour at once.
    clickPanelSwitch();
    EXPECT_EQ(tint(kS), QColor(255, 0, 0));
}

TEST_F(PerKeyPaintingTest, UserModeListRenamesOnEveryEditAndSelects) {
    auto* list = control<QComboBox>("CONTROL_umCombo");
    ASSERT_EQ(list->count(), kUserModeCount);
    list->setCurrentIndex(3);
    emit list->activated(3);
    EXPECT_EQ(userFileEntry(0, "PRESENTMODE", "mode"), "3");
    EXPECT_EQ(colourWrites().size(), 8u);  // the layout of user mode 3 goes out

    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), "Ab");
    EXPECT_EQ(userFileEntry(0, "MODENAME", "3"), "Ab");
    QTest::keyClicks(list->lineEdit(), "c");
    EXPECT_EQ(userFileEntry(0, "MODENAME", "3"), "Abc");
    EXPECT_EQ(list->itemText(3), "Abc");
    EXPECT_EQ(list->lineEdit()->text(), "Abc");
    EXPECT_EQ(userFileEntry(0, "MODENAME", "2"), "(none)");
}

}  // namespace
}  // namespace lighting::ui::test
