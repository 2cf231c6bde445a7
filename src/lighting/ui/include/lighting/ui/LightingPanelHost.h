// LightingPanelHost.h - what the lighting panel needs from the main window.
//
// The main window implements this interface; tests implement it with a plain
// parent widget and a few buttons. Everything here is called on the window
// thread.
#pragma once

#include "lighting/ButtonRef.h"

namespace widgets {
class CPngButton;
}

namespace lighting::ui {

class LightingPanelHost {
  public:
    virtual ~LightingPanelHost() = default;

    // The button of the keyboard picture behind a button reference: key
    // button by position 0..103, G button 0..8, the Fn button. Null when the
    // window has no such button. The panel tints and un-tints these buttons
    // (preview, per-key colours); it never moves or hides them.
    virtual widgets::CPngButton* keyButton(ButtonRef button) = 0;

    // The key buttons show their key assignments again (tooltips and assigned
    // marks), after the panel hides.
    virtual void showProfileAssignments() = 0;

    // The profile manager confirms the keyboard's current profile before the
    // panel opens: it may ask about unsaved key changes and refuses while one
    // of its own dialogs is busy. False keeps the panel closed.
    virtual bool confirmCurrentProfile() = 0;
};

}  // namespace lighting::ui
