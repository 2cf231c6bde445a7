// PanelFixture.cpp - the window, skin and keyboard the panel tests share.
#include "PanelFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>

#include "settings/IniFile.h"
#include "settings/SettingsValues.h"
#include "widgets/PictureSwitch.h"

namespace lighting::ui::test {
namespace {

// One application for every test of the program, offscreen.
class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "lighting_ui_test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

  private:
    std::unique_ptr<QApplication> app_;
};
const auto* const kQt = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

constexpr const char* kPanelKeys[] = {
    "CONTROL_DengStatic",
    "CONTROL_DengStaPic",
    "CONTROL_XGcombox",
    "CONTROL_LightStatic",
    "CONTROL_LightSlider",
    "CONTROL_SpeedStatic",
    "CONTROL_SpeedSlider",
    "CONTROL_BLFXStatic",
    "CONTROL_BLFXLStaPic",
    "CONTROL_BLFXRStaPic",
    "CONTROL_FYYSStatic",
    "CONTROL_FYYSButton",
    "CONTROL_FYSJSStatic",
    "CONTROL_FYSJSStaPic",
    "CONTROL_HXysStatic",
    "CONTROL_HXysButton",
    "CONTROL_HXsjsStatic",
    "CONTROL_HXsjsStaPic",
    "CONTROL_HONGPIC",
    "CONTROL_HUANGPIC",
    "CONTROL_LVPIC",
    "CONTROL_LANPIC",
    "CONTROL_USERysStatic",
    "CONTROL_USERysButton",
    "CONTROL_USERjsStatic",
    "CONTROL_USERjsButton",
    "CONTROL_USERgjStatic",
    "CONTROL_USERgjStaPic1",
    "CONTROL_USERgjStaPic2",
    "CONTROL_umCombo",
    "CONTROL_Color1",
    "CONTROL_Color2",
    "CONTROL_Color3",
    "CONTROL_Color4",
    "CONTROL_Color5",
    "CONTROL_Color6",
    "CONTROL_Color7",
    "CONTROL_Color8",
    "CONTROL_RGBStatic",
    "COLOR_R",
    "COLOR_G",
    "COLOR_B",
    "CONTROL_UsbStatic",
    "FUNC_REPORT1",
    "FUNC_REPORT2",
    "FUNC_REPORT3",
    "FUNC_REPORT4",
    "CONTROL_JDTStatic",
    "CONTROL_BLFXStatic2",
    "CONTROL_BLFXLStaPic2",
    "CONTROL_BLFXRStaPic2",
    "CONTROL_BLFXStatic3",
    "CONTROL_BLFXLStaPic3",
    "CONTROL_BLFXRStaPic3",
    "CONTROL_JTysButton",
    "CONTROL_TSysButton",
};

}  // namespace

TestHost::TestHost() {
    window.resize(1000, 700);
    auto make = [this](int n) {
        auto* b = new widgets::CPngButton(&window);
        b->setGeometry(10 + (n % 23) * 40, 10 + (n / 23) * 40, 36, 36);
        return b;
    };
    int n = 0;
    for (auto*& b : keys) b = make(n++);
    for (auto*& b : gKeys) b = make(n++);
    fn = make(n++);
}

widgets::CPngButton* TestHost::keyButton(ButtonRef button) {
    switch (button.kind) {
        case ButtonRef::KeyButton:
            return button.index < keys.size() ? keys[button.index] : nullptr;
        case ButtonRef::GButton:
            return button.index < gKeys.size() ? gKeys[button.index] : nullptr;
        case ButtonRef::FnButton:
            return fn;
    }
    return nullptr;
}

std::string WriteFixtureSkin(const testsupport::TempFolder& folder) {
    std::string ini = "[BUTTONINFO]\r\n";
    int i = 0;
    for (const char* key : kPanelKeys) {
        int x = 10 + (i % 8) * 120, y = 420 + (i / 8) * 34;
        ini += std::string(key) + "=" + std::to_string(x) + "," + std::to_string(y) + ",110,28\r\n";
        ++i;
    }
    return folder.write("Skins/Main.ini", ini);
}

PanelTest::PanelTest(vkbd::FirmwareConfig config) : LightingOnVkbd(std::move(config)) {}

PanelTest::~PanelTest() {
    panel.reset();
}

void PanelTest::SetUp() {
    ASSERT_FALSE(folder.path().empty());
    settingsFile = folder.file("tamro.ini");
    LightingPanelSetup setup;
    setup.window = &host.window;
    setup.skinIniFile = WriteFixtureSkin(folder);
    setup.skinFolder = QString::fromStdString(folder.file("Skins/"));
    setup.userLightModePrefix = folder.file("UserDengColor_");
    setup.templateLightModeFile = folder.file("Skins/UserDengColor_3.userd");
    setup.texts = &texts;
    setup.readPanelOn = [this] { return settings::ReadPanelOnFrom(settingsFile); };
    setup.writePanelOn = [this](bool on) { settings::WritePanelOnTo(settingsFile, on); };
    panel = std::make_unique<LightingPanel>(lighting, host, setup);
    host.window.show();
    panel->setWindowVisible(true);
    ASSERT_EQ(panel->ReadOnArrival(), 0);
    sent();
}

bool PanelTest::visible(const char* key) const {
    QWidget* w = control(key);
    EXPECT_NE(w, nullptr) << key;
    return w && w->isVisible();
}

void PanelTest::clickPanelSwitch() {
    QTest::mouseClick(control("CONTROL_DengStaPic"), Qt::LeftButton);
}

void PanelTest::chooseMode(int code) {
    auto* list = control<QComboBox>("CONTROL_XGcombox");
    int index = lighting.modes().ModeIndex(code);
    ASSERT_GE(index, 0) << "mode " << code << " not offered";
    list->setCurrentIndex(index);
    emit list->activated(index);
}

std::string PanelTest::setting(const std::string& section, const std::string& key) const {
    return settings::ReadIniString(settingsFile, section, key, "(none)");
}

std::string PanelTest::userFileEntry(int profile, const std::string& section,
                                     const std::string& key) const {
    return settings::ReadIniString(
        folder.file("UserDengColor_" + std::to_string(profile) + ".userd"), section, key, "(none)");
}

std::vector<Sent> PanelTest::colourWrites() {
    std::vector<Sent> out;
    for (const Sent& s : sent())
        if (s.command == device::CMD_WRITE_KEY_COLOURS)
            out.push_back(s);
    return out;
}

}  // namespace lighting::ui::test
