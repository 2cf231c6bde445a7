// Seams.h - the secondary windows the main window drives but does not own the
// code of: the lighting panel, the key-assignment dialog and the profile
// manager. The main window holds each through a possibly-null pointer and
// works without it.
#pragma once

namespace app {

class LightingPanelView {
  public:
    virtual ~LightingPanelView() = default;
    virtual bool isShown() const = 0;
    // Shows the state just read from the keyboard.
    virtual void refresh() = 0;
    virtual void hidePanel() = 0;
    // Default's Yes while the panel is shown.
    virtual void restoreDefaults() = 0;
    // Timer 1052: one frame of the preview.
    virtual void previewTick() = 0;
    // Per-key colour painting (mode 20) is on: key clicks paint.
    virtual bool paintingKeys() const = 0;
};

class KeyAssignmentOpener {
  public:
    virtual ~KeyAssignmentOpener() = default;
    // A key or G button was clicked outside colour-selection mode.
    virtual void OpenForButton(int controlId) = 0;
    virtual bool isOpen() const = 0;
    virtual void closeIfOpen() = 0;
    virtual void onLanguage(int index) = 0;
};

class ProfileManagerView {
  public:
    virtual ~ProfileManagerView() = default;
    virtual void open() = 0;
    virtual bool isOpen() const = 0;
    virtual void closeIfOpen() = 0;
};

}  // namespace app
