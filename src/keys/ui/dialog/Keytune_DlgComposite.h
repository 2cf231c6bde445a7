// Keytune_DlgComposite.h - the key assignment dialog: gives one key (or G
// key) of the current profile another key or a mouse function, a macro, a
// media key, one of the keyboard's functions, or its factory function back.
//
// The dialog works on one record of the working store: it reads the record
// when it opens and writes it on Apply or OK. It sends nothing to the
// keyboard; it sets the main window's pending-changes mark instead. The
// macro page (chooser, actions, recorder) is a macros::ui::MacroPage.
//
// Opening for G9's control id (the main window's macro command) puts the
// dialog into macro-only mode: only the macro page can be used.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "AssignmentStore.h"
#include "CompositeDialogHost.h"
#include "KeyCaptureFilter.h"
#include "KeyHookSink.h"
#include "keys/KeyCatalogue.h"
#include "widgets/CImgDialogBase.h"
#include "widgets/SkinSheets.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace keys {
class Prompts;
}
namespace settings {
class TextSource;
}
namespace macros::ui {
class MacroPage;
}
namespace widgets {
class CPngButton;
}

namespace keysui {

// Control ids of the dialog; they name the controls for tests and callers.
namespace composite {
inline constexpr int kTabKey = 1028, kTabMacro = 1029, kTabMedia = 1030, kTabFunction = 1031;
inline constexpr int kClear = 1032, kOsk = 1132, kPagePicture = 1033, kTitle = 1131;
inline constexpr int kHeading = 1199, kKeyPrompt = 1201, kKeyField = 1127;
inline constexpr int kKeyboardMode = 1185, kKeyboardLabel = 1134;
inline constexpr int kMouseMode = 1186, kMouseLabel = 1135, kMouseList = 1187;
inline constexpr int kMediaPrompt = 1202, kMediaList = 1128;
inline constexpr int kFunctionPrompt = 1203, kFunctionList = 1129;
inline constexpr int kMacroPrompt = 1200, kMacroChooser = 1126, kActionList = 1019;
inline constexpr int kAddMacro = 1017, kDeleteMacro = 1018, kRecord = 1020;
inline constexpr int kMoveTop = 1023, kMoveUp = 1024, kMoveDown = 1025, kMoveBottom = 1026;
inline constexpr int kDeleteAction = 1021, kClearActions = 1022;
inline constexpr int kCycles = 1125, kCyclesLabel = 1130, kRecordDelay = 1027,
                     kRecordDelayLabel = 1133;
inline constexpr int kApply = 1015, kOk = 1, kCancel = 2;
// The main window's control id that opens the dialog in macro-only mode (G9).
inline constexpr int kMacroOnlyButton = 1143;
}  // namespace composite

class Keytune_DlgComposite : public widgets::CImgDialogBase, private macros::ui::KeyHookSink {
    Q_OBJECT
  public:
    // Record types the pages stand for; page 0 is the single-key page with
    // nothing chosen.
    enum Page { kPageNone = 0, kPageKey = 2, kPageMacro = 4, kPageMedia = 7, kPageFunction = 8 };

    // skinFolder holds Composite.ini (compositeIni, a full path) and the
    // page picture sets.
    Keytune_DlgComposite(CompositeDialogHost& host, keys::AssignmentStore& working,
                         keys::Prompts& prompts, const settings::TextSource& texts,
                         QString skinFolder, std::string compositeIni, QWidget* parent = nullptr);
    ~Keytune_DlgComposite() override;

    // A click on a main-window key or G button (or the macro command with
    // G9's id): -1 for an id that is neither, 0 after a colour-selection
    // toggle, else the dialog's result (QDialog::Accepted for OK).
    int OpenForButton(int controlId);
    // The same without the modal loop: prepares and shows the dialog and
    // returns 1, or returns -1 / 0 as above. Used by OpenForButton and tests.
    int showForButton(int controlId);
    // Closes as Cancel when open (before a language change or a reload).
    void CloseIfOpen();
    // The language changed: every text and tooltip again.
    void onLanguage(int languageIndex);

    void apply();
    void ok();
    void cancel();

    // State, for the main window and tests.
    bool isOpen() const { return openCount_ > 0; }
    int page() const { return page_; }
    keys::KeyIndex keyIndex() const { return keyIndex_; }
    bool macroOnly() const { return macroOnly_; }
    bool isChanged() const { return changed_; }
    keys::KeyCode capturedKey() const { return captured_; }
    bool mouseMode() const { return mouseMode_; }
    bool capturing() const { return capture_.sink() == this; }
    QWidget* control(int id) const;
    macros::ui::MacroPage& macroPage() { return *macroPage_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void reject() override;

  private:
    // Key capture of the single-key page.
    bool systemKey(bool press, uint8_t lowLevelVk) override;
    bool threadKey(uint8_t vk, uint32_t messageData) override;
    void capture(keys::KeyCode key);

    void createControls();
    void initialise();
    void placeControls();
    void applyFonts();
    void fillLists();
    void position();
    void retranslate();
    void showPage(bool loading);
    void setPage(int page);
    void tab(int page);
    void clear();
    void chooseMode(bool mouse);
    void setChanged(bool changed);
    void closeDialog();
    void openOnScreenKeyboard();
    QString text(const char* key) const;
    widgets::CPngButton* button(int id) const;
    // False for a skin button that the skin file does not place.
    bool placed(int id) const;

    CompositeDialogHost& host_;
    keys::AssignmentStore& working_;
    keys::Prompts& prompts_;
    const settings::TextSource& texts_;
    QString skinFolder_;
    std::string iniFile_;
    widgets::SkinSheets sheets_;

    std::map<int, QWidget*> controls_;
    QLineEdit* keyField_ = nullptr;
    QCheckBox* keyboardMode_ = nullptr;
    QCheckBox* mouseModeBox_ = nullptr;
    QComboBox* mouseList_ = nullptr;
    QComboBox* mediaList_ = nullptr;
    QComboBox* functionList_ = nullptr;
    QComboBox* chooser_ = nullptr;
    QTableView* actions_ = nullptr;
    QLineEdit* cycles_ = nullptr;
    QCheckBox* recordDelay_ = nullptr;
    std::unique_ptr<macros::ui::MacroPage> macroPage_;
    macros::ui::KeyCaptureFilter capture_;

    keys::KeyIndex keyIndex_ = 0;
    int areaOffset_ = 0;
    int buttonId_ = 0;
    bool macroOnly_ = false;
    int page_ = kPageNone;
    keys::KeyCode captured_ = keys::kNoKey;
    int32_t loadedData_ = 0;
    uint16_t loadedAux_ = 0;
    bool changed_ = false;
    bool mouseMode_ = false;
    bool macroShown_ = false;
    int openCount_ = 0;
};

}  // namespace keysui
