// PanelFixture.h - the lighting panel on a plain window with 114 key buttons,
// a small fixture skin and the firmware model answering in-process.
#pragma once

#include <QWidget>

#include <array>
#include <map>
#include <memory>
#include <string>

#include "LightingTestSupport.h"
#include "lighting/ui/LightingPanel.h"
#include "lighting/ui/LightingPanelHost.h"
#include "settings/TextSource.h"
#include "support/TempFolder.h"
#include "widgets/CPngButton.h"

namespace lighting::ui::test {

using lighting::test::Begin;
using lighting::test::Colours;
using lighting::test::End;
using lighting::test::Param;
using lighting::test::Sent;

// "section:key", so a test sees which text a control took.
class KeyTexts : public settings::TextSource {
  public:
    std::string Lookup(std::string_view section, std::string_view key) const override {
        return std::string(section) + ":" + std::string(key);
    }
};

// The main window's side: a window with the key buttons in a grid.
class TestHost : public LightingPanelHost {
  public:
    TestHost();
    widgets::CPngButton* keyButton(ButtonRef button) override;
    void showProfileAssignments() override { ++assignmentsShown; }
    bool confirmCurrentProfile() override {
        ++confirmations;
        return confirm;
    }

    QWidget window;
    std::array<widgets::CPngButton*, kKeyButtonCount> keys{};
    std::array<widgets::CPngButton*, kGButtonCount> gKeys{};
    widgets::CPngButton* fn = nullptr;
    int assignmentsShown = 0;
    int confirmations = 0;
    bool confirm = true;
};

// Writes Main.ini with a rectangle for every panel control into a folder.
std::string WriteFixtureSkin(const testsupport::TempFolder& folder);

class PanelTest : public lighting::test::LightingOnVkbd {
  protected:
    explicit PanelTest(vkbd::FirmwareConfig config = {});
    ~PanelTest() override;

    // Builds the panel and runs the arrival read.
    void SetUp() override;

    template <typename T = QWidget>
    T* control(const char* key) const {
        return host.window.findChild<T*>(key);
    }
    bool visible(const char* key) const;
    // Opens the panel through its switch.
    void clickPanelSwitch();
    // Picks a mode in the list as the user would.
    void chooseMode(int code);
    std::string setting(const std::string& section, const std::string& key) const;
    std::string userFileEntry(int profile, const std::string& section,
                              const std::string& key) const;
    // Only the key-colour writes among the requests since the last call.
    std::vector<Sent> colourWrites();

    testsupport::TempFolder folder;
    std::string settingsFile;
    KeyTexts texts;
    TestHost host;
    std::unique_ptr<LightingPanel> panel;
};

}  // namespace lighting::ui::test
