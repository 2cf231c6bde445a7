// LightingPanel.h - the lighting region of the main window: the panel switch,
// the mode list and the controls of the selected mode, the preset swatches,
// the RGB read-out, the preview on the key buttons and per-key painting.
// The report-rate buttons and the busy picture are the main window's.
//
// Every control is a child of the main window placed from the main skin
// file; every change is written to the keyboard at once through the lighting
// model. The panel keeps no lighting state of its own: it shows the model's.
#pragma once

#include <QObject>
#include <QPixmap>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "lighting/Lighting.h"
#include "lighting/UserLightModes.h"
#include "lighting/ui/PanelVisibility.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace settings {
class TextSource;
}
namespace widgets {
class BitmapSlider;
class CPngButton;
class ColourButton;
class PictureSwitch;
}  // namespace widgets

namespace lighting::ui {

class LightingPanelHost;
class PerKeyPainting;
class PreviewPainter;

struct LightingPanelSetup {
    QWidget* window = nullptr;          // the main window; the controls become its children
    std::string skinIniFile;            // Skins/Main.ini
    QString skinFolder;                 // the folder of the lighting pictures
    std::string userLightModePrefix;    // user folder + "UserDengColor_"
    std::string templateLightModeFile;  // Skins/UserDengColor_3.userd
    const settings::TextSource* texts = nullptr;
    // The user's "show the lighting panel" setting (DengCheck); the settings
    // file when not given.
    std::function<bool()> readPanelOn;
    std::function<void(bool)> writePanelOn;
    // The panel runs its own 50 ms preview timer while it and the window are
    // shown. A main window that drives the preview from a timer of its own
    // sets this to false and calls PreviewTick() (see shownChanged).
    bool ownPreviewTimer = true;
};

class LightingPanel : public QObject {
    Q_OBJECT

  public:
    LightingPanel(Lighting& lighting, LightingPanelHost& host, LightingPanelSetup setup,
                  QObject* parent = nullptr);
    ~LightingPanel() override;

    // The reads of the main window, each followed by the panel refresh.
    // After the keyboard arrived: the user light mode is loaded and sent inside
    // the read, the follow flags are recomputed after it.
    int ReadOnArrival();
    // A profile button: read, reload the profile's user light modes, refresh,
    // and hide a shown panel.
    int ReadOnProfileSwitch();
    // The keyboard reported a lighting change, or the language changed.
    int ReadAgain();

    // Shows the model's state in every control.
    void RefreshPanel();
    // The main window's Default after the user said Yes and the key
    // assignments were reset: only while the panel is shown, the lighting
    // goes back to its defaults.
    void RestoreDefaults();
    // The language changed: labels from the language file.
    void Relabel();
    // The main window was shown or hidden; the preview runs only while both
    // the window and the panel are shown.
    void setWindowVisible(bool visible);

    bool isShown() const;
    // Hides a shown panel as its switch does (key buttons back to key
    // assignment, DengCheck "0").
    void HidePanel();
    // A click on a key button while the panel is shown (the key buttons route
    // it here while isShown()). False when it belongs to key assignment.
    bool PaintKey(ButtonRef button);

    // The mode list (the main window's key filter keeps the arrow keys from
    // it while it has the focus).
    QComboBox* modeList() const { return modeList_; }
    PerKeyPainting& painting() { return *painting_; }
    UserLightModes& userModes();
    const PreviewPainter& preview() const { return *preview_; }
    bool previewRunning() const { return previewTimer_.isActive(); }
    // True after a write the keyboard did not take, until the next one it took.
    bool showsWriteFailure() const { return writeFailed_; }

    // One preview step now (the timer's work); nothing while the panel is
    // hidden.
    void PreviewTick();

  signals:
    // The panel opened or closed (its switch, a profile switch, a read of the
    // setting): the key buttons' routing and a host-driven preview timer
    // follow it.
    void shownChanged(bool shown);

  private:
    struct Pictures;
    void createControls();
    QLabel* makeLabel(const char* key);
    widgets::PictureSwitch* makeSwitch(const char* key, bool checkable = true);
    widgets::ColourButton* makeColourButton(const char* key);
    void placeAll();
    void connectEvents();

    void panelSwitchClicked();
    void showPanel();
    void modeChosen(int listIndex);
    void placeDirectionControls();
    void showDirection();
    void showMultiColour();
    void showColourChoice();
    void showSliders();
    void fillModeList();
    void applyVisibility();
    void clearKeyButtons();
    void updatePreviewTimer();
    void presetClicked(int swatch);
    void rgbEdited(QLineEdit* field);
    void wrote(bool reached);
    void showTitle();
    template <typename Write>
    void write(Write&& write);

    Lighting& lighting_;
    LightingPanelHost& host_;
    LightingPanelSetup setup_;
    std::unique_ptr<Pictures> pictures_;
    std::unique_ptr<PreviewPainter> preview_;
    std::unique_ptr<PerKeyPainting> painting_;
    QTimer previewTimer_;
    bool windowVisible_ = false;
    bool lastShown_ = false;
    bool writeFailed_ = false;

    QLabel* title_ = nullptr;
    widgets::PictureSwitch* panelSwitch_ = nullptr;
    QComboBox* modeList_ = nullptr;
    QLabel* brightnessLabel_ = nullptr;
    widgets::BitmapSlider* brightness_ = nullptr;
    QLabel* speedLabel_ = nullptr;
    widgets::BitmapSlider* speed_ = nullptr;
    QLabel* directionLabel_ = nullptr;
    widgets::PictureSwitch* directionLeft_ = nullptr;
    widgets::PictureSwitch* directionRight_ = nullptr;
    QLabel* fyColourLabel_ = nullptr;
    widgets::ColourButton* fyColour_ = nullptr;
    QLabel* fyMultiLabel_ = nullptr;
    widgets::PictureSwitch* fyMulti_ = nullptr;
    QLabel* hxColourLabel_ = nullptr;
    widgets::ColourButton* hxColour_ = nullptr;
    QLabel* hxMultiLabel_ = nullptr;
    widgets::PictureSwitch* hxMulti_ = nullptr;
    std::array<widgets::PictureSwitch*, 4> colourChoice_{};
    QLabel* paintLabel_ = nullptr;
    widgets::ColourButton* paintColour_ = nullptr;
    QLabel* baseLabel_ = nullptr;
    widgets::ColourButton* baseColour_ = nullptr;
    QLabel* toolLabel_ = nullptr;
    widgets::PictureSwitch* tool0_ = nullptr;
    widgets::PictureSwitch* tool1_ = nullptr;
    QComboBox* userModeList_ = nullptr;
    std::array<widgets::PictureSwitch*, 8> presets_{};
    QLabel* rgbLabel_ = nullptr;
    std::array<QLineEdit*, 3> rgb_{};
    QLabel* usbLabel_ = nullptr;
    std::vector<QWidget*> neverShown_;
};

}  // namespace lighting::ui
