// UserModeView.h - what the per-key colour code shows on screen. The lighting
// panel implements it; tests record the calls.
#pragma once

#include <array>
#include <string>

#include "lighting/ButtonRef.h"
#include "lighting/Colour.h"

namespace lighting {

constexpr int kUserModeCount = 10;

class UserModeView {
  public:
    virtual ~UserModeView() = default;
    // Tints one button of the keyboard picture with its per-key colour.
    virtual void ShowButtonColour(ButtonRef button, Colour colour) = 0;
    // Refills the user-mode list with the ten names in index order.
    virtual void ShowUserModeNames(const std::array<std::string, kUserModeCount>& names) = 0;
    // Replaces one entry of the list (the rename of the selected entry).
    virtual void ReplaceUserModeName(int index, const std::string& name) = 0;
    // The mode-20 controls: list selection, base and paint colour buttons,
    // and the two tool pictures (the chosen tool pressed).
    virtual void ShowUserModeControls(int index, Colour base, Colour paint, int tool) = 0;
};

}  // namespace lighting
