// CompositeDialogHost.h - what the key assignment dialog needs from the main
// window. The main window implements it; tests implement it with a fake.
#pragma once

#include <QRect>

namespace keysui {

class CompositeDialogHost {
  public:
    virtual ~CompositeDialogHost() = default;

    // The profile whose records the dialog edits (0..2).
    virtual int currentProfile() const = 0;
    // The G-key layer: 0 = first (G1..G9 are records 256..264), 1 = second.
    virtual int gKeyLayer() const = 0;

    // Colour-selection mode of the key buttons: a click then toggles the
    // button's selection instead of opening the dialog.
    virtual bool colourSelectionMode() const = 0;
    virtual void toggleKeySelection(int controlId) = 0;

    // Screen rectangle of the main-window button with this control id (the
    // dialog opens beside it), and of the main window (its screen centres
    // the dialog in macro-only mode).
    virtual QRect buttonScreenRect(int controlId) const = 0;
    virtual QRect mainWindowScreenRect() const = 0;
    // The clicked button's pressed look while the dialog is open.
    virtual void setButtonDown(int controlId, bool down) = 0;

    // The working store's records changed: show every key button's tooltip
    // and assigned mark again (KeyButtons::ShowProfileAssignments).
    virtual void showKeyAssignments() = 0;
    // The main window's pending-changes mark (enables its Apply).
    virtual void setPendingChanges() = 0;

    // F1: the help page.
    virtual void openHelp() = 0;
};

}  // namespace keysui
