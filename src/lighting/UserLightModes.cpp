// UserLightModes.cpp - loading, editing and sending user light modes.
#include "lighting/UserLightModes.h"

#include "device/ResultCodes.h"

#include "settings/AtomicFile.h"
#include "settings/SettingsPaths.h"

namespace lighting {

UserLightModes::UserLightModes(Lighting& lighting, std::string userPrefix, std::string templateFile,
                               UserModeView* view)
    : lighting_(lighting),
      userPrefix_(std::move(userPrefix)),
      templateFile_(std::move(templateFile)),
      view_(view) {}

UserLightModeFile UserLightModes::FileOf(int profile) const {
    return UserLightModeFile(settings::LightModeFileName(userPrefix_, profile));
}

int UserLightModes::FlagIndex(ButtonRef button) {
    switch (button.kind) {
        case ButtonRef::KeyButton:
            return button.index < kKeyButtonCount ? button.index : -1;
        case ButtonRef::GButton:
            return button.index < kGButtonCount ? kKeyButtonCount + button.index : -1;
        case ButtonRef::FnButton:
            return kKeyButtonCount + kGButtonCount;
    }
    return -1;
}

// Key buttons in catalogue order, then G1..G9, then Fn.
template <typename Visit>
void UserLightModes::ForEachButton(Visit visit) {
    for (int i = 0; i < kKeyButtonCount; ++i) visit(ButtonRef{ButtonRef::KeyButton, uint8_t(i)});
    for (int g = 0; g < kGButtonCount; ++g) visit(ButtonRef{ButtonRef::GButton, uint8_t(g)});
    visit(ButtonRef{ButtonRef::FnButton, 0});
}

bool UserLightModes::FollowsBase(int profile, ButtonRef button) const {
    int index = FlagIndex(button);
    return profile >= 0 && profile < kProfileCount && index >= 0 && follows_[profile][index];
}

void UserLightModes::LoadUserModeNames(int profile) {
    if (!Offered())
        return;
    UserLightModeFile file = FileOf(profile);
    for (int n = 0; n < kUserModeCount; ++n) names_[n] = file.ModeName(n);
    if (view_)
        view_->ShowUserModeNames(names_);
}

void UserLightModes::ApplyUserMode() {
    if (!Offered())
        return;
    LoadUserMode();
    lighting_.SendKeyColors();
}

void UserLightModes::LoadUserMode() {
    if (!Offered())
        return;
    const int p = lighting_.profile();
    UserLightModeFile file = FileOf(p);
    currentMode_ = file.PresentMode();
    tool_ = savedTool_ = file.Tool(currentMode_);
    lighting_.state().baseColour = file.BaseColour(currentMode_);
    lighting_.state().paintColour = file.PaintColour(currentMode_);
    ForEachButton([&](ButtonRef button) {
        int slot = LedSlotOf(button);
        KeyEntry entry = file.Key(currentMode_, slot);
        lighting_.keyColours().Set(p, slot, entry.colour);
        follows_[p][FlagIndex(button)] = entry.followsBase;
    });
}

void UserLightModes::SelectUserMode(int mode) {
    if (!Offered() || mode < 0 || mode >= kUserModeCount)
        return;
    currentMode_ = mode;
    FileOf(lighting_.profile()).WritePresentMode(mode);
    ApplyUserMode();
    if (view_)
        view_->ShowUserModeControls(currentMode_, lighting_.state().baseColour,
                                    lighting_.state().paintColour, tool_);
    ShowKeyColours();
}

void UserLightModes::RenameUserMode(const std::string& text) {
    if (!Offered())
        return;
    names_[currentMode_] = text;
    if (view_)
        view_->ReplaceUserModeName(currentMode_, text);
    FileOf(lighting_.profile()).WriteModeName(currentMode_, text);
}

bool UserLightModes::PaintKey(ButtonRef button) {
    if (button.kind == ButtonRef::GButton && button.index >= 5)
        return false;  // G6..G9
    int slot = LedSlotOf(button);
    int flag = FlagIndex(button);
    if (lighting_.state().mode != kPerKeyMode || slot < 0 || flag < 0)
        return true;
    if (tool_ != 0 && tool_ != 1)
        return true;
    const int p = lighting_.profile();
    const bool followBase = tool_ == 1;
    Colour colour = followBase ? lighting_.state().baseColour : lighting_.state().paintColour;
    follows_[p][flag] = followBase;
    if (view_)
        view_->ShowButtonColour(button, colour);
    lighting_.SendKeyColor(slot, colour);
    lighting_.keyColours().Set(p, slot, colour);
    FileOf(p).WriteKey(currentMode_, slot, {colour, followBase});
    return true;
}

void UserLightModes::writeTools() const {
    FileOf(lighting_.profile())
        .WriteTools(currentMode_, tool_, lighting_.state().baseColour,
                    lighting_.state().paintColour);
}

int UserLightModes::SetBaseColour(Colour colour) {
    int result = device::RESULT_OK;
    if (colour != lighting_.state().baseColour) {
        lighting_.state().baseColour = colour;
        const int p = lighting_.profile();
        if (Offered()) {
            writeTools();
            UserLightModeFile file = FileOf(p);
            ForEachButton([&](ButtonRef button) {
                if (!follows_[p][FlagIndex(button)])
                    return;
                int slot = LedSlotOf(button);
                lighting_.keyColours().Set(p, slot, colour);
                if (view_)
                    view_->ShowButtonColour(button, colour);
                file.WriteKey(currentMode_, slot, {colour, true});
            });
            result = lighting_.SendKeyColors();
        }
    }
    const int base = lighting_.WriteBaseColour(colour);
    return result != device::RESULT_OK ? result : base;
}

void UserLightModes::SetPaintColour(Colour colour) {
    lighting_.state().paintColour = colour;
    if (Offered())
        writeTools();
}

void UserLightModes::SetTool(int tool) {
    tool_ = savedTool_ = tool;
    if (view_)
        view_->ShowUserModeControls(currentMode_, lighting_.state().baseColour,
                                    lighting_.state().paintColour, tool_);
    if (Offered())
        writeTools();
}

void UserLightModes::RecomputeFollowFlags() {
    for (int q = 0; q < kProfileCount; ++q) {
        Colour base = lighting_.state().blocks[q].ColourAt(ParameterOffset::BaseColour);
        ForEachButton([&](ButtonRef button) {
            follows_[q][FlagIndex(button)] =
                lighting_.keyColours().Get(q, LedSlotOf(button)) == base;
        });
    }
}

void UserLightModes::ResetUserModes() {
    if (!Offered())
        return;
    const int p = lighting_.profile();
    // A missing template leaves an empty file, so every default applies.
    std::string bytes = settings::ReadWholeFile(templateFile_).value_or(std::string());
    settings::WriteFileAtomically(FileOf(p).path(), bytes);
    LoadUserModeNames(p);
    ApplyUserMode();
    if (view_)
        view_->ShowUserModeControls(currentMode_, lighting_.state().baseColour,
                                    lighting_.state().paintColour, tool_);
}

void UserLightModes::ShowKeyColours() {
    if (!view_)
        return;
    const int p = lighting_.profile();
    ForEachButton([&](ButtonRef button) {
        view_->ShowButtonColour(button, lighting_.keyColours().Get(p, LedSlotOf(button)));
    });
}

int UserLightModes::ReadOnArrival(const std::function<void()>& refreshPanel) {
    int result = lighting_.ReadLighting([&] {
        if (!Offered())
            return;
        LoadUserModeNames(lighting_.profile());
        ApplyUserMode();
    });
    if (result != 0)
        return result;
    if (refreshPanel)
        refreshPanel();
    if (Offered())
        RecomputeFollowFlags();
    return result;
}

int UserLightModes::ReadOnProfileSwitch(const std::function<void()>& refreshPanel) {
    int result = lighting_.ReadLighting();
    if (result != 0)
        return result;
    if (Offered()) {
        LoadUserModeNames(lighting_.profile());
        ApplyUserMode();
    }
    if (refreshPanel)
        refreshPanel();
    return result;
}

std::array<Colour, preview::kPreviewKeyCount> UserLightModes::PreviewKeyColours() const {
    std::array<Colour, preview::kPreviewKeyCount> colours{};
    const int p = lighting_.profile();
    for (int k = 0; k < preview::kPreviewKeyCount; ++k)
        colours[k] = lighting_.keyColours().Get(p, LedSlotOf(preview::ButtonOfPreviewKey(k)));
    return colours;
}

}  // namespace lighting
