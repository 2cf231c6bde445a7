// UserLightModes.h - per-key colours (lighting mode 20): the ten user light
// modes of each profile, painting keys with a paint or base colour, and
// sending the layout in use to the keyboard.
//
// Every list and file operation runs only while the keyboard offers mode 20.
// Every edit is written to the profile's file at once.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "lighting/Lighting.h"
#include "lighting/PreviewTables.h"
#include "lighting/UserLightModeFile.h"
#include "lighting/UserModeView.h"

namespace lighting {

class UserLightModes {
  public:
    // userPrefix + p + ".userd" are the profiles' files; templateFile seeds
    // them on restore-defaults. The view may be null (command-line use).
    UserLightModes(Lighting& lighting, std::string userPrefix, std::string templateFile,
                   UserModeView* view = nullptr);

    bool Offered() const { return lighting_.modes().Offers(kPerKeyMode); }
    UserLightModeFile FileOf(int profile) const;

    void LoadUserModeNames(int profile);
    // Loads the current user mode of the current profile into the table and
    // flags, and sends all key colours.
    void ApplyUserMode();
    // The loading half of ApplyUserMode, without the send.
    void LoadUserMode();
    void SelectUserMode(int mode);
    void RenameUserMode(const std::string& text);
    // A click on a button while the lighting panel is shown. Returns false
    // when the click belongs to key assignment instead (G6..G9).
    bool PaintKey(ButtonRef button);
    // Returns the first failed write's result code, or RESULT_OK.
    int SetBaseColour(Colour colour);
    void SetPaintColour(Colour colour);
    void SetTool(int tool);
    // After the keyboard has been read: a button follows the base colour of
    // a profile exactly when its slot holds that profile's base colour.
    void RecomputeFollowFlags();
    // Restore-defaults: the template replaces the current profile's file.
    void ResetUserModes();
    // Tints every button of the keyboard picture with its slot's colour.
    void ShowKeyColours();

    // The two read sequences around ReadLighting. On arrival the user mode is
    // loaded and sent inside ReadLighting's transfer and the follow flags are
    // recomputed after the panel refresh; on a profile switch the user mode
    // follows the read. Both return ReadLighting's result.
    int ReadOnArrival(const std::function<void()>& refreshPanel = {});
    int ReadOnProfileSwitch(const std::function<void()>& refreshPanel = {});

    int currentMode() const { return currentMode_; }
    int tool() const { return tool_; }
    const std::array<std::string, kUserModeCount>& names() const { return names_; }
    bool FollowsBase(int profile, ButtonRef button) const;
    // Each preview key's colour from the current profile's table, for mode 20.
    std::array<Colour, preview::kPreviewKeyCount> PreviewKeyColours() const;

  private:
    static constexpr int kButtonCount = kKeyButtonCount + kGButtonCount + 1;  // + Fn
    static int FlagIndex(ButtonRef button);
    template <typename Visit>
    static void ForEachButton(Visit visit);
    void writeTools() const;

    Lighting& lighting_;
    std::string userPrefix_;
    std::string templateFile_;
    UserModeView* view_;

    int currentMode_ = 0;
    int tool_ = 0;
    int savedTool_ = 0;
    std::array<std::string, kUserModeCount> names_{};
    std::array<std::array<bool, kButtonCount>, kProfileCount> follows_{};
};

}  // namespace lighting
