// PerKeyPainting.h - the window side of per-key colours (lighting mode 20):
// the user-mode list, the paint and base colour buttons, the two tools, and
// painting on the key buttons by click, by dragging across keys, and taking
// a key's colour with Ctrl+click.
//
// Every rule lives in UserLightModes; this class shows its state and turns
// the user's actions into its operations.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <unordered_map>

#include "lighting/UserLightModes.h"

class QComboBox;

namespace widgets {
class ButtonStroke;
class CPngButton;
class ColourButton;
class PictureSwitch;
}  // namespace widgets

namespace lighting::ui {

class LightingPanelHost;

struct PerKeyControls {
    QComboBox* userModeList = nullptr;  // editable: the text renames the selected mode
    widgets::ColourButton* paintColour = nullptr;
    widgets::ColourButton* baseColour = nullptr;
    widgets::PictureSwitch* tool0 = nullptr;  // paint with the paint colour
    widgets::PictureSwitch* tool1 = nullptr;  // paint with the base colour
};

class PerKeyPainting : public QObject, public UserModeView {
    Q_OBJECT

  public:
    // panelShown tells whether key clicks belong to painting at all;
    // wrote(ok) hears the outcome of each keyboard write.
    PerKeyPainting(Lighting& lighting, LightingPanelHost& host, std::string userPrefix,
                   std::string templateFile, PerKeyControls controls,
                   std::function<bool()> panelShown, std::function<void(bool)> wrote,
                   QObject* parent = nullptr);
    ~PerKeyPainting() override;

    UserLightModes& modes() { return modes_; }

    // Takes the key buttons into the paint stroke (after they exist).
    void AttachKeyButtons();

    // A click on a key button while the panel is shown. Returns false when the
    // click belongs to key assignment (G6..G9, or the panel is hidden).
    // With Ctrl held in mode 20 the key's colour becomes the paint colour.
    bool KeyClicked(ButtonRef button);
    bool KeyClicked(ButtonRef button, bool ctrlHeld);

    // UserModeView
    void ShowButtonColour(ButtonRef button, Colour colour) override;
    void ShowUserModeNames(const std::array<std::string, kUserModeCount>& names) override;
    void ReplaceUserModeName(int index, const std::string& name) override;
    void ShowUserModeControls(int index, Colour base, Colour paint, int tool) override;

    // The mode-20 controls from the current state.
    void ShowControls();

  private:
    void paint(ButtonRef button);
    void pickColourOf(ButtonRef button);
    void strokeStarted(widgets::CPngButton* button);
    void strokeEntered(widgets::CPngButton* button);
    bool painting() const;

    Lighting& lighting_;
    LightingPanelHost& host_;
    PerKeyControls controls_;
    std::function<bool()> panelShown_;
    std::function<void(bool)> wrote_;
    UserLightModes modes_;
    widgets::ButtonStroke* stroke_ = nullptr;
    std::unordered_map<widgets::CPngButton*, ButtonRef> refOf_;

    // The button a drag began on: painted when the pointer first leaves it,
    // so its own click on release is not a second paint.
    QPointer<widgets::CPngButton> strokeOrigin_;
    bool originPainted_ = false;
};

}  // namespace lighting::ui
