// The lighting panel's controls: what each mode shows, and the exact bytes
// every control writes to the keyboard.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "PanelFixture.h"
#include "settings/SettingsValues.h"
#include "settings/SkinRect.h"
#include "widgets/BitmapSlider.h"
#include "widgets/CPngButton.h"
#include "widgets/ColourButton.h"
#include "widgets/PictureSwitch.h"

namespace lighting::ui::test {
namespace {

vkbd::FirmwareConfig WithUnknownMode() {
    vkbd::FirmwareConfig config;
    for (int c = 1; c <= 18; ++c) config.modes.push_back(uint8_t(c));
    config.modes.push_back(20);
    config.modes.push_back(25);  // offered by the keyboard, unknown to the program
    return config;
}

class LightingPanelModes : public PanelTest {
  protected:
    LightingPanelModes() : PanelTest(WithUnknownMode()) {}
};

struct Group {
    char letter;
    std::vector<const char*> keys;
};
const std::vector<Group> kGroups = {
    {'L', {"CONTROL_XGcombox"}},
    {'B', {"CONTROL_LightStatic", "CONTROL_LightSlider"}},
    {'S', {"CONTROL_SpeedStatic", "CONTROL_SpeedSlider"}},
    {'D', {"CONTROL_BLFXStatic", "CONTROL_BLFXLStaPic", "CONTROL_BLFXRStaPic"}},
    {'C', {"CONTROL_HONGPIC", "CONTROL_HUANGPIC", "CONTROL_LVPIC", "CONTROL_LANPIC"}},
    {'F',
     {"CONTROL_FYYSStatic", "CONTROL_FYYSButton", "CONTROL_FYSJSStatic", "CONTROL_FYSJSStaPic"}},
    {'H',
     {"CONTROL_HXysStatic", "CONTROL_HXysButton", "CONTROL_HXsjsStatic", "CONTROL_HXsjsStaPic"}},
    {'P',
     {"CONTROL_USERysStatic", "CONTROL_USERysButton", "CONTROL_USERjsStatic",
      "CONTROL_USERjsButton", "CONTROL_USERgjStatic", "CONTROL_USERgjStaPic1",
      "CONTROL_USERgjStaPic2", "CONTROL_umCombo"}},
    {'W',
     {"CONTROL_Color1", "CONTROL_Color5", "CONTROL_Color8", "CONTROL_RGBStatic", "COLOR_R",
      "COLOR_G", "COLOR_B"}},
    // Shown whatever the mode: the panel's title and switch, the report-rate title.
    {'*', {"CONTROL_DengStatic", "CONTROL_DengStaPic", "CONTROL_UsbStatic"}},
};

TEST_F(LightingPanelModes, EachModeShowsItsControlsAndPlacesTheDirectionPictures) {
    struct Case {
        int code;
        std::string shown;           // group letters
        const char* directionPlace;  // where the left direction picture goes
    };
    const Case cases[] = {
        {1, "LBSDHW", "CONTROL_BLFXLStaPic2"},
        {2, "LBSDHW", "CONTROL_BLFXLStaPic2"},
        {3, "LBSDHW", "CONTROL_BLFXLStaPic2"},
        {4, "LBS", "CONTROL_BLFXLStaPic"},
        {5, "LBSHW", nullptr},
        {6, "LBFW", nullptr},
        {7, "LBSHW", nullptr},
        {8, "LBSHW", nullptr},
        {9, "LBSHW", nullptr},
        {10, "LBSHW", nullptr},
        {11, "LBS", nullptr},
        {12, "LBSD", "CONTROL_BLFXLStaPic3"},
        {13, "LBSHW", nullptr},
        {14, "LBSHW", nullptr},
        {15, "LBSHW", nullptr},
        {16, "LBFW", nullptr},
        {17, "LBC", nullptr},
        {18, "LBD", "CONTROL_BLFXLStaPic"},
        {20, "LBP", nullptr},
        {25, "", nullptr},
    };
    clickPanelSwitch();
    ASSERT_TRUE(panel->isShown());
    for (const Case& c : cases) {
        chooseMode(c.code);
        for (const Group& g : kGroups) {
            bool expected = g.letter == '*' || c.shown.find(g.letter) != std::string::npos;
            for (const char* key : g.keys)
                EXPECT_EQ(visible(key), expected) << "mode " << c.code << ", " << key;
        }
        EXPECT_FALSE(visible("CONTROL_JTysButton"));
        EXPECT_FALSE(visible("CONTROL_TSysButton"));
        if (c.directionPlace) {
            settings::SkinRect r = settings::ReadSkinRect(folder.file("Skins/Main.ini"),
                                                          "BUTTONINFO", c.directionPlace);
            EXPECT_EQ(control("CONTROL_BLFXLStaPic")->pos(), QPoint(r.x, r.y)) << c.code;
        }
    }
    // Hidden, the panel leaves only its title, its switch and the report-rate title.
    clickPanelSwitch();
    for (const Group& g : kGroups)
        for (const char* key : g.keys) EXPECT_EQ(visible(key), g.letter == '*') << key;
}

class LightingPanelWrites : public PanelTest {};

TEST_F(LightingPanelWrites, ModeListAndSlidersWriteAtTheCurrentProfilesOffsets) {
    device::setCurrentProfileIndex(2);
    poke(84, {1, 0, 3, 0, 1});  // mode 1, brightness 0, speed 3, multi-colour on
    ASSERT_EQ(panel->ReadAgain(), 0);
    clickPanelSwitch();
    sent();

    chooseMode(13);
    EXPECT_EQ(sent(), (std::vector<Sent>{Begin(), Param(84, {13}), Param(88, {1}), End()}));

    auto* brightness = control<widgets::BitmapSlider>("CONTROL_LightSlider");
    QTest::keyClick(brightness, Qt::Key_Right);
    EXPECT_EQ(sent(), (std::vector<Sent>{Begin(), Param(85, {1}), End()}));

    // Speed 3 shows at position 2; one step right is position 3, stored as
    // speed 2, not "position 3 equals speed 3".
    auto* speed = control<widgets::BitmapSlider>("CONTROL_SpeedSlider");
    EXPECT_EQ(speed->position(), 2);
    QTest::keyClick(speed, Qt::Key_Right);
    EXPECT_EQ(sent(), (std::vector<Sent>{Begin(), Param(86, {2}), End()}));
    QTest::keyClick(speed, Qt::Key_End);
    EXPECT_EQ(sent(), (std::vector<Sent>{Begin(), Param(86, {0}), End()}));
    EXPECT_EQ(parameterBytes(84, 3), (std::vector<uint8_t>{13, 1, 0}));
}

TEST_F(LightingPanelWrites, ColourGroupsDirectionAndColourChoice) {
    poke(0, {6, 3, 2, 0, 1});  // mode 6, multi-colour on
    ASSERT_EQ(panel->ReadAgain(), 0);
    clickPanelSwitch();
    sent();

    auto* fyMulti = control<widgets::PictureSwitch>("CONTROL_FYSJSStaPic");
    EXPECT_TRUE(fyMulti->isChecked());
    emit control<widgets::ColourButton>("CONTROL_FYYSButton")->colourChosen(QColor(10, 20, 30));
    EXPECT_EQ(sent(), (std::vector<Sent>{Begin(), Param(4, {0}), Param(5, {10, 20, 30}), End()}));
    EXPECT_FALSE(fyMulti->isChecked());
    EXPECT_FALSE(control<widgets::PictureSwitch>("CONTROL_HXsjsStaPic")->isChecked());

    QTest::mouseClick(fyMulti, Qt::LeftButton);
    EXPECT_EQ(sent(), (std::vector<Sent>{Begin(), Param(4, {1}), End()}));
    EXPECT_TRUE(fyMulti->isChecked());

    chooseMode(12);
    sent();
    auto* left = control<widgets::PictureSwitch>("CONTROL_BLFXLStaPic");
    auto* right = control<widgets::PictureSwitch>("CONTROL_BLFXRStaPic");
    QTest::mouseClick(left, Qt::LeftButton);
    QTest::mouseClick(left, Qt::LeftButton);  // clicking the pressed picture keeps it pressed
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_EQ(sent(), (std::vector<Sent>{Begin(), Param(3, {0xFF}), End(), Begin(),
                                         Param(3, {0xFF}), End(), Begin(), Param(3, {0}), End()}));
    EXPECT_FALSE(left->isChecked());
    EXPECT_TRUE(right->isChecked());

    chooseMode(17);
    sent();
    auto* green = control<widgets::PictureSwitch>("CONTROL_LVPIC");
    QTest::mouseClick(green, Qt::LeftButton);
    EXPECT_EQ(sent(), (std::vector<Sent>{Begin(), Param(17, {2}), End()}));
    EXPECT_TRUE(green->isChecked());
    EXPECT_FALSE(control<widgets::PictureSwitch>("CONTROL_HONGPIC")->isChecked());
}

TEST_F(LightingPanelWrites, PresetChangesTheKeyboardButNotTheColourButtonsOrSwitches) {
    poke(0, {5, 3, 2, 0, 1, 10, 20, 30});
    ASSERT_EQ(panel->ReadAgain(), 0);
    clickPanelSwitch();
    sent();
    QTest::mouseClick(control("CONTROL_Color3"), Qt::LeftButton);
    EXPECT_EQ(sent(), (std::vector<Sent>{Begin(), Param(4, {0}), Param(5, {0, 126, 255}), End()}));
    EXPECT_EQ(control<widgets::ColourButton>("CONTROL_HXysButton")->colour(), QColor(10, 20, 30));
    EXPECT_EQ(control<widgets::ColourButton>("CONTROL_FYYSButton")->colour(), QColor(10, 20, 30));
    EXPECT_TRUE(control<widgets::PictureSwitch>("CONTROL_HXsjsStaPic")->isChecked());
    EXPECT_EQ(control<QLineEdit>("COLOR_R")->text(), "0");
    EXPECT_EQ(control<QLineEdit>("COLOR_G")->text(), "126");
    EXPECT_EQ(control<QLineEdit>("COLOR_B")->text(), "255");
}

TEST_F(LightingPanelWrites, RgbFieldsKeepTheirNumbersWithinAByte) {
    clickPanelSwitch();
    struct Case {
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {{"300", "255"}, {"255", "255"}, {"42x", "42"}, {"-7", "0"}, {"x", "x"}};
    auto* red = control<QLineEdit>("COLOR_R");
    for (const Case& c : cases) {
        red->clear();
        QTest::keyClicks(red, c.typed);
        EXPECT_EQ(red->text().toStdString(), c.shown) << c.typed;
    }
    EXPECT_TRUE(sent().empty());  // a read-out: nothing goes to the keyboard
}

TEST_F(LightingPanelWrites, RestoreDefaultsTouchesTheLightingOnlyWhileThePanelIsShown) {
    poke(0, {7, 1, 1, 0xFF, 0, 9, 9, 9});
    poke(35, {1, 2, 3, 4, 5, 6, 7});
    ASSERT_EQ(panel->ReadAgain(), 0);
    sent();
    panel->RestoreDefaults();
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(parameterBytes(0, 1), std::vector<uint8_t>{7});

    clickPanelSwitch();
    sent();
    panel->RestoreDefaults();
    std::vector<Sent> all = sent();
    std::vector<uint8_t> defaults(DefaultParameterBlock.begin(), DefaultParameterBlock.end());
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ((std::vector<Sent>(all.end() - 3, all.end())),
              (std::vector<Sent>{Begin(), Param(0, defaults), End()}));
    EXPECT_EQ(parameterBytes(0, 42), ([&] {
                  std::vector<uint8_t> block = defaults;
                  for (uint8_t b : {1, 2, 3, 4, 5, 6, 7}) block.push_back(b);
                  return block;
              }()));
    EXPECT_EQ(control<widgets::BitmapSlider>("CONTROL_LightSlider")->position(), 4);
    EXPECT_EQ(control<widgets::BitmapSlider>("CONTROL_SpeedSlider")->position(), 3);
    EXPECT_TRUE(control<widgets::PictureSwitch>("CONTROL_HXsjsStaPic")->isChecked());
    EXPECT_EQ(control<widgets::ColourButton>("CONTROL_HXysButton")->colour(), QColor(Qt::white));
    EXPECT_TRUE(control<widgets::PictureSwitch>("CONTROL_BLFXRStaPic")->isChecked());
    EXPECT_EQ(control<QComboBox>("CONTROL_XGcombox")->currentIndex(),
              lighting.modes().ModeIndex(1));
}

TEST_F(LightingPanelWrites, PanelSwitchAsksTheProfileManagerAndKeepsTheSetting) {
    host.confirm = false;
    clickPanelSwitch();
    EXPECT_FALSE(panel->isShown());
    EXPECT_FALSE(control<widgets::PictureSwitch>("CONTROL_DengStaPic")->isChecked());
    EXPECT_EQ(setting("KEYCOLOR", "DengCheck"), "(none)");

    host.confirm = true;
    clickPanelSwitch();
    EXPECT_TRUE(panel->isShown());
    EXPECT_EQ(setting("KEYCOLOR", "DengCheck"), "1");
    EXPECT_EQ(host.confirmations, 2);

    // A shown panel is hidden by a profile switch, and the setting follows.
    device::setCurrentProfileIndex(1);
    ASSERT_EQ(panel->ReadOnProfileSwitch(), 0);
    EXPECT_FALSE(panel->isShown());
    EXPECT_EQ(setting("KEYCOLOR", "DengCheck"), "0");
    EXPECT_FALSE(visible("CONTROL_XGcombox"));
    EXPECT_GE(host.assignmentsShown, 1);

    // The setting shows the panel when the lighting is next read.
    settings::WritePanelOnTo(settingsFile, true);
    ASSERT_EQ(panel->ReadAgain(), 0);
    EXPECT_TRUE(panel->isShown());
}

TEST_F(LightingPanelWrites, ReadFailureEmptiesTheModeList) {
    keyboard.setResponder([](const device::FrameBytes&, int) { return std::nullopt; });
    EXPECT_EQ(panel->ReadAgain(), -1);
    EXPECT_EQ(control<QComboBox>("CONTROL_XGcombox")->count(), 0);
}

// A write the keyboard did not take turns the title into a warning until a
// write goes through again.
TEST_F(LightingPanelWrites, UnansweredWriteShowsInTheTitleUntilTheNextGoodOne) {
    poke(0, {1, 0, 0, 0, 0});
    ASSERT_EQ(panel->ReadAgain(), 0);
    clickPanelSwitch();
    auto* title = control<QLabel>("CONTROL_DengStatic");
    EXPECT_EQ(title->text(), "LIGHT:Deng");

    auto answer = testsupport::firmwareResponder(firmware);
    keyboard.setResponder([](const device::FrameBytes&, int) { return std::nullopt; });
    QTest::keyClick(control("CONTROL_LightSlider"), Qt::Key_Right);
    EXPECT_TRUE(panel->showsWriteFailure());
    EXPECT_EQ(title->text(), "LIGHT:WriteFailed");

    keyboard.setResponder(answer);
    QTest::keyClick(control("CONTROL_LightSlider"), Qt::Key_Right);
    EXPECT_FALSE(panel->showsWriteFailure());
    EXPECT_EQ(title->text(), "LIGHT:Deng");
}

}  // namespace
}  // namespace lighting::ui::test
