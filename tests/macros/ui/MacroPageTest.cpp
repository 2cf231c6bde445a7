// The macro page on plain Qt controls: naming and ids of new macros, typing
// into the chooser, the repeat count and pause corrections, moves, deleting a
// macro that keys use, held-key marks, and commit versus cancel.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "ActionEditDelegate.h"
#include "AssignmentBlock.h"
#include "AssignmentStore.h"
#include "ConfigTestSupport.h"
#include "MacroPage.h"
#include "UiTestSupport.h"

using namespace macros;
using namespace macros::ui;
using testing_config::makeMacro;

namespace {

struct Fixture {
    QComboBox chooser;
    QTableView view;
    QLineEdit cycles;
    QPushButton recordDelay, add, remove, record, deleteAction, clear, top, up, down, bottom;
    keys::AssignmentStore store;
    testing_config::ScriptedPrompts prompts;
    uitest::TestTexts texts;
    MacroPage page;
    int changes = 0;

    explicit Fixture(MacroList macros = {})
        : page(MacroPageControls{&chooser, &view, &cycles, &recordDelay, &add, &remove, &record,
                                 &deleteAction, &clear, &top, &up, &down, &bottom},
               store, prompts, texts) {
        store.block = std::make_unique<keys::AssignmentBlock>();
        store.macros = std::move(macros);
        QObject::connect(&page, &MacroPage::changed, [this] { ++changes; });
    }
    void open(uint16_t id = 0) {
        page.load();
        page.selectMacroById(id);
    }
    QStringList names() const {
        QStringList out;
        for (int i = 0; i < chooser.count(); ++i) out << chooser.itemText(i);
        return out;
    }
    std::vector<uint16_t> ids() const {
        std::vector<uint16_t> out;
        for (int i = 0; i < page.macroCount(); ++i) out.push_back(page.macroAt(i).id);
        return out;
    }
    std::vector<uint32_t> delays() {
        std::vector<uint32_t> out;
        for (const MacroAction& a : page.actions().actions()) out.push_back(a.delayMs);
        return out;
    }
};

MacroAction Press(uint16_t key, uint32_t delay = 0) {
    return {delay, key, 0};
}
MacroAction Release(uint16_t key, uint32_t delay = 0) {
    return {delay, key, 1};
}

}  // namespace

class MacroPageTest : public QObject {
    Q_OBJECT
    QTemporaryDir home_;

  private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", home_.path().toUtf8());
        qputenv("XDG_DATA_HOME", home_.path().toUtf8());
    }

    void newMacrosAreNumberedAndReuseIds() {
        Fixture f;
        f.open();
        for (int i = 0; i < 3; ++i) f.add.click();
        QCOMPARE(f.names(), QStringList({"Macro 1", "Macro 2", "Macro 3"}));
        QCOMPARE(f.ids(), (std::vector<uint16_t>{1, 2, 3}));
        QCOMPARE(f.page.current(), 2);
        f.chooser.setCurrentIndex(1);
        f.remove.click();  // never committed: no question
        QVERIFY(f.prompts.asked.empty());
        QCOMPARE(f.page.current(), 0);
        f.add.click();
        QCOMPARE(f.names(), QStringList({"Macro 1", "Macro 3", "Macro 4"}));
        QCOMPARE(f.ids(), (std::vector<uint16_t>{1, 3, 2}));
        // Emptying the chooser starts the numbering again.
        for (int i = 0; i < 3; ++i) f.remove.click();
        QCOMPARE(f.page.current(), -1);
        f.add.click();
        QCOMPARE(f.names(), QStringList({"Macro 1"}));
    }

    void newNamesSkipPrefixesOfExistingNames_data() {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("created");
        QTest::newRow("M1x") << "M1x"
                             << "M2";
        QTest::newRow("case-insensitive") << "m1"
                                          << "M2";
        QTest::newRow("shorter name") << "M"
                                      << "M1";
    }
    void newNamesSkipPrefixesOfExistingNames() {
        QFETCH(QString, existing);
        QFETCH(QString, created);
        Fixture f({makeMacro(1, existing.toStdU16String(), {})});
        f.texts.overrides["MACRO_NEW_PREFIX"] = "M";
        f.open(1);
        f.add.click();
        QCOMPARE(f.names().last(), created);
        QCOMPARE(f.page.macroAt(1).id, uint16_t{2});
    }

    void aHundredMacrosAreTheMost() {
        MacroList full;
        for (uint16_t id = 1; id <= MAX_MACROS; ++id) full.push_back(makeMacro(id, u"x", {}));
        Fixture f(full);
        f.open(1);
        f.add.click();
        QCOMPARE(f.page.macroCount(), static_cast<int>(MAX_MACROS));
        QCOMPARE(f.prompts.shown, std::vector<std::string>{"MACRO_ERR_MAX"});
        QCOMPARE(f.prompts.arguments, std::vector<std::string>{"100"});
    }

    void typingNamesAMacro() {
        Fixture f;
        f.open();
        QTest::keyClicks(f.chooser.lineEdit(), "Jump");
        QCOMPARE(f.names(), QStringList({"Jump"}));
        QCOMPARE(f.page.macroAt(0).nameText(), std::u16string(u"Jump"));
        QCOMPARE(f.page.macroAt(0).cycles, uint8_t{1});
        QCOMPARE(f.page.macroAt(0).id, uint16_t{1});
        QCOMPARE(f.page.actions().rowCount(), 0);
        QVERIFY(f.record.isEnabled());
        // Typing again renames the current macro; a name is at most 249 units.
        f.chooser.lineEdit()->selectAll();
        QTest::keyClicks(f.chooser.lineEdit(), QString(300, QChar('n')));
        QCOMPARE(f.page.macroCount(), 1);
        QCOMPARE(f.page.macroAt(0).nameLength(), size_t{249});
        QCOMPARE(f.chooser.itemText(0).size(), 249);
    }

    void repeatCountIsCorrected_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("zero") << "0"
                              << "1";
        QTest::newRow("too many") << "300"
                                  << "255";
        QTest::newRow("empty") << ""
                               << "1";
        QTest::newRow("letters") << "x"
                                 << "1";
        QTest::newRow("in range") << "42"
                                  << "42";
    }
    void repeatCountIsCorrected() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Fixture f({makeMacro(1, u"a", {}, 7)});
        f.open(1);
        QCOMPARE(f.cycles.text(), QStringLiteral("7"));
        f.cycles.selectAll();
        if (typed.isEmpty())
            QTest::keyClick(&f.cycles, Qt::Key_Backspace);
        else
            QTest::keyClicks(&f.cycles, typed);
        QCOMPARE(f.cycles.text(), shown);
        QVERIFY(f.changes > 0);
    }

    void typedPauses_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<uint>("stored");
        QTest::addColumn<bool>("tooLong");
        QTest::newRow("rounded down") << "12345" << 12340u << false;
        QTest::newRow("longest") << "40000" << 40000u << false;
        QTest::newRow("too long") << "50000" << 40000u << true;
        QTest::newRow("far too long") << "99999999999999999999" << 40000u << true;
        QTest::newRow("below 10") << "7" << 0u << false;
        QTest::newRow("empty keeps") << "" << 500u << false;
    }
    void typedPauses() {
        QFETCH(QString, typed);
        QFETCH(uint, stored);
        QFETCH(bool, tooLong);
        Fixture f({makeMacro(1, u"a", {Press(0x1E, 500), Release(0x1E)})});
        f.open(1);
        f.view.show();
        const QModelIndex cell = f.page.actions().index(0, ActionTableModel::DelayColumn);
        f.view.setCurrentIndex(cell);
        f.view.edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(f.view.indexWidget(cell));
        QVERIFY(editor);
        editor->setText(typed);
        f.page.commit();  // ends the edit first
        QCoreApplication::processEvents();
        QCOMPARE(f.page.actions().action(0).delayMs, stored);
        QCOMPARE(f.store.macros[0].actions[0].delayMs, stored);
        QCOMPARE(f.prompts.shown.size(), size_t{tooLong ? 1u : 0u});
        if (tooLong)
            QCOMPARE(f.prompts.arguments, std::vector<std::string>{"40000"});
    }

    void editorsChangeKeyAndDirection() {
        Fixture f({makeMacro(1, u"a", {Press(0x1E, 30)})});
        f.open(1);
        f.view.show();
        const QModelIndex key = f.page.actions().index(0, ActionTableModel::KeyColumn);
        f.view.setCurrentIndex(key);
        f.view.edit(key);
        auto* keys = qobject_cast<QComboBox*>(f.view.indexWidget(key));
        QVERIFY(keys);
        QCOMPARE(keys->count(), 111);
        QCOMPARE(keys->currentIndex(), static_cast<int>(keys::ChooserFromKey(0x1E)));
        keys->setCurrentIndex(keys::ChooserFromKey(0x30));
        f.page.commit();
        QCOMPARE(f.page.actions().action(0).key, uint16_t{0x30});

        const QModelIndex dir = f.page.actions().index(0, ActionTableModel::DirectionColumn);
        f.view.setCurrentIndex(dir);
        f.view.edit(dir);
        auto* direction = qobject_cast<QComboBox*>(f.view.indexWidget(dir));
        QVERIFY(direction);
        direction->setCurrentIndex(1);
        f.page.commit();
        QCOMPARE(f.store.macros[0].actions[0].release, uint16_t{1});
        QCOMPARE(f.store.macros[0].actions[0].delayMs, 30u);
    }

    void movesKeepPausesWithTheirActions_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("order");
        QTest::newRow("last to top") << 2 << int(MoveTo::Top) << "CAB";
        QTest::newRow("first to bottom") << 0 << int(MoveTo::Bottom) << "BCA";
        QTest::newRow("up") << 1 << int(MoveTo::Up) << "BAC";
        QTest::newRow("down") << 1 << int(MoveTo::Down) << "ACB";
        QTest::newRow("up from the top") << 0 << int(MoveTo::Up) << "ABC";
    }
    void movesKeepPausesWithTheirActions() {
        QFETCH(int, row);
        QFETCH(int, to);
        QFETCH(QString, order);
        // A, B, C are keys 0x1E, 0x30, 0x2E with pauses 10, 20, 30.
        const std::map<QChar, std::pair<uint16_t, uint32_t>> keyOf = {
            {'A', {0x1E, 10}}, {'B', {0x30, 20}}, {'C', {0x2E, 30}}};
        Fixture f({makeMacro(1, u"a", {Press(0x1E, 10), Press(0x30, 20), Press(0x2E, 30)})});
        f.open(1);
        f.view.selectRow(row);
        const QAbstractButton* buttons[] = {&f.top, &f.up, &f.down, &f.bottom};
        const_cast<QAbstractButton*>(buttons[to])->click();
        for (int i = 0; i < 3; ++i) {
            const MacroAction& a = f.page.actions().action(i);
            QCOMPARE(a.key, keyOf.at(order[i]).first);
            QCOMPARE(a.delayMs, keyOf.at(order[i]).second);
        }
        // The moved row stays selected.
        const int moved = order.indexOf(QString("ABC")[row]);
        QCOMPARE(f.view.selectionModel()->selectedRows().value(0).row(), moved);
    }

    void deleteAndClearActions() {
        Fixture f({makeMacro(1, u"a", {Press(0x1E), Release(0x1E), Press(0x30)})});
        f.open(1);
        f.deleteAction.click();  // nothing selected
        QCOMPARE(f.page.actions().rowCount(), 3);
        f.view.selectRow(2);
        f.deleteAction.click();
        QCOMPARE(f.page.actions().rowCount(), 2);
        f.prompts.answers = {false, true};
        f.clear.click();
        QCOMPARE(f.page.actions().rowCount(), 2);
        f.clear.click();
        QCOMPARE(f.page.actions().rowCount(), 0);
        QCOMPARE(f.prompts.asked, (std::vector<std::string>{"MACRO_ACTION_CLEAR_CONFIRM",
                                                            "MACRO_ACTION_CLEAR_CONFIRM"}));
    }

    void pressesWithoutReleaseAreMarked() {
        Fixture f({makeMacro(
            1, u"a", {Press(0x1E), Press(0x30), Release(0x1E), Release(0x30), Press(0x1E)})});
        f.open(1);
        ActionTableModel& m = f.page.actions();
        QVERIFY(!m.isUnmatchedPress(0) && !m.isUnmatchedPress(1));
        QVERIFY(m.isUnmatchedPress(4));
        QVERIFY(!m.data(m.index(4, 0), Qt::ToolTipRole).toString().isEmpty());
        QVERIFY(!m.data(m.index(4, 0), Qt::ToolTipRole).toString().startsWith("#"));
        QVERIFY(m.data(m.index(0, 0), Qt::ToolTipRole).isNull());
        // Deleting B's release leaves B held instead.
        f.view.selectRow(3);
        f.deleteAction.click();
        QVERIFY(m.isUnmatchedPress(1));
        m.insertAction(Release(0x1E), true);
        QVERIFY(!m.isUnmatchedPress(3));
    }

    void deletingAMacroThatKeysUse() {
        // Key A of profile 2 plays macro 2.
        Fixture f({makeMacro(1, u"keep", {}), makeMacro(2, u"used", {Press(0x1E)})});
        keys::KeyAssignment& use = f.store.block->records[2 * 512 + 0x1E];
        use = {keys::kAssignMacro, 1, 2};
        f.open(2);
        f.prompts.answers = {false};
        f.remove.click();
        QCOMPARE(f.page.macroCount(), 2);
        f.prompts.answers = {true};
        f.remove.click();
        QCOMPARE(f.page.macroCount(), 1);
        // A new macro takes the freed id; the key still must not play it.
        f.add.click();
        QCOMPARE(f.page.macroAt(1).id, uint16_t{2});
        const keys::CommitResult result = f.page.commit();
        QCOMPARE(use.type, uint16_t{keys::kAssignDefault});
        QCOMPARE(result.resetRecords, std::vector<size_t>{2 * 512 + 0x1E});
        QCOMPARE(f.store.macros.size(), size_t{2});
        QCOMPARE(f.store.macros[1].isNew, uint16_t{0});
        QCOMPARE(f.page.macroAt(1).isNew, uint16_t{0});
    }

    void commitStoresEditsAndCancelDropsThem() {
        const MacroList original = {makeMacro(1, u"one", {Press(0x1E, 40), Release(0x1E)}, 3)};
        {
            Fixture f(original);
            f.open(1);
            f.add.click();
            f.chooser.setCurrentIndex(0);
            f.cycles.selectAll();
            QTest::keyClicks(&f.cycles, "9");
            f.view.selectRow(1);
            f.deleteAction.click();
            f.page.unload();  // Cancel
            QCOMPARE(f.store.macros.size(), size_t{1});
            QCOMPARE(f.store.macros[0].cycles, uint8_t{3});
            QCOMPARE(f.store.macros[0].actionCount, uint16_t{2});
            QCOMPARE(f.page.macroCount(), 0);
            QCOMPARE(f.chooser.count(), 0);
        }
        Fixture f(original);
        f.open(1);
        f.cycles.selectAll();
        QTest::keyClicks(&f.cycles, "9");
        f.view.selectRow(1);
        f.deleteAction.click();
        f.page.commit();
        QCOMPARE(f.store.macros[0].cycles, uint8_t{9});
        QCOMPARE(f.store.macros[0].actionCount, uint16_t{1});
        QCOMPARE(f.store.macros[0].actions[1].key, uint16_t{0});
    }
};

QTEST_MAIN(MacroPageTest)
#include "MacroPageTest.moc"
