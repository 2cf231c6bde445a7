// PerKeyPainting.cpp - per-key colours on the key buttons and the mode-20
// controls of the lighting panel.
#include "lighting/ui/PerKeyPainting.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalBlocker>

#include "lighting/ui/LightingPanelHost.h"
#include "lighting/ui/WriteOutcome.h"
#include "widgets/ButtonStroke.h"
#include "widgets/CPngButton.h"
#include "widgets/ColourButton.h"
#include "widgets/PictureSwitch.h"

namespace lighting::ui {
namespace {

QColor ToQColor(Colour c) {
    return QColor(Red(c), Green(c), Blue(c));
}
Colour FromQColor(const QColor& c) {
    return MakeColour(c.red(), c.green(), c.blue());
}

}  // namespace

PerKeyPainting::PerKeyPainting(Lighting& lighting, LightingPanelHost& host, std::string userPrefix,
                               std::string templateFile, PerKeyControls controls,
                               std::function<bool()> panelShown, std::function<void(bool)> wrote,
                               QObject* parent)
    : QObject(parent),
      lighting_(lighting),
      host_(host),
      controls_(controls),
      panelShown_(std::move(panelShown)),
      wrote_(std::move(wrote)),
      modes_(lighting, std::move(userPrefix), std::move(templateFile), this),
      stroke_(new widgets::ButtonStroke(this)) {
    connect(stroke_, &widgets::ButtonStroke::strokeStarted, this, &PerKeyPainting::strokeStarted);
    connect(stroke_, &widgets::ButtonStroke::entered, this, &PerKeyPainting::strokeEntered);

    auto report = [this](auto write) { wrote_(WriteReachedKeyboard(write)); };
    if (QComboBox* list = controls_.userModeList) {
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        connect(list, &QComboBox::activated, this, [this, report](int index) {
            report([&] { return modes_.SelectUserMode(index); });
        });
        connect(list->lineEdit(), &QLineEdit::textEdited, this,
                [this](const QString& text) { modes_.RenameUserMode(text.toStdString()); });
    }
    if (controls_.baseColour)
        connect(controls_.baseColour, &widgets::ColourButton::colourChosen, this,
                [this, report](const QColor& c) {
                    report([&] { return modes_.SetBaseColour(FromQColor(c)); });
                });
    if (controls_.paintColour)
        connect(controls_.paintColour, &widgets::ColourButton::colourChosen, this,
                [this](const QColor& c) { modes_.SetPaintColour(FromQColor(c)); });
    if (controls_.tool0)
        connect(controls_.tool0, &QAbstractButton::clicked, this, [this] { modes_.SetTool(0); });
    if (controls_.tool1)
        connect(controls_.tool1, &QAbstractButton::clicked, this, [this] { modes_.SetTool(1); });
}

PerKeyPainting::~PerKeyPainting() = default;

void PerKeyPainting::AttachKeyButtons() {
    auto attach = [this](ButtonRef ref) {
        if (widgets::CPngButton* button = host_.keyButton(ref)) {
            if (refOf_.emplace(button, ref).second)
                stroke_->addButton(button);
        }
    };
    for (int i = 0; i < kKeyButtonCount; ++i) attach({ButtonRef::KeyButton, uint8_t(i)});
    for (int g = 0; g < 5; ++g) attach({ButtonRef::GButton, uint8_t(g)});  // G6..G9 never paint
    attach({ButtonRef::FnButton, 0});
}

bool PerKeyPainting::painting() const {
    return panelShown_() && lighting_.state().mode == kPerKeyMode && modes_.Offered();
}

bool PerKeyPainting::KeyClicked(ButtonRef button) {
    return KeyClicked(button, QGuiApplication::keyboardModifiers() & Qt::ControlModifier);
}

bool PerKeyPainting::KeyClicked(ButtonRef button, bool ctrlHeld) {
    if (!panelShown_())
        return false;
    if (button.kind == ButtonRef::GButton && button.index >= 5)
        return false;
    // The release that ends a drag over its first key: that key was painted
    // when the pointer left it.
    bool endsStroke = strokeOrigin_ && originPainted_ && refOf_.count(strokeOrigin_) &&
                      refOf_.at(strokeOrigin_) == button;
    strokeOrigin_ = nullptr;
    if (endsStroke)
        return true;
    if (ctrlHeld) {
        if (painting())
            pickColourOf(button);
        return true;
    }
    paint(button);
    return true;
}

void PerKeyPainting::paint(ButtonRef button) {
    if (!modes_.Offered())
        return;
    modes_.PaintKey(button);
}

void PerKeyPainting::pickColourOf(ButtonRef button) {
    int slot = LedSlotOf(button);
    if (slot < 0)
        return;
    Colour colour = lighting_.keyColours().Get(lighting_.profile(), slot);
    modes_.SetPaintColour(colour);
    // The picked colour is meant for the next stroke, so painting switches
    // to the paint colour.
    if (modes_.tool() != 0)
        modes_.SetTool(0);
    ShowControls();
}

void PerKeyPainting::strokeStarted(widgets::CPngButton* button) {
    strokeOrigin_ = button;
    originPainted_ = false;
}

void PerKeyPainting::strokeEntered(widgets::CPngButton* button) {
    if (!painting() || (QGuiApplication::keyboardModifiers() & Qt::ControlModifier))
        return;
    auto it = refOf_.find(button);
    if (it == refOf_.end())
        return;
    if (strokeOrigin_ && !originPainted_) {
        originPainted_ = true;
        auto origin = refOf_.find(strokeOrigin_);
        if (origin != refOf_.end())
            paint(origin->second);
    }
    paint(it->second);
}

void PerKeyPainting::ShowButtonColour(ButtonRef button, Colour colour) {
    if (widgets::CPngButton* b = host_.keyButton(button))
        b->setTint(ToQColor(colour));
}

void PerKeyPainting::ShowUserModeNames(const std::array<std::string, kUserModeCount>& names) {
    QComboBox* list = controls_.userModeList;
    if (!list)
        return;
    QSignalBlocker block(list);
    list->clear();
    for (const std::string& name : names) list->addItem(QString::fromStdString(name));
    list->setCurrentIndex(modes_.currentMode());
}

void PerKeyPainting::ReplaceUserModeName(int index, const std::string& name) {
    QComboBox* list = controls_.userModeList;
    if (!list || index < 0 || index >= list->count())
        return;
    QSignalBlocker block(list);
    // Keep the cursor where the user is typing.
    int cursor = list->lineEdit() ? list->lineEdit()->cursorPosition() : 0;
    list->setItemText(index, QString::fromStdString(name));
    if (list->lineEdit() && index == list->currentIndex()) {
        list->lineEdit()->setText(QString::fromStdString(name));
        list->lineEdit()->setCursorPosition(cursor);
    }
}

void PerKeyPainting::ShowUserModeControls(int index, Colour base, Colour paint, int tool) {
    if (QComboBox* list = controls_.userModeList) {
        QSignalBlocker block(list);
        if (index >= 0 && index < list->count())
            list->setCurrentIndex(index);
    }
    if (controls_.baseColour)
        controls_.baseColour->setColour(ToQColor(base));
    if (controls_.paintColour)
        controls_.paintColour->setColour(ToQColor(paint));
    if (controls_.tool0)
        controls_.tool0->setChecked(tool == 0);
    if (controls_.tool1)
        controls_.tool1->setChecked(tool != 0);
}

void PerKeyPainting::ShowControls() {
    ShowUserModeControls(modes_.currentMode(), lighting_.state().baseColour,
                         lighting_.state().paintColour, modes_.tool());
}

}  // namespace lighting::ui
