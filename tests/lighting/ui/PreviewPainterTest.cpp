// The animated preview on the key buttons: when it runs, what it tints, and
// that a tick touches only the buttons whose tint changed.
#include <QTest>

#include "PanelFixture.h"
#include "lighting/ui/PreviewPainter.h"

namespace lighting::ui::test {
namespace {

class PreviewTest : public PanelTest {
  protected:
    int tinted() const {
        int n = 0;
        for (auto* b : host.keys) n += b->tint().has_value();
        for (auto* b : host.gKeys) n += b->tint().has_value();
        return n + host.fn->tint().has_value();
    }
};

TEST_F(PreviewTest, RunsOnlyWhileThePanelAndTheWindowAreShownAndTheModeMoves) {
    poke(0, {4});
    ASSERT_EQ(panel->ReadAgain(), 0);
    EXPECT_FALSE(panel->previewRunning());
    clickPanelSwitch();
    EXPECT_TRUE(panel->previewRunning());
    panel->setWindowVisible(false);
    EXPECT_FALSE(panel->previewRunning());
    panel->setWindowVisible(true);
    EXPECT_TRUE(panel->previewRunning());
    chooseMode(kPerKeyMode);  // per-key colours stand still
    EXPECT_FALSE(panel->previewRunning());
    chooseMode(4);
    EXPECT_TRUE(panel->previewRunning());
    clickPanelSwitch();
    EXPECT_FALSE(panel->previewRunning());

    // Hidden, the timer's work does nothing either.
    int ticks = panel->preview().ticks();
    panel->PreviewTick();
    EXPECT_EQ(panel->preview().ticks(), ticks);
    EXPECT_EQ(tinted(), 0);
}

TEST_F(PreviewTest, TicksTintTheAnimatedKeysAndTouchOnlyChangedOnes) {
    poke(0, {6, 3, 0, 0, 0, 40, 50, 60});  // mode 6, single colour: every key alike, still
    ASSERT_EQ(panel->ReadAgain(), 0);
    clickPanelSwitch();
    panel->PreviewTick();
    EXPECT_EQ(panel->preview().lastChanged(), preview::kPreviewKeyCount);
    EXPECT_EQ(tinted(), preview::kPreviewKeyCount);  // right Win and G6..G9 are not animated
    EXPECT_EQ(host.keyButton(preview::ButtonOfPreviewKey(preview::Esc))->tint(),
              QColor(40, 50, 60));
    panel->PreviewTick();
    EXPECT_EQ(panel->preview().lastChanged(), 0);

    // A mode change clears every key before the new animation starts.
    chooseMode(7);
    EXPECT_EQ(tinted(), 0);
    panel->PreviewTick();
    EXPECT_EQ(tinted(), 0);

    chooseMode(4);  // the colour cycle moves every tick
    panel->PreviewTick();
    QColor before = *host.keys[0]->tint();
    panel->PreviewTick();
    EXPECT_NE(*host.keys[0]->tint(), before);
}

TEST_F(PreviewTest, TheTimerDrivesThePreview) {
    poke(0, {4});
    ASSERT_EQ(panel->ReadAgain(), 0);
    clickPanelSwitch();
    int ticks = panel->preview().ticks();
    QTRY_VERIFY_WITH_TIMEOUT(panel->preview().ticks() >= ticks + 2, 2000);
    EXPECT_GT(tinted(), 0);
}

}  // namespace
}  // namespace lighting::ui::test
