// CKeytune_DlgProfile.h - the profile manager: a modal dialog listing the
// keyboard's three on-board profiles (a radio check mark on the active one)
// and profile files the user adds; Apply makes the checked row the keyboard's
// current profile and rebuilds the working store from the keyboard.
//
// What it needs from the main window goes through the session's
// profiles::ProfileHost: the pending-changes mark, the key buttons' redraw,
// the busy indicator (showBusy, around the keyboard work of Apply) and the
// profile menu's rebuild (rebuildProfileMenu, after Apply; the place where the
// main window also refreshes whatever follows the current profile). The
// main window answers SwitchProfile's questions about the manager from
// isOpen(), hasPendingChanges(), markActiveRow() and disableApply().
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ProfileOperations.h"
#include "ProfileRows.h"
#include "settings/TextSource.h"
#include "widgets/CImgDialogBase.h"
#include "widgets/SkinSheets.h"

class QLabel;
class QTableWidget;
class QTableWidgetItem;

namespace widgets {
class CPngButton;
}

namespace profiles::ui {

// A file question the manager asks: where to create a new profile file
// (save) or which existing one to list (open).
struct ProfileFileQuestion {
    bool save = false;
    QString folder;    // the folder the dialog starts in
    QString fileName;  // proposed file name (save only)
};
// The chosen path, or an empty text for Cancel.
using ProfileFileChooser =
    std::function<QString(QWidget* parent, const ProfileFileQuestion& question)>;
// The file dialog of the desktop: extension "kpf" added when none is typed,
// filters "(*.kpf)" and all files, overwrite confirmation on saving.
QString ChooseProfileFile(QWidget* parent, const ProfileFileQuestion& question);

class CKeytune_DlgProfile : public widgets::CImgDialogBase {
    Q_OBJECT

  public:
    // skinIniFile is Skins/Profile.ini; its pictures lie in skinFolder. texts
    // must outlive the dialog (settings::ProgramTexts() in the program).
    CKeytune_DlgProfile(ConfigSession& session, std::string skinIniFile, QString skinFolder,
                        const settings::TextSource& texts, QWidget* parent = nullptr);
    ~CKeytune_DlgProfile() override;

    // The main window's profile command (control 1005): opens the dialog
    // modally and returns when it closes.
    void OpenProfileManager();
    // What opening does before the modal loop starts: the skin (once per
    // run), the open count, the rows. OpenProfileManager calls it.
    void PrepareOpening();

    // Rows 0..2 for the on-board profiles (all in the cache file), the check
    // on the keyboard's current profile; Apply disabled.
    void FillProfileList(bool first);
    void AddProfileFile();
    void LoadProfileFile();
    void DeleteProfileRow();
    // Records the rows' paths, selects the checked row's profile (rows beyond
    // the third select profile 0), rebuilds the working store from the
    // keyboard off the window thread, and rebuilds the profile menu.
    void ApplyProfileManager();

    // What SwitchProfile asks about the manager.
    bool isOpen() const { return openCount_ > 0; }
    int openCount() const { return openCount_; }
    bool hasPendingChanges() const { return changed_; }
    void markActiveRow(int row);
    void disableApply() { setChanged(false); }
    // Keyboard removal and shutdown close the dialog as Cancel does.
    void closeIfOpen() {
        if (isOpen())
            reject();
    }

    // Re-reads every text (the language-changed notification).
    void relabel();

    // Replaces the file dialogs (tests answer them from a script).
    void setFileChooser(ProfileFileChooser chooser) { chooseFile_ = std::move(chooser); }

    QTableWidget* list() const { return list_; }
    int checkedRow() const;  // -1 when no row is checked
    std::vector<ProfileRow> rows() const;

    // Control ids of the dialog, used as the controls' object names
    // ("control1010", ...).
    enum ControlId {
        kListId = 1007,
        kAddId = 1010,
        kLoadId = 1008,
        kDeleteId = 1011,
        kOkId = 1,
        kCancelId = 2,
        kApplyId = 1012
    };
    widgets::CPngButton* button(ControlId id) const;

  public slots:
    void done(int result) override;

  private:
    void initialiseSkin();
    void setChanged(bool changed);
    void appendRow(const ProfileRow& row);
    void setRowChecked(int row, bool checked);
    void onItemChanged(QTableWidgetItem* item);
    QString text(std::string_view key) const;
    QString textOr(std::string_view key, const QString& fallback) const;

    ConfigSession& session_;
    std::string skinIniFile_;
    QString skinFolder_;
    const settings::TextSource& texts_;
    ProfileFileChooser chooseFile_ = ChooseProfileFile;

    std::optional<widgets::SkinSheets> sheets_;
    QLabel* title_ = nullptr;
    QTableWidget* list_ = nullptr;
    struct Button {
        ControlId id;
        const char* skinKey;
        widgets::CPngButton* widget;
    };
    std::vector<Button> buttons_;

    int openCount_ = 0;
    bool changed_ = false;
    bool updatingChecks_ = false;
};

}  // namespace profiles::ui
