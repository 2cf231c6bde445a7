// The key assignment dialog on a fixture skin: opening, key capture driven by
// key events with native scan codes, the pages and what Apply, OK and Cancel
// leave in the working store.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QTest>

#include "DialogFixture.h"
#include "DialogPosition.h"
#include "MacroPage.h"
#include "widgets/CPngButton.h"

using namespace keysui;
using namespace keysui::composite;
using namespace dialogtest;
using namespace uitest;
using testing_config::makeMacro;

namespace {

constexpr keys::KeyCode kA = 0x1E, kB = 0x30;
const int kButtonA = ControlOfKey(kA);
const int kButtonB = ControlOfKey(kB);

struct Stroke {
    uint32_t evdev;
    Kind kind;
};

}  // namespace

Q_DECLARE_METATYPE(std::vector<Stroke>)

class KeyDialogTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::string ini_;
    QString skin_;

    std::unique_ptr<Fixture> make() { return std::make_unique<Fixture>(skin_, ini_); }

  private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
        qputenv("XDG_DATA_HOME", dir_.path().toUtf8());
        skin_ = dir_.path() + "/Skins";
        QDir().mkpath(skin_);
        ini_ = WriteFixtureSkin(skin_);
    }

    void opensForKeyAndGButtons_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("layer");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("keyIndex");
        QTest::newRow("key A") << kButtonA << 0 << 1 << 30;
        QTest::newRow("G1 first layer") << 1000 << 0 << 1 << 256;
        QTest::newRow("G1 second layer") << 1000 << 1 << 1 << 265;
        QTest::newRow("G9 second layer") << kMacroOnlyButton << 1 << 1 << 273;
        QTest::newRow("Fn") << int(keys::kFnButtonId) << 0 << -1 << -1;
        QTest::newRow("unknown") << 4711 << 0 << -1 << -1;
    }
    void opensForKeyAndGButtons() {
        QFETCH(int, id);
        QFETCH(int, layer);
        QFETCH(int, result);
        QFETCH(int, keyIndex);
        auto f = make();
        f->host.layer = layer;
        QCOMPARE(f->dialog->showForButton(id), result);
        QCOMPARE(f->dialog->isVisible(), result == 1);
        if (result == 1) {
            QCOMPARE(int(f->dialog->keyIndex()), keyIndex);
            QCOMPARE(f->host.downs, (std::vector<std::pair<int, bool>>{{id, true}}));
            f->click(kCancel);
            QCOMPARE(f->host.downs.back(), std::make_pair(id, false));
        }
    }

    void colourSelectionModeTogglesInstead() {
        auto f = make();
        f->host.selectionMode = true;
        QCOMPARE(f->dialog->showForButton(kButtonA), 0);
        QVERIFY(!f->dialog->isVisible());
        QCOMPARE(f->host.toggled, std::vector<int>{kButtonA});
    }

    void capturedKeysAndWhatOkStores_data() {
        QTest::addColumn<std::vector<Stroke>>("strokes");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("data");
        QTest::addColumn<int>("reachedWidget");
        QTest::newRow("B") << std::vector<Stroke>{{kEvB, Kind::Press}, {kEvB, Kind::Release}} << 2
                           << int(kB) << 0;
        QTest::newRow("the edited key itself")
            << std::vector<Stroke>{{kEvA, Kind::Press}, {kEvA, Kind::Release}} << 0 << int(kA) << 0;
        QTest::newRow("nothing") << std::vector<Stroke>{} << 0 << 0 << 0;
        QTest::newRow("media key passes")
            << std::vector<Stroke>{{kEvMute, Kind::Press}, {kEvMute, Kind::Release}} << 0 << 0 << 2;
        QTest::newRow("auto-repeat captures once")
            << std::vector<Stroke>{{kEvB, Kind::Press}, {kEvF1, Kind::Press}, {kEvB, Kind::Repeat}}
            << 2 << 0x3B << 0;
        QTest::newRow("Print Screen press alone")
            << std::vector<Stroke>{{kEvPrint, Kind::Press}} << 0 << 0 << 0;
        QTest::newRow("Print Screen from its release")
            << std::vector<Stroke>{{kEvPrint, Kind::Press}, {kEvPrint, Kind::Release}} << 2 << 0x137
            << 0;
        QTest::newRow("Windows key")
            << std::vector<Stroke>{{kEvLeftMeta, Kind::Press}} << 2 << 0x15B << 0;
        QTest::newRow("Application key")
            << std::vector<Stroke>{{kEvCompose, Kind::Release}} << 2 << 0x15D << 0;
    }
    void capturedKeysAndWhatOkStores() {
        QFETCH(std::vector<Stroke>, strokes);
        QFETCH(int, type);
        QFETCH(int, data);
        QFETCH(int, reachedWidget);
        auto f = make();
        f->record(0, 30) = {keys::kAssignMedia, 0, 4};  // whatever A did before
        f->dialog->showForButton(kButtonA);
        QCOMPARE(f->dialog->page(), int(Keytune_DlgComposite::kPageMedia));
        f->click(kTabKey);
        QVERIFY(f->dialog->capturing());
        KeySink sink;
        sink.setParent(f->dialog.get());
        for (const Stroke& s : strokes) SendKey(&sink, s.evdev, s.kind);
        QCOMPARE(int(sink.pressed.size() + sink.released.size()), reachedWidget);
        if (data != 0 && type != 0)
            QCOMPARE(f->control<QLineEdit>(kKeyField)->text(),
                     QString::fromStdString(keys::KeyName(keys::KeyCode(data), f->texts)));
        f->click(kOk);
        QVERIFY(!f->dialog->isVisible());
        const keys::KeyAssignment& r = f->record(0, 30);
        QCOMPARE(int(r.type), type);
        if (type != 0)
            QCOMPARE(r.data, data);
        QVERIFY(f->host.pendingMarks > 0);
        QVERIFY(f->host.assignmentShows > 0);
        // Closed: keys reach the application again.
        QVERIFY(!f->dialog->capturing());
        SendKey(&sink, kEvB, Kind::Press);
        QCOMPARE(sink.pressed.back(), uint32_t{kEvB});
    }

    void mouseFunctionWheelDown() {
        auto f = make();
        f->dialog->showForButton(kButtonA);
        f->click(kMouseMode);
        QVERIFY(f->dialog->mouseMode());
        QVERIFY(!f->control<QLineEdit>(kKeyField)->isEnabled());
        f->control<QComboBox>(kMouseList)->setCurrentIndex(4);
        QVERIFY(!f->dialog->isChanged());  // neither the mode nor the list marks a change
        f->click(kOk);
        QCOMPARE(f->record(0, 30).type, uint16_t{keys::kAssignKey});
        QCOMPARE(f->record(0, 30).data, 0x162);
        // Opening again shows the mouse function.
        f->dialog->showForButton(kButtonA);
        QVERIFY(f->dialog->mouseMode());
        QCOMPARE(f->control<QComboBox>(kMouseList)->currentIndex(), 4);
        f->click(kCancel);
    }

    void listChoicesStoreWithoutMarkingChanges_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("list");
        QTest::newRow("media") << int(keys::kAssignMedia) << kMediaList;
        QTest::newRow("function") << int(keys::kAssignFunction) << kFunctionList;
    }
    void listChoicesStoreWithoutMarkingChanges() {
        QFETCH(int, type);
        QFETCH(int, list);
        auto f = make();
        f->record(1, 256) = {uint16_t(type), 0x0301, 3};
        f->host.profile = 1;
        f->dialog->showForButton(1000);
        QCOMPARE(f->control<QComboBox>(list)->currentIndex(), 3);
        QVERIFY(f->control<QComboBox>(list)->isVisible());
        f->control<QComboBox>(list)->setCurrentIndex(5);
        QVERIFY(!f->control<QAbstractButton>(kApply)->isEnabled());
        f->click(kOk);
        QCOMPARE(f->record(1, 256), (keys::KeyAssignment{uint16_t(type), 0x0301, 5}));
    }

    void tabsClearAndApply() {
        auto f = make();
        f->dialog->showForButton(kButtonA);
        QCOMPARE(f->dialog->page(), int(Keytune_DlgComposite::kPageNone));
        f->click(kTabKey);  // from the empty single-key page: nothing
        QVERIFY(!f->dialog->isChanged());
        f->click(kTabMedia);
        QVERIFY(f->dialog->isChanged());
        QVERIFY(f->control<QAbstractButton>(kApply)->isEnabled());
        QVERIFY(!f->dialog->capturing());
        QVERIFY(f->control<QAbstractButton>(kTabMedia)->isChecked());
        f->click(kApply);
        QVERIFY(!f->control<QAbstractButton>(kApply)->isEnabled());
        QCOMPARE(f->record(0, 30).type, uint16_t{keys::kAssignMedia});
        QVERIFY(f->dialog->isVisible());
        // Clear returns to the single-key page with nothing chosen.
        f->click(kTabKey);
        QVERIFY(f->dialog->capturing());
        SendKey(f->dialog.get(), kEvB, Kind::Press);
        QCOMPARE(f->dialog->capturedKey(), kB);
        f->click(kClear);
        QCOMPARE(f->dialog->page(), int(Keytune_DlgComposite::kPageNone));
        QVERIFY(f->control<QLineEdit>(kKeyField)->text().isEmpty());
        f->click(kOk);
        QCOMPARE(f->record(0, 30).type, uint16_t{keys::kAssignDefault});
    }

    void pagesShowTheirOwnControls_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<std::vector<int>>("shown");
        QTest::addColumn<std::vector<int>>("hidden");
        QTest::newRow("macro") << kTabMacro
                               << std::vector<int>{kMacroChooser, kActionList,       kRecord,
                                                   kCycles,       kRecordDelayLabel, kMacroPrompt}
                               << std::vector<int>{kKeyField, kMouseList, kMediaList, kFunctionList,
                                                   kKeyPrompt};
        QTest::newRow("media") << kTabMedia << std::vector<int>{kMediaList, kMediaPrompt}
                               << std::vector<int>{kKeyField, kMacroChooser, kFunctionList,
                                                   kRecord};
        QTest::newRow("function") << kTabFunction
                                  << std::vector<int>{kFunctionList, kFunctionPrompt}
                                  << std::vector<int>{kKeyField, kMediaList, kActionList};
    }
    void pagesShowTheirOwnControls() {
        QFETCH(int, tab);
        QFETCH(std::vector<int>, shown);
        QFETCH(std::vector<int>, hidden);
        auto f = make();
        f->dialog->showForButton(kButtonA);
        for (int id : {kKeyField, kKeyboardMode, kMouseList, kKeyPrompt})
            QVERIFY(f->dialog->control(id)->isVisible());
        f->click(tab);
        for (int id : shown)
            QVERIFY2(f->dialog->control(id)->isVisible(), qPrintable(QString::number(id)));
        for (int id : hidden)
            QVERIFY2(!f->dialog->control(id)->isVisible(), qPrintable(QString::number(id)));
        f->click(kCancel);
    }

    void macroOnlyMode_data() {
        QTest::addColumn<int>("layer");
        QTest::addColumn<int>("keyIndex");
        QTest::newRow("first layer") << 0 << 264;
        QTest::newRow("second layer") << 1 << 273;
    }
    void macroOnlyMode() {
        QFETCH(int, layer);
        QFETCH(int, keyIndex);
        auto f = make();
        f->store.macros = {makeMacro(1, u"one", {}), makeMacro(5, u"five", {}, 4)};
        f->host.layer = layer;
        f->host.profile = 2;
        f->dialog->showForButton(kMacroOnlyButton);
        QVERIFY(f->dialog->macroOnly());
        QCOMPARE(f->dialog->page(), int(Keytune_DlgComposite::kPageMacro));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(f->dialog->pos(), QPoint((screen.width() - f->dialog->width()) / 2,
                                          (screen.height() - f->dialog->height()) / 2));
        for (int id : {kTabKey, kTabMedia, kTabFunction, kClear}) {
            auto* b = f->control<widgets::CPngButton>(id);
            QVERIFY(!b->isEnabled());
            QVERIFY(id == kClear || b->caption().isEmpty());
        }
        QCOMPARE(f->control<QLabel>(kHeading)->text(), QString("Edit macros"));
        f->click(kTabKey);
        QCOMPARE(f->dialog->page(), int(Keytune_DlgComposite::kPageMacro));
        f->control<QComboBox>(kMacroChooser)->setCurrentIndex(1);
        QCOMPARE(f->control<QLineEdit>(kCycles)->text(), QString("4"));
        f->click(kOk);
        QCOMPARE(f->record(2, keyIndex), (keys::KeyAssignment{keys::kAssignMacro, 4, 5}));
        // The next ordinary opening has every tab back.
        f->dialog->showForButton(kButtonA);
        QVERIFY(f->control<QAbstractButton>(kTabKey)->isEnabled());
        QVERIFY(!f->control<widgets::CPngButton>(kTabKey)->caption().isEmpty());
        f->click(kCancel);
    }

    void opensOnTheKeysMacroWithItsOwnRepeatCount() {
        auto f = make();
        f->store.macros = {makeMacro(1, u"one", {}), makeMacro(2, u"two", {{10, kA, 0}}, 7)};
        f->record(0, 30) = {keys::kAssignMacro, 9, 2};
        f->dialog->showForButton(kButtonA);
        QCOMPARE(f->dialog->page(), int(Keytune_DlgComposite::kPageMacro));
        QCOMPARE(f->dialog->macroPage().current(), 1);
        QCOMPARE(f->control<QLineEdit>(kCycles)->text(), QString("7"));
        QCOMPARE(f->dialog->macroPage().actions().rowCount(), 1);
        QVERIFY(!f->dialog->isChanged());
        f->click(kCancel);
    }

    void aFreshMacroPageShowsTheFirstMacro() {
        auto f = make();
        f->store.macros = {makeMacro(3, u"three", {{10, kA, 0}, {0, kA, 1}})};
        f->record(0, 30) = {keys::kAssignMedia, 0, 6};
        f->dialog->showForButton(kButtonA);
        f->click(kTabMacro);
        QCOMPARE(f->dialog->macroPage().current(), 0);
        QCOMPARE(f->dialog->macroPage().actions().rowCount(), 2);
        f->click(kOk);
        QCOMPARE(f->record(0, 30), (keys::KeyAssignment{keys::kAssignMacro, 1, 3}));
        // With no macros at all the macro page stores the factory function.
        f->store.macros.clear();
        f->dialog->showForButton(kButtonA);
        QVERIFY(!f->control<QAbstractButton>(kRecord)->isEnabled());
        f->click(kOk);
        QCOMPARE(f->record(0, 30).type, uint16_t{keys::kAssignDefault});
    }

    void deletingAMacroAnotherProfileUses() {
        auto f = make();
        f->store.macros = {makeMacro(1, u"one", {}), makeMacro(2, u"two", {})};
        f->record(1, 0x30) = {keys::kAssignMacro, 1, 2};  // B in profile 1 plays "two"
        f->dialog->showForButton(kButtonA);
        f->click(kTabMacro);
        f->control<QComboBox>(kMacroChooser)->setCurrentIndex(1);
        f->prompts.answers = {true};
        f->click(kDeleteMacro);
        QCOMPARE(f->prompts.asked, std::vector<std::string>{"MACRO_DELETE_CONFIRM_OF_KEYS"});
        f->click(kOk);
        QCOMPARE(f->record(1, 0x30).type, uint16_t{keys::kAssignDefault});
        QCOMPARE(f->store.macros.size(), size_t{1});
        QCOMPARE(f->record(0, 30), (keys::KeyAssignment{keys::kAssignMacro, 1, 1}));
    }

    void cancelKeepsTheStore() {
        auto f = make();
        f->store.macros = {makeMacro(1, u"one", {{20, kA, 0}, {0, kA, 1}}, 2)};
        f->record(0, 0x30) = {keys::kAssignMacro, 2, 1};
        const keys::KeyAssignment before = f->record(0, 0x30);
        f->dialog->showForButton(kButtonB);
        f->click(kAddMacro);
        f->dialog->macroPage().actions().insertAction({30, kB, 0}, false);
        f->click(kTabMedia);
        f->click(kCancel);
        QCOMPARE(f->store.macros.size(), size_t{1});
        QCOMPARE(f->store.macros[0].actionCount, uint16_t{2});
        QCOMPARE(f->record(0, 0x30), before);
        QCOMPARE(f->host.pendingMarks, 0);
        f->dialog->CloseIfOpen();  // closed already: nothing happens
        QCOMPARE(f->host.downs.size(), size_t{2});
    }

    void recordingThroughTheDialog() {
        auto f = make();
        f->store.macros = {makeMacro(1, u"one", {})};
        f->dialog->showForButton(1000);
        f->click(kTabMacro);
        f->click(kRecord);
        QVERIFY(f->dialog->macroPage().recording());
        QCOMPARE(f->control<widgets::CPngButton>(kRecord)->caption(), QString("Stop"));
        SendKey(f->dialog.get(), kEvA, Kind::Press);
        SendKey(f->dialog.get(), kEvF1, Kind::Press);  // recorded, so no help
        QCOMPARE(f->host.helpOpened, 0);
        f->click(kTabMedia);  // a page change stops recording
        QVERIFY(!f->dialog->macroPage().recording());
        f->click(kTabMacro);
        QCOMPARE(f->dialog->macroPage().actions().rowCount(), 2);
        f->click(kOk);
        QCOMPARE(f->store.macros[0].actionCount, uint16_t{2});
        QCOMPARE(f->record(0, 256), (keys::KeyAssignment{keys::kAssignMacro, 1, 1}));
    }

    void enterAndEscapeDoNothingAndF1Helps() {
        auto f = make();
        f->dialog->showForButton(kButtonA);
        f->click(kTabMedia);  // no key capture here
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(f->dialog.get(), &press);
            QVERIFY(f->dialog->isVisible());
        }
        QKeyEvent help(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(f->dialog.get(), &help);
        QCOMPARE(f->host.helpOpened, 1);
        f->click(kCancel);
    }

    void everyControlIsNamed() {
        auto f = make();
        f->dialog->showForButton(kButtonA);
        const QList<QWidget*> all = f->dialog->findChildren<QWidget*>(
            QRegularExpression("^control\\d+$"), Qt::FindDirectChildrenOnly);
        QVERIFY(all.size() >= 39);
        for (QWidget* w : all) {
            const QString name = w->accessibleName();
            QVERIFY2(!name.isEmpty() && !name.contains("#Error"), qPrintable(w->objectName()));
        }
        f->click(kCancel);
    }

    void positionBesideTheButton_data() {
        QTest::addColumn<QRect>("button");
        QTest::addColumn<QPoint>("expected");
        // Screen 1000 x 800, dialog 300 x 200.
        QTest::newRow("below right") << QRect(100, 100, 40, 30) << QPoint(140, 130);
        QTest::newRow("above right") << QRect(100, 700, 40, 30) << QPoint(140, 500);
        QTest::newRow("below left") << QRect(900, 100, 40, 30) << QPoint(600, 130);
        QTest::newRow("above left") << QRect(900, 700, 40, 30) << QPoint(600, 500);
        QTest::newRow("nowhere fits") << QRect(100, 300, 800, 400) << QPoint(900, 700);
    }
    void positionBesideTheButton() {
        QFETCH(QRect, button);
        QFETCH(QPoint, expected);
        QCOMPARE(DialogPositionBeside(QRect(0, 0, 1000, 800), button, QSize(300, 200)), expected);
        // A second screen to the right shifts everything with it.
        QCOMPARE(DialogPositionBeside(QRect(1000, 0, 1000, 800), button.translated(1000, 0),
                                      QSize(300, 200)),
                 expected + QPoint(1000, 0));
    }
};

QTEST_MAIN(KeyDialogTest)
#include "KeyDialogTest.moc"
