// PreviewPainter.cpp - drawing the preview engine's frames on the key buttons.
#include "lighting/ui/PreviewPainter.h"

#include "lighting/ButtonRef.h"
#include "widgets/CPngButton.h"

namespace lighting::ui {

PreviewPainter::PreviewPainter(ButtonLookup buttons, std::unique_ptr<PreviewRandom> random)
    : buttons_(std::move(buttons)), engine_(std::move(random)) {}

void PreviewPainter::Tick(const PreviewInput& input) {
    ++ticks_;
    lastChanged_ = 0;
    const PreviewFrame& frame = engine_.PreviewTick(input);
    for (int key = 0; key < preview::kPreviewKeyCount; ++key) {
        widgets::CPngButton* button = buttons_(preview::ButtonOfPreviewKey(key));
        if (!button)
            continue;
        const KeyTint& tint = frame[key];
        // The button's own tint is the truth: per-key colours and clears
        // drawn outside the preview never leave a stale copy here.
        std::optional<QColor> wanted;
        if (tint.lit)
            wanted = QColor(Red(tint.colour), Green(tint.colour), Blue(tint.colour));
        if (button->tint() == wanted)
            continue;
        ++lastChanged_;
        if (wanted)
            button->setTint(*wanted);
        else
            button->clearTint();
    }
}

void PreviewPainter::ClearAll() {
    auto clear = [this](ButtonRef ref) {
        if (widgets::CPngButton* button = buttons_(ref)) {
            button->clearTint();
            button->setDown(false);
        }
    };
    for (int i = 0; i < kKeyButtonCount; ++i) clear({ButtonRef::KeyButton, uint8_t(i)});
    for (int g = 0; g < kGButtonCount; ++g) clear({ButtonRef::GButton, uint8_t(g)});
    clear({ButtonRef::FnButton, 0});
}

}  // namespace lighting::ui
