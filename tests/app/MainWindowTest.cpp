// The main window against keytune-vkbd: the start and the first show, the
// messages and their tags, the key filter, the profile, report-rate, Default,
// Switch and Flip buttons, closing with pending changes, the layer switch,
// the lighting notification and the keyboard going away.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <mutex>

#include "ControlIds.h"
#include "FixtureSkin.h"
#include "KeyCatalogue.h"
#include "WindowMessages.h"
#include "WindowTestSupport.h"
#include "device/CurrentProfileIndex.h"
#include "settings/LanguageTables.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsValues.h"

namespace {

using namespace windowtest;
using fixture::WaitFor;
namespace ids = app::ids;
namespace msg = app::msg;

int count(const std::vector<Request>& requests, int command) {
    int n = 0;
    for (const Request& r : requests) n += r.command == command;
    return n;
}

// Three key maps of 378 bytes, 56 payload bytes per frame.
constexpr int kKeyMapFrames = 3 * 7;

bool hiddenOrMinimised(const QWidget& w) {
    return !w.isVisible() || w.isMinimized();
}

void click(app::CKeytuneDlg& window, int id) {
    QTest::mouseClick(window.control(id), Qt::LeftButton);
}

// The record of a key (or G record index) in the working store's profile area.
keys::KeyAssignment* record(app::CKeytuneDlg& window, int profile, int index) {
    return keys::RecordAt(window.model().working, profile, static_cast<uint16_t>(index));
}

using MainWindow = WindowTest;

TEST_F(MainWindow, StaysHiddenUntilTheArrivalReadsAreDoneThenShowsOnce) {
    window = std::make_unique<app::CKeytuneDlg>(settings::ProgramTexts());
    bool visibleBeforeReads = false;
    ASSERT_TRUE(window->Initialise(nullptr));
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(WaitFor([&] {
        if (window->isVisible() &&
            count(RequestsInTrace(vkbd.tracePath()), kReadKeyMap) < kKeyMapFrames)
            visibleBeforeReads = true;
        return window->isVisible();
    }));
    EXPECT_FALSE(visibleBeforeReads);
    const auto requests = RequestsInTrace(vkbd.tracePath());
    // The firmware check, the factory key map, the capacity, then the reload.
    ASSERT_GE(requests.size(), 4u);
    EXPECT_EQ(requests[0].command, kReadInfo);
    EXPECT_EQ(requests[1].command, kReadDefaultKeyMap);
    EXPECT_EQ(count(requests, kReadKeyMap), kKeyMapFrames);
    EXPECT_EQ(window->tray().picture(), app::CTrayIcon::kKeyboard);
    EXPECT_TRUE(window->control(ids::kProfile1)->isChecked());

    // Unplugged: hidden (minimised where no notification area exists), 128.
    vkbd.stop();
    ASSERT_TRUE(WaitFor([&] { return window->tray().picture() == app::CTrayIcon::kNoKeyboard; }));
    EXPECT_TRUE(hiddenOrMinimised(*window));
    window->hide();
    // Plugged in again: read, but not shown a second time.
    ASSERT_TRUE(vkbd.start());
    ASSERT_TRUE(WaitFor([&] { return window->tray().picture() == app::CTrayIcon::kKeyboard; }));
    QTest::qWait(100);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, StartInTrayReadsTheKeyboardButNeverShows) {
    startWindow(/*startInTray=*/true);
    ASSERT_TRUE(WaitFor(
        [&] { return count(RequestsInTrace(vkbd.tracePath()), kReadKeyMap) == kKeyMapFrames; }));
    QTest::qWait(100);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->tray().picture(), app::CTrayIcon::kKeyboard);
}

TEST_F(MainWindow, WithoutKeyboardOpenShowsThePromptInsteadOfTheWindow) {
    vkbd.stop();
    startWindow();
    EXPECT_TRUE(window->handleMessage(msg::kOpenOrVersion, msg::kOpenTag));
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].toStdString(), settings::ProgramTexts().Text("MAIN_NO_DEVICE_PROMPT"));
    EXPECT_EQ(window->tray().picture(), app::CTrayIcon::kNoKeyboard);
}

TEST_F(MainWindow, MessagesWithAnotherTagAreIgnored) {
    startWindow(true);
    const std::pair<uint32_t, uint32_t> wrong[] = {{msg::kOpenOrVersion, msg::kKillTag},
                                                   {msg::kProfile, msg::kOpenTag},
                                                   {msg::kGKeys, 0},
                                                   {msg::kKill, msg::kOpenTag},
                                                   {msg::kInit, msg::kLanguageTag},
                                                   {msg::kLanguage, 0x4C414E48},
                                                   {0x1234, msg::kOpenTag}};
    for (auto [number, tag] : wrong)
        EXPECT_FALSE(window->handleMessage(number, tag)) << std::hex << number << " " << tag;
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->ended());
    // An index above 3 is taken as 0, and the texts are set again.
    window->control(ids::kSwitch)->setCaption("stale");
    EXPECT_TRUE(window->handleMessage(msg::kLanguage, msg::kLanguageTag, 7));
    EXPECT_NE(window->control(ids::kSwitch)->caption(), "stale");
    EXPECT_TRUE(window->handleMessage(msg::kOpenOrVersion, msg::kOpenTag));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->handleMessage(msg::kKill, msg::kKillTag));
    EXPECT_TRUE(window->ended());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, EnterAndEscapeNeverReachTheWindow) {
    startWindow(true);
    window->handleMessage(msg::kOpenOrVersion, msg::kOpenTag);
    window->setPendingChanges(true);
    const size_t before = TraceLines(vkbd.tracePath());
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(window.get(), static_cast<Qt::Key>(key));
        QTest::keyClick(window->control(ids::kSwitch), static_cast<Qt::Key>(key));
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->pendingChanges());
    EXPECT_EQ(count(RequestsInTrace(vkbd.tracePath(), before), kWriteKeyMap), 0);
}

TEST_F(MainWindow, ReportRateWritesOneByteInTheCurrentProfilesBlock) {
    startWindow(true);
    click(*window, ids::kProfile1 + 2);
    ASSERT_TRUE(WaitFor([&] { return !window->writing(); }));
    ASSERT_EQ(window->currentProfileIndex(), 2);
    ASSERT_TRUE(window->control(ids::kProfile1 + 2)->isChecked());
    const size_t before = TraceLines(vkbd.tracePath());
    click(*window, ids::kReportRates[2]);
    const auto requests = RequestsInTrace(vkbd.tracePath(), before);
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].command, kBegin);
    EXPECT_EQ(requests[1].command, kWriteParameters);
    EXPECT_EQ(requests[1].offset, 99);
    EXPECT_EQ(requests[1].length, 1);
    EXPECT_EQ(requests[1].payload[0], 2);
    EXPECT_EQ(requests[2].command, kEnd);
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(window->control(ids::kReportRates[r])->isChecked(), r == 2);
    EXPECT_FALSE(window->pendingChanges());
}

TEST_F(MainWindow, ProfileButtonOfTheKeyboardsProfileReReadsLightingAndSwitchesNothing) {
    startWindow(true);
    // The keyboard starts on profile 1 (index 0); clicking "Profile1".
    const size_t before = TraceLines(vkbd.tracePath());
    click(*window, ids::kProfile1);
    const auto requests = RequestsInTrace(vkbd.tracePath(), before);
    EXPECT_GE(count(requests, kReadParameters), 1);
    EXPECT_EQ(count(requests, kWriteInfo), 0);
    EXPECT_TRUE(window->control(ids::kProfile1)->isChecked());
    EXPECT_FALSE(window->control(ids::kProfile1 + 1)->isChecked());
    EXPECT_EQ(window->currentProfileIndex(), 0);
}

TEST_F(MainWindow, DefaultWithNoKeepsEverythingAndWithYesResetsAndApplies) {
    startWindow(true);
    const int a = keys::CodeToIndex(0x1E);
    auto edit = [&] {
        std::lock_guard lock(window->model().working.lock());
        record(*window, 0, a)->type = keys::kAssignDisabled;
        record(*window, 0, keys::kFirstGRecord + 9)->type = keys::kAssignDisabled;  // G1, layer B
    };
    edit();
    window->setPendingChanges(true);
    answerQuestionsWith(false);
    size_t before = TraceLines(vkbd.tracePath());
    window->onCommand(ids::kDefault);
    EXPECT_EQ(record(*window, 0, a)->type, keys::kAssignDisabled);
    EXPECT_TRUE(window->pendingChanges());
    EXPECT_EQ(TraceLines(vkbd.tracePath()), before);

    answerQuestionsWith(true);
    window->onCommand(ids::kDefault);
    EXPECT_EQ(record(*window, 0, a)->type, keys::kAssignDefault);
    // Layer A is current: the layer-B record of G1 is left alone.
    EXPECT_EQ(record(*window, 0, keys::kFirstGRecord + 9)->type, keys::kAssignDisabled);
    EXPECT_FALSE(window->pendingChanges());
    // One profile's key map: seven frames.
    EXPECT_EQ(count(RequestsInTrace(vkbd.tracePath(), before), kWriteKeyMap), 7);
}

TEST_F(MainWindow, SwitchLabelAlternatesAndComesBackAfterAProfileSwitch) {
    startWindow(true);
    const QString off =
        QString::fromStdString(settings::ProgramTexts().Text("MAIN_SWITCH_FUNCTION_TEXT"));
    const QString on =
        QString::fromStdString(settings::ProgramTexts().Text("MAIN_SWITCH_COLOR_TEXT"));
    auto* button = window->control(ids::kSwitch);
    EXPECT_EQ(button->caption(), off);
    window->onCommand(ids::kSwitch);
    EXPECT_EQ(button->caption(), on);
    EXPECT_TRUE(window->colourSelectionMode());
    window->onCommand(ids::kSwitch);
    EXPECT_EQ(button->caption(), off);
    window->onCommand(ids::kSwitch);
    window->onCommand(ids::kProfile1 + 1);
    ASSERT_TRUE(WaitFor([&] { return !window->writing(); }));
    EXPECT_EQ(window->currentProfileIndex(), 1);
    EXPECT_EQ(button->caption(), off);
    EXPECT_FALSE(window->colourSelectionMode());
}

TEST_F(MainWindow, ApplyWritesOffTheWindowThreadWithTheBusyIndicatorShowing) {
    startWindow(true);
    {
        std::lock_guard lock(window->model().working.lock());
        record(*window, 0, keys::CodeToIndex(0x1E))->type = keys::kAssignDisabled;
    }
    window->setPendingChanges(true);
    ASSERT_EQ(vkbd.ctl({"fault", "delay", "40"}).exitCode, 0);
    bool sawBusy = false;
    bool windowThreadRan = false;
    QTimer probe;
    probe.setInterval(20);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        windowThreadRan = true;
        sawBusy = sawBusy || window->busyIndicator()->animating();
    });
    probe.start();
    window->onCommand(ids::kApply);
    probe.stop();
    EXPECT_TRUE(windowThreadRan);
    EXPECT_TRUE(sawBusy);
    EXPECT_FALSE(window->pendingChanges());
    EXPECT_FALSE(window->control(ids::kApply)->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return !window->busyIndicator()->visible(); }, 2000));
}

TEST_F(MainWindow, ClosingWithPendingChangesAsksFirst) {
    struct Case {
        int answer;  // 0 apply and quit, 1 quit without applying, 2 cancel
        bool ends;
        int keyMapWrites;
    } cases[] = {{2, false, 0}, {1, true, 0}, {0, true, 1}};
    for (const Case& c : cases) {
        startWindow(true);
        int asked = 0;
        window->askClosePending = [&] {
            ++asked;
            return c.answer;
        };
        window->onCommand(ids::kClose);
        EXPECT_EQ(asked, 0) << "nothing pending: no question";
        EXPECT_TRUE(window->ended());
        window.reset();

        startWindow(true);
        window->askClosePending = [&] {
            ++asked;
            return c.answer;
        };
        {
            std::lock_guard lock(window->model().working.lock());
            record(*window, 0, keys::CodeToIndex(0x1E))->type = keys::kAssignDisabled;
        }
        window->setPendingChanges(true);
        const size_t before = TraceLines(vkbd.tracePath());
        window->onCommand(ids::kClose);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(window->ended(), c.ends) << c.answer;
        EXPECT_EQ(count(RequestsInTrace(vkbd.tracePath(), before), kWriteKeyMap),
                  7 * c.keyMapWrites)
            << c.answer;
        // "/Kill" never asks.
        window->handleMessage(msg::kKill, msg::kKillTag);
        EXPECT_EQ(asked, 1);
        EXPECT_TRUE(window->ended());
        window.reset();
    }
}

TEST_F(MainWindow, LayerSwitchRelabelsTheGButtonsAndMarksThemFromTheirLayer) {
    startWindow(true);
    {
        std::lock_guard lock(window->model().working.lock());
        record(*window, 0, keys::kFirstGRecord + 9)->type = keys::kAssignDisabled;  // G1, layer B
    }
    auto* g1 = window->keyButtons()->gButton(0);
    EXPECT_EQ(g1->caption(), "A1");
    EXPECT_EQ(window->keyButtons()->gButton(5)->caption(), "");
    ASSERT_EQ(vkbd.ctl({"layer"}).exitCode, 0);
    ASSERT_TRUE(WaitFor([&] { return g1->caption() == "B1"; }));
    EXPECT_TRUE(window->control(ids::kLayerIndicator)->isChecked());
    EXPECT_TRUE(g1->isChecked());
    EXPECT_EQ(window->keyButtons()->gButton(4)->caption(), "B5");
    ASSERT_EQ(vkbd.ctl({"layer"}).exitCode, 0);
    ASSERT_TRUE(WaitFor([&] { return g1->caption() == "A1"; }));
    EXPECT_FALSE(window->control(ids::kLayerIndicator)->isChecked());
    EXPECT_FALSE(g1->isChecked());
}

TEST_F(MainWindow, LightingNotificationReReadsTheParameters) {
    startWindow(true);
    const size_t before = TraceLines(vkbd.tracePath());
    ASSERT_EQ(vkbd.ctl({"lighting"}).exitCode, 0);
    EXPECT_TRUE(WaitFor(
        [&] { return count(RequestsInTrace(vkbd.tracePath(), before), kReadParameters) >= 1; }));
}

TEST_F(MainWindow, RemovalClosesTheAboutBox) {
    startWindow(true);
    window->handleMessage(msg::kOpenOrVersion, msg::kOpenTag);
    window->onCommand(ids::kAboutCommand);
    ASSERT_TRUE(window->aboutBox());
    EXPECT_TRUE(window->aboutBox()->isVisible());
    vkbd.stop();
    EXPECT_TRUE(WaitFor([&] { return !window->aboutBox(); }));
    EXPECT_TRUE(hiddenOrMinimised(*window));
    EXPECT_TRUE(WaitFor([&] { return window->tray().picture() == app::CTrayIcon::kNoKeyboard; }));
}

TEST_F(MainWindow, FlipFoldsAndUnfoldsTheWindowAndRemembersIt) {
    settings::WriteFlip(0);
    startWindow(true);
    EXPECT_EQ(window->height(), fixture::kHeight);
    window->onCommand(ids::kFlip1);
    EXPECT_EQ(settings::ReadFlip(), 1);
    EXPECT_EQ(window->height(), fixture::kFoldedHeight);
    window->onCommand(ids::kFlip2);
    EXPECT_EQ(settings::ReadFlip(), 0);
    EXPECT_EQ(window->height(), fixture::kHeight);
}

TEST_F(MainWindow, TooOldFirmwareEndsTheProgramWhicheverButton) {
    for (bool ok : {false, true}) {
        vkbd.stop();
        ASSERT_TRUE(vkbd.start({"--firmware", "0x0101"}));
        window = std::make_unique<app::CKeytuneDlg>(settings::ProgramTexts());
        int asked = 0;
        window->askFirmwareUpdate = [&] {
            ++asked;
            return ok;
        };
        ASSERT_TRUE(window->Initialise(nullptr));
        ASSERT_TRUE(WaitFor([&] { return window->ended(); }));
        EXPECT_EQ(asked, 1);
        EXPECT_TRUE(window->firmwareTooOld());
        window.reset();
    }
}

TEST(MainWindowStart, MissingLibraryOrSkinPictureEndsTheStartWithAReason) {
    testsupport::TempFolder folder;
    struct Case {
        const char* remove;
        const char* reasonPart;
    } cases[] = {{"libHidServ.so", "libHidServ.so"},
                 {"Skins/main_over.jpg", "main_over.jpg"},
                 {"Skins/main_normal.jpg", "background"}};
    int n = 0;
    for (const Case& c : cases) {
        const QString program = QString::fromStdString(folder.file("p" + std::to_string(n++)));
        fixture::WriteProgramFolder(program);
        QFile::remove(program + "/" + c.remove);
        settings::SetProgramFolder(program.toStdString());
        app::CKeytuneDlg window(settings::ProgramTexts());
        QString reason;
        EXPECT_FALSE(window.Initialise(&reason)) << c.remove;
        EXPECT_TRUE(reason.contains(c.reasonPart)) << reason.toStdString();
        EXPECT_FALSE(window.isVisible());
    }
}

}  // namespace
