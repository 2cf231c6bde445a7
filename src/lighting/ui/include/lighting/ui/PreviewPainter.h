// PreviewPainter.h - the animated preview on the keyboard picture: each tick
// of the preview engine tints the key buttons, and only a button whose tint
// changed is touched (and so repainted).
#pragma once

#include <functional>
#include <memory>

#include "lighting/PreviewEngine.h"

namespace widgets {
class CPngButton;
}

namespace lighting::ui {

class PreviewPainter {
  public:
    using ButtonLookup = std::function<widgets::CPngButton*(ButtonRef)>;

    explicit PreviewPainter(ButtonLookup buttons, std::unique_ptr<PreviewRandom> random = nullptr);

    // One 50 ms step of the engine, drawn on the buttons.
    void Tick(const PreviewInput& input);
    // Starts the animation from its initial state at the next tick.
    void Restart() { engine_.PreviewReset(); }
    // Removes the tint of every button of the keyboard picture (G6..G9 and
    // the keys the preview does not animate included) and releases any that
    // shows pressed.
    void ClearAll();

    int ticks() const { return ticks_; }
    // Buttons whose tint the last tick changed.
    int lastChanged() const { return lastChanged_; }
    const PreviewEngine& engine() const { return engine_; }

  private:
    ButtonLookup buttons_;
    PreviewEngine engine_;
    int ticks_ = 0;
    int lastChanged_ = 0;
};

}  // namespace lighting::ui
