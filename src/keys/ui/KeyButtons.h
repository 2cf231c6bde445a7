// KeyButtons.h - the 104 key buttons, nine G buttons and the Fn button of the
// main window's keyboard picture: placement from the skin, click routing,
// tooltips and assigned marks from the current profile's records, the reset
// of a profile, and the colour-selection marks.
//
// A key button stands for the record of its key; G button g for record
// 256 + g on layer A and 265 + g on layer B. Every record is read from the
// current profile's area of the working store, under the store's lock.
#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <string>

#include "AssignmentStore.h"
#include "KeyAssignment.h"
#include "lighting/ButtonRef.h"
#include "settings/TextSource.h"
#include "widgets/CPngButton.h"
#include "widgets/SkinSheets.h"

namespace keysui {

// What a button's tooltip says and whether it shows the assigned mark.
struct AssignmentDescription {
    std::string tooltip;
    bool assigned = false;
};

// base: the key's name, or "G<n>" for a G button. The macro of a macro
// assignment is looked up in `store` (the caller holds its lock).
AssignmentDescription DescribeAssignment(const std::string& base, const keys::KeyAssignment& record,
                                         const keys::AssignmentStore& store,
                                         const settings::TextSource& texts);

class KeyButtons : public QObject {
    Q_OBJECT
  public:
    // profile() gives the current profile index 0..2, layer() the G-key layer
    // (0 = A, 1 = B); both are asked afresh at every use.
    KeyButtons(keys::AssignmentStore& working, const settings::TextSource& texts,
               std::function<int()> profile, std::function<int()> layer, QObject* parent = nullptr);

    // Creates and places every button on `window` from section BUTTONINFO of
    // `iniFile` ("KEY_%03X" by key index, "FUNC_G%d", "KEY_FN"). The sheets
    // must outlive the buttons.
    void PlaceKeyButtons(QWidget* window, const std::string& iniFile,
                         const std::array<const widgets::SkinSheet*, 5>& sheets,
                         const widgets::SkinSheet* unselected, const widgets::SkinSheet* selected);

    // Routes a click: to painting while painting() says so (key buttons,
    // G1..G5, Fn), to the selection toggle in colour-selection mode, else to
    // the key-assignment dialog (assignmentRequested).
    void OnKeyButtonClick(int controlId);

    // Shows the button of a record as unassigned with its plain tooltip.
    void RefreshKeyButton(int recordIndex);
    // Tooltips of every button from the current records.
    void RefreshAllKeyButtons();
    // Tooltips and assigned marks of every button.
    void ShowProfileAssignments();
    // Tooltips and assigned marks of the G buttons (after a layer switch).
    void ShowGButtonAssignments();
    // Zeroes the records of the current profile's buttons (the G buttons of
    // the current layer only) and shows them unassigned; emits changed().
    void ResetProfileAssignments();
    // Every button's selection look from its selection flag, with the mode on
    // or off.
    void ShowSelectionMarks();

    void setColourSelectionMode(bool on);
    bool colourSelectionMode() const { return selectionMode_; }
    // Per-key colour painting of the lighting panel is on.
    std::function<bool()> painting;

    // The button of a control id, nullptr for an id that is none of these.
    widgets::CPngButton* button(int controlId) const;
    // The G button 0..8 and key button 0..103 by position.
    widgets::CPngButton* gButton(int g) const { return gButtons_[g]; }
    widgets::CPngButton* keyButton(int position) const { return keyButtons_[position]; }
    widgets::CPngButton* fnButton() const { return fnButton_; }
    // Every button in table order: G1..G9, the key buttons, Fn.
    std::vector<widgets::CPngButton*> allButtons() const;

    // The record index a button stands for now, -1 for Fn or unknown ids.
    int recordOfControl(int controlId) const;

  signals:
    void assignmentRequested(int controlId);
    void paintRequested(lighting::ButtonRef button);
    // The working store changed (the main window's pending-changes mark).
    void changed();

  private:
    void showRecord(widgets::CPngButton* button, const std::string& base, int recordIndex,
                    bool setMark);
    std::string baseText(int controlId) const;
    void toggleSelection(int controlId);
    // The record that keeps a button's selection flag.
    int selectionRecordOfControl(int controlId) const;

    keys::AssignmentStore& working_;
    const settings::TextSource& texts_;
    std::function<int()> profile_;
    std::function<int()> layer_;
    bool selectionMode_ = false;
    std::array<widgets::CPngButton*, 9> gButtons_{};
    std::array<widgets::CPngButton*, 104> keyButtons_{};
    widgets::CPngButton* fnButton_ = nullptr;
};

}  // namespace keysui
