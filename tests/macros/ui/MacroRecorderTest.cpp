// Recording through the application-wide key filter: real key events with
// native scan codes, a clock the test moves, and the rows they become.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "AssignmentBlock.h"
#include "AssignmentStore.h"
#include "ConfigTestSupport.h"
#include "MacroPage.h"
#include "UiTestSupport.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsValues.h"

using namespace macros;
using namespace macros::ui;
using namespace uitest;

namespace {

struct Row {
    uint16_t key;
    uint16_t release;
    uint32_t delay;
    bool operator==(const Row&) const = default;
};

// Everything a macro page needs, with one macro "Macro 1" current.
struct Fixture {
    QComboBox chooser;
    QTableView view;
    QLineEdit cycles;
    QPushButton recordDelay, add, remove, record, deleteAction, clear, top, up, down, bottom;
    keys::AssignmentStore store;
    testing_config::ScriptedPrompts prompts;
    TestTexts texts;
    uint32_t now = 1000;
    KeySink target;
    MacroPage page;

    explicit Fixture(int option)
        : page(MacroPageControls{&chooser, &view, &cycles, &recordDelay, &add, &remove, &record,
                                 &deleteAction, &clear, &top, &up, &down, &bottom},
               store, prompts, texts, [this] { return now; }) {
        store.block = std::make_unique<keys::AssignmentBlock>();
        store.macros.push_back(testing_config::makeMacro(1, u"Macro 1", {}));
        SaveRecordDelay(texts, option);
        page.load();
        page.selectMacroById(1);
    }

    std::vector<Row> rows() {
        std::vector<Row> out;
        for (const MacroAction& a : page.actions().actions())
            out.push_back({a.key, a.release, a.delayMs});
        return out;
    }
    bool key(uint32_t evdev, Kind kind, uint32_t afterMs = 0) {
        now += afterMs;
        return SendKey(&target, evdev, kind);
    }
};

}  // namespace

class MacroRecorderTest : public QObject {
    Q_OBJECT
    QTemporaryDir home_;

  private slots:
    void initTestCase() {
        // The record-delay setting goes to a private settings store.
        qputenv("XDG_CONFIG_HOME", home_.path().toUtf8());
        qputenv("XDG_DATA_HOME", home_.path().toUtf8());
    }

    void pausesLandBetweenKeystrokes_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<std::vector<Row>>("expected");
        QTest::newRow("real pauses")
            << 1 << std::vector<Row>{{0x1E, 0, 120}, {0x1E, 1, 80}, {0x30, 0, 0}};
        QTest::newRow("fixed pause")
            << 0 << std::vector<Row>{{0x1E, 0, 50}, {0x1E, 1, 50}, {0x30, 0, 0}};
    }
    void pausesLandBetweenKeystrokes() {
        QFETCH(int, option);
        QFETCH(std::vector<Row>, expected);
        Fixture f(option);
        f.page.toggleRecording();
        f.key(kEvA, Kind::Press, 700);  // the pause before the first key is dropped
        f.key(kEvA, Kind::Release, 120);
        f.key(kEvB, Kind::Press, 80);
        QCOMPARE(f.rows(), expected);
        QVERIFY(f.target.pressed.empty() && f.target.released.empty());
    }

    void heldKeysAndSpecialKeys() {
        Fixture f(1);
        f.page.toggleRecording();
        QVERIFY(f.key(kEvA, Kind::Press, 10));
        for (int i = 0; i < 5; ++i) QVERIFY(f.key(kEvA, Kind::Repeat, 30));  // swallowed
        f.key(kEvA, Kind::Release, 100);
        // Print Screen: the press goes nowhere, the release records both.
        QVERIFY(f.key(kEvPrint, Kind::Press, 40));
        f.key(kEvPrint, Kind::Release, 60);
        f.key(kEvLeftMeta, Kind::Press, 30);
        f.key(kEvLeftMeta, Kind::Repeat, 30);
        f.key(kEvLeftMeta, Kind::Release, 30);
        // A media key is not recorded and still reaches the application.
        f.key(kEvMute, Kind::Press, 10);
        f.key(kEvMute, Kind::Release, 10);
        // Each pause is the one after its row; Print Screen is held for a
        // moment after the pause that came before its release.
        const std::vector<Row> expected = {{0x1E, 0, 250}, {0x1E, 1, 100}, {0x137, 0, 2},
                                           {0x137, 1, 30}, {0x15B, 0, 60}, {0x15B, 1, 0}};
        QCOMPARE(f.rows(), expected);
        QCOMPARE(f.target.pressed, std::vector<uint32_t>{kEvMute});
        QCOMPARE(f.target.released, std::vector<uint32_t>{kEvMute});
    }

    void insertsAfterTheSelectedRow() {
        Fixture f(1);
        for (uint32_t d : {11u, 22u, 33u}) f.page.actions().insertAction({d, 0x1E, 0}, true);
        f.view.selectRow(0);
        f.page.toggleRecording();
        f.key(kEvB, Kind::Press, 70);
        const std::vector<Row> expected = {
            {0x1E, 0, 70}, {0x30, 0, 11}, {0x1E, 0, 22}, {0x1E, 0, 33}};
        QCOMPARE(f.rows(), expected);
        // The new row is selected, so the next keystroke follows it.
        f.key(kEvB, Kind::Release, 40);
        QCOMPARE(f.rows()[1], (Row{0x30, 0, 40}));
        QCOMPARE(f.rows()[2], (Row{0x30, 1, 11}));
    }

    void longPausesAreCapped() {
        Fixture f(1);
        f.page.toggleRecording();
        f.key(kEvA, Kind::Press);
        f.key(kEvA, Kind::Release, 65000);
        QCOMPARE(f.rows()[0].delay, 40000u);
    }

    void aFullListDropsButStillSwallows() {
        Fixture f(1);
        for (size_t i = 0; i < MAX_MACRO_ACTIONS; ++i)
            f.page.actions().insertAction({10, 0x1E, static_cast<uint16_t>(i % 2)}, true);
        f.page.toggleRecording();
        QVERIFY(f.key(kEvB, Kind::Press, 5));
        QCOMPARE(f.page.actions().rowCount(), static_cast<int>(MAX_MACRO_ACTIONS));
        QVERIFY(f.target.pressed.empty());
    }

    void recordingControlsAndStop() {
        Fixture f(1);
        QCOMPARE(f.record.text(), QStringLiteral("Record"));
        f.record.click();
        QVERIFY(f.page.recording());
        QCOMPARE(f.record.text(), QStringLiteral("Stop"));
        QVERIFY(f.record.isChecked());
        QVERIFY(!f.add.isEnabled() && !f.remove.isEnabled() && !f.chooser.isEnabled());
        f.record.click();
        QVERIFY(!f.page.recording());
        QVERIFY(f.add.isEnabled() && f.remove.isEnabled() && f.chooser.isEnabled());
        // Stopped: keys reach the application again.
        f.key(kEvA, Kind::Press);
        QCOMPARE(f.target.pressed.size(), size_t{1});
        QVERIFY(f.rows().empty());
        // Applying stops a running recording.
        f.page.toggleRecording();
        f.page.commit();
        QVERIFY(!f.page.recording());
    }

    void recordDelaySettingFollowsTheLanguage() {
        Fixture f(0);
        f.recordDelay.click();
        QVERIFY(f.recordDelay.isChecked());
        QCOMPARE(f.page.recordDelayOption(), 1);
        QCOMPARE(settings::ReadAppSetting(settings::kProfilesSection, "Record pauses", "x"),
                 std::string("1"));
        // Another language names the value differently and starts from 0.
        f.texts.overrides["MACRO_ACTION_RECORD_DELAY"] = "Pausen aufnehmen";
        QCOMPARE(LoadRecordDelay(f.texts), 0);
        QCOMPARE(SaveRecordDelay(f.texts, 7), 0);
        f.texts.overrides.clear();
        QCOMPARE(LoadRecordDelay(f.texts), 1);
    }
};

QTEST_MAIN(MacroRecorderTest)
#include "MacroRecorderTest.moc"
