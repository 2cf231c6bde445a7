// The profile manager and the profile menu against the keyboard's firmware
// model: the rows, Add, Load and Delete, Apply with its keyboard commands and
// recorded paths, and the menu's check, caption and routing.
#include <QAction>
#include <QHeaderView>
#include <QTableWidget>
#include <QtTest>

#include "ProfileFile.h"
#include "ProfileWindowRig.h"
#include "settings/LanguageTables.h"
#include "settings/SettingsValues.h"
#include "widgets/CPngButton.h"
#include "widgets/SkinStyle.h"

using profiles::ui::ProfileFileQuestion;
using rig::CKeytune_DlgProfile;
using rig::ProfileMenu;
using rig::Rig;

namespace {

QString recorded(const char* key) {
    return QString::fromStdString(settings::ReadAppSetting(settings::kProfilesSection, key, "-"));
}

void check(QTableWidget* list, int row) {
    list->item(row, 0)->setCheckState(Qt::Checked);
}

QStringList checkedMenuEntries(const QMenu& menu) {
    QStringList result;
    for (QAction* a : menu.actions())
        if (a->isChecked())
            result << a->text();
    return result;
}

}  // namespace

class ProfileWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // The settings store of this run lies in a folder of its own.
        QVERIFY(!settingsHome.path().empty());
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(settingsHome.file("config")));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(settingsHome.file("data")));
    }

    void openingListsTheOnBoardProfiles() {
        Rig r;
        QVERIFY(r.select(1));
        r.dialog->PrepareOpening();
        QTableWidget* list = r.dialog->list();
        QCOMPARE(list->rowCount(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(list->item(i, 1)->text(), QStringLiteral("$Profile0"));
            QCOMPARE(list->item(i, 2)->text(), r.profileFolder());
        }
        QCOMPARE(r.dialog->checkedRow(), 1);
        QVERIFY(!r.dialog->hasPendingChanges());
        QVERIFY(!r.dialog->button(CKeytune_DlgProfile::kApplyId)->isEnabled());
        QVERIFY(r.dialog->isOpen());
        // The skin placed the controls.
        QCOMPARE(list->geometry(), QRect(20, 20, 420, 200));
        QCOMPARE(r.dialog->button(CKeytune_DlgProfile::kAddId)->geometry(), QRect(20, 240, 60, 30));

        // Rows are rebuilt at the next opening, not added to.
        r.dialog->reject();
        QVERIFY(!r.dialog->isOpen());
        r.dialog->PrepareOpening();
        QCOMPARE(list->rowCount(), 3);
    }

    void checkingIsExclusiveAndEnablesApply() {
        Rig r;
        r.dialog->PrepareOpening();
        QTableWidget* list = r.dialog->list();
        QCOMPARE(r.dialog->checkedRow(), 0);
        check(list, 2);
        QCOMPARE(r.dialog->checkedRow(), 2);
        QCOMPARE(list->item(0, 0)->checkState(), Qt::Unchecked);
        QVERIFY(r.dialog->hasPendingChanges());
        QVERIFY(r.dialog->button(CKeytune_DlgProfile::kApplyId)->isEnabled());
    }

    void headingsComeFromTheLanguageFile_data() {
        QTest::addColumn<bool>("withKeys");
        QTest::addColumn<QStringList>("headings");
        QTest::newRow("English") << true << QStringList{"Active", "Name", "Folder"};
        QTest::newRow("keys missing") << false << QStringList{"激活", "名称", "路径"};
    }
    void headingsComeFromTheLanguageFile() {
        QFETCH(bool, withKeys);
        QFETCH(QStringList, headings);
        Rig r;
        if (!withKeys)
            for (const char* key :
                 {"PROFILE_COLUMN_ACTIVE", "PROFILE_COLUMN_NAME", "PROFILE_COLUMN_FOLDER"})
                r.texts.table.erase(key);
        r.dialog->relabel();
        QStringList shown;
        for (int c = 0; c < 3; ++c) shown << r.dialog->list()->horizontalHeaderItem(c)->text();
        QCOMPARE(shown, headings);
    }

    void applySelectsTheCheckedProfileAndReloads() {
        Rig r;
        QVERIFY(r.select(1));
        r.dialog->PrepareOpening();
        // An edit not yet written: the reload must replace it with the keyboard's state.
        keys::RecordAt(r.model.working, 2, 0x01E)->type = keys::kAssignDisabled;
        r.host.pending = true;
        check(r.dialog->list(), 2);

        r.markWrites();
        r.dialog->ApplyProfileManager();

        // The device-information write selects profile 2, then the three key
        // maps and the macro memory are read.
        const std::vector<int> sent = r.commandsSinceMark();
        QCOMPARE(sent,
                 (std::vector<int>{device::CMD_READ_DEVICE_INFO, device::CMD_WRITE_DEVICE_INFO,
                                   device::CMD_READ_KEY_MAP, device::CMD_READ_MACRO_MEMORY}));
        QCOMPARE(r.firmware.deviceInfo()[device::kDeviceInfoProfileAt], uint8_t{2});
        QVERIFY(!r.commands.readOnWindowThread);
        QCOMPARE(keys::RecordAt(r.model.working, 2, 0x01E)->type, keys::kAssignDefault);

        QVERIFY(r.host.redrawOnWindowThread);
        QVERIFY(!r.host.pending);
        QCOMPARE(r.host.busyCalls, (std::vector<bool>{true, false}));
        QVERIFY(!r.dialog->hasPendingChanges());
        QCOMPARE(checkedMenuEntries(*r.qmenu), QStringList{"Profile 3"});
        QCOMPARE(r.menu->caption(), QStringLiteral("Profile 3"));
        QCOMPARE(recorded("PROFILE00"), QStringLiteral("3"));
        QCOMPARE(recorded("PROFILE03"), r.profileFolder() + "$Profile0.kpf");
    }

    void addedFileIsADefaultProfileInANewRow() {
        Rig r;
        r.dialog->PrepareOpening();
        const QString gaming = QString::fromStdString(r.folder.file("Gaming.kpf"));
        ProfileFileQuestion asked;
        r.dialog->setFileChooser([&](QWidget*, const ProfileFileQuestion& q) {
            asked = q;
            return gaming;
        });
        r.dialog->AddProfileFile();

        // The proposal lies beside the profile folder, not inside it.
        QVERIFY(asked.save);
        QCOMPARE(asked.folder + "/" + asked.fileName,
                 r.profileFolder().chopped(1) + " - New profile");
        QCOMPARE(QFileInfo(gaming).size(), qint64{32832});
        QCOMPARE(profiles::ValidateProfileFile(gaming.toStdString(), r.prompts), 1);
        QTableWidget* list = r.dialog->list();
        QCOMPARE(list->rowCount(), 4);
        QCOMPARE(list->item(3, 1)->text(), QStringLiteral("Gaming"));
        QVERIFY(r.dialog->hasPendingChanges());

        // A file row checked selects profile 0.
        QVERIFY(r.select(2));
        check(list, 3);
        r.dialog->ApplyProfileManager();
        QCOMPARE(recorded("PROFILE00"), QStringLiteral("4"));
        QCOMPARE(recorded("PROFILE04"), QString::fromStdString(r.folder.path()) + "/Gaming.kpf");
        QCOMPARE(r.firmware.currentProfile(), 0);
    }

    void loadListsTheFileWithoutReadingIt() {
        Rig r;
        r.dialog->PrepareOpening();
        const QString missing = QString::fromStdString(r.folder.file("old/Old.kpf"));
        ProfileFileQuestion asked;
        r.dialog->setFileChooser([&](QWidget*, const ProfileFileQuestion& q) {
            asked = q;
            return missing;
        });
        r.dialog->LoadProfileFile();
        QVERIFY(!asked.save);
        QCOMPARE(asked.folder + "/", r.profileFolder());
        QCOMPARE(r.dialog->list()->rowCount(), 4);
        QCOMPARE(
            r.dialog->rows().back(),
            (profiles::ui::ProfileRow{"Old", QString::fromStdString(r.folder.path()) + "/old/"}));
        QVERIFY(!QFileInfo::exists(missing));
        QVERIFY(r.prompts.shown.empty());
    }

    void cancelledFileDialogsAndDeleteWithoutSelectionChangeNothing() {
        Rig r;
        r.dialog->PrepareOpening();
        r.dialog->setFileChooser([](QWidget*, const ProfileFileQuestion&) { return QString(); });
        r.dialog->AddProfileFile();
        r.dialog->LoadProfileFile();
        r.dialog->DeleteProfileRow();
        QCOMPARE(r.dialog->list()->rowCount(), 3);
        QVERIFY(!r.dialog->hasPendingChanges());

        r.dialog->list()->selectRow(1);
        r.dialog->DeleteProfileRow();
        QCOMPARE(r.dialog->list()->rowCount(), 2);
        QVERIFY(r.dialog->hasPendingChanges());
    }

    void okAppliesAndCancelDoesNot() {
        Rig r;
        r.dialog->PrepareOpening();
        check(r.dialog->list(), 1);
        r.dialog->button(CKeytune_DlgProfile::kCancelId)->click();
        QVERIFY(!r.dialog->isOpen());
        QCOMPARE(r.firmware.currentProfile(), 0);

        r.dialog->PrepareOpening();
        check(r.dialog->list(), 1);
        r.dialog->button(CKeytune_DlgProfile::kOkId)->click();
        QVERIFY(!r.dialog->isOpen());
        QCOMPARE(r.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(r.firmware.currentProfile(), 1);
    }

    void menuChecksTheCurrentProfile_data() {
        QTest::addColumn<int>("profile");  // -1: no keyboard
        QTest::addColumn<QString>("caption");
        QTest::newRow("no keyboard") << -1 << "Default profile";
        QTest::newRow("profile 1") << 0 << "Profile 1";
        QTest::newRow("profile 3") << 2 << "Profile 3";
    }
    void menuChecksTheCurrentProfile() {
        QFETCH(int, profile);
        QFETCH(QString, caption);
        Rig r(profile >= 0);
        if (profile >= 0)
            QVERIFY(r.select(profile));
        QSignalSpy announced(r.menu.get(), &ProfileMenu::profileButtonTextChanged);
        r.menu->BuildProfileMenu(false);

        const QList<QAction*> entries = r.qmenu->actions();
        QCOMPARE(entries.size(), 5);  // refilled, not appended to
        QCOMPARE(entries[0]->data().toInt(), 9000);
        QVERIFY(entries[1]->isSeparator());
        QCOMPARE(entries[4]->data().toInt(), 9003);
        QCOMPARE(checkedMenuEntries(*r.qmenu), QStringList{caption});
        QCOMPARE(announced.size(), 1);
        QCOMPARE(announced[0][0].toString(), caption);
        QCOMPARE(announced[0][1].toString(), "Current profile: " + caption);
    }

    void menuEntriesSwitchProfiles_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("pending");
        QTest::addColumn<bool>("assignmentOpen");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("profileAfter");
        QTest::newRow("third profile")
            << 9003 << false << false << QStringList{} << QStringList{} << 2;
        QTest::newRow("default entry, changes pending")
            << 9000 << true << false << QStringList{"PROFILE_SELECT_PROMPT"} << QStringList{} << 1;
        QTest::newRow("assignment dialog open")
            << 9002 << false << true << QStringList{} << QStringList{"PROFILE_SEELCT_PROMPT2"} << 1;
    }
    void menuEntriesSwitchProfiles() {
        QFETCH(int, id);
        QFETCH(bool, pending);
        QFETCH(bool, assignmentOpen);
        QFETCH(QStringList, asked);
        QFETCH(QStringList, shown);
        QFETCH(int, profileAfter);
        Rig r;
        QVERIFY(r.select(1));
        r.menu->BuildProfileMenu(false);
        r.host.pending = pending;
        r.host.assignmentOpen = assignmentOpen;
        r.markWrites();

        QAction* entry = nullptr;
        for (QAction* a : r.qmenu->actions())
            if (a->data().toInt() == id)
                entry = a;
        QVERIFY(entry);
        entry->trigger();
        QCoreApplication::processEvents();

        auto toList = [](const std::vector<std::string>& keys) {
            QStringList l;
            for (const auto& k : keys) l << QString::fromStdString(k);
            return l;
        };
        QCOMPARE(toList(r.prompts.asked), asked);
        QCOMPARE(toList(r.prompts.shown), shown);
        QCOMPARE(r.firmware.currentProfile(), profileAfter);
        const std::vector<int> sent = r.commandsSinceMark();
        QCOMPARE(std::count(sent.begin(), sent.end(), device::CMD_WRITE_DEVICE_INFO),
                 profileAfter != 1 ? 1 : 0);
        QCOMPARE(checkedMenuEntries(*r.qmenu),
                 QStringList{QStringLiteral("Profile %1").arg(profileAfter + 1)});
    }

    void onlyTheProfileRangeIsRouted() {
        Rig r;
        QVERIFY(!r.menu->routeCommand(8999));
        QVERIFY(!r.menu->routeCommand(9201));
        QCOMPARE(r.firmware.currentProfile(), 0);
        // Ids above the three profiles select profile 0, as the model decides.
        QVERIFY(r.select(2));
        QVERIFY(r.menu->routeCommand(9200));
        QCOMPARE(r.firmware.currentProfile(), 0);
    }

    // The program's own skin places every control of the dialog inside the
    // window; with KEYTUNE_SCREENSHOT_DIR set the dialog is saved as a picture.
    void stagedSkinPlacesEveryControl() {
        const QString skins = QStringLiteral(KEYTUNE_STAGE_DIR "/Skins");
        if (!QFileInfo::exists(skins + "/Profile.ini"))
            QSKIP("the skin is not staged");
        widgets::ApplySkinStyle(*qApp);
        Rig r;
        QVERIFY(r.select(1));
        const settings::LanguageFileTextSource texts(KEYTUNE_STAGE_DIR "/Lang0409.ini");
        CKeytune_DlgProfile dialog(r.session, (skins + "/Profile.ini").toStdString(), skins, texts);
        r.host.dialog = &dialog;
        dialog.PrepareOpening();
        for (const char* name : {"Gaming.kpf", "Work.kpf"}) {
            dialog.setFileChooser([&](QWidget*, const ProfileFileQuestion&) {
                return QString::fromStdString(r.folder.file(name));
            });
            dialog.AddProfileFile();
        }
        check(dialog.list(), 3);
        dialog.list()->selectRow(4);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        const QRect window = dialog.rect();
        QVERIFY(window.width() > 200 && window.height() > 150);
        QVERIFY(window.contains(dialog.list()->geometry()));
        for (auto id : {CKeytune_DlgProfile::kAddId, CKeytune_DlgProfile::kLoadId,
                        CKeytune_DlgProfile::kDeleteId, CKeytune_DlgProfile::kOkId,
                        CKeytune_DlgProfile::kCancelId, CKeytune_DlgProfile::kApplyId}) {
            QVERIFY2(dialog.button(id)->isVisible(), qPrintable(QString::number(id)));
            QVERIFY(window.contains(dialog.button(id)->geometry()));
        }
        QVERIFY(dialog.button(CKeytune_DlgProfile::kApplyId)->isEnabled());
        const QString shots = qEnvironmentVariable("KEYTUNE_SCREENSHOT_DIR");
        if (!shots.isEmpty())
            QVERIFY(dialog.grab().save(shots + "/profile-manager.png"));
        dialog.reject();
    }

  private:
    testsupport::TempFolder settingsHome;
};

QTEST_MAIN(ProfileWindowsTest)
#include "ProfileWindowsTest.moc"
