// LightingPanel.cpp - the lighting panel's controls, their placement and
// pictures, and every event turned into a lighting write.
#include "lighting/ui/LightingPanel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QWidget>

#include <algorithm>

#include "lighting/ui/LightingPanelHost.h"
#include "lighting/ui/PerKeyPainting.h"
#include "lighting/ui/PreviewPainter.h"
#include "lighting/ui/WriteOutcome.h"
#include "settings/LanguageTables.h"
#include "settings/SettingsValues.h"
#include "widgets/BitmapSlider.h"
#include "widgets/CPngButton.h"
#include "widgets/ColourButton.h"
#include "widgets/PictureSwitch.h"
#include "widgets/Placement.h"
#include "widgets/SkinSheets.h"
#include "widgets/SkinStyle.h"

namespace lighting::ui {
namespace {

QColor ToQColor(Colour c) {
    return QColor(Red(c), Green(c), Blue(c));
}
Colour FromQColor(const QColor& c) {
    return MakeColour(c.red(), c.green(), c.blue());
}

// The controls laid out from the skin that nothing ever shows: the trigger
// group and three further colour groups.
constexpr const char* kNeverShownKeys[] = {
    "CONTROL_FYCFStatic",   "CONTROL_FYdjcfStatic", "CONTROL_FYdjcfStaPic", "CONTROL_FYggcfStatc",
    "CONTROL_FYggcfStaPic", "CONTROL_JTysStatic",   "CONTROL_JTysButton",   "CONTROL_TSysStatic",
    "CONTROL_TSysButton",   "CONTROL_TSsjsStatic",  "CONTROL_TSsjsStaPic",  "CONTROL_CDysStatic",
    "CONTROL_CDysButton",   "CONTROL_CDsjsStatic",  "CONTROL_CDsjsStaPic",
};

// Reads a number the way "%d" does: optional blanks, a sign, digits; nothing
// when no digit follows.
std::optional<long long> ScanDecimal(const QString& text) {
    int i = 0;
    while (i < text.size() && text[i].isSpace()) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    int digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits)
        value = std::min<long long>(value * 10 + (text[i].unicode() - '0'), 1'000'000);
    if (digits == 0)
        return std::nullopt;
    return negative ? -value : value;
}

}  // namespace

// Every picture of the panel, loaded once. A file that is missing leaves its
// control blank.
struct LightingPanel::Pictures {
    struct Pair {
        QPixmap off, on;
    };
    Pair panelSwitch;
    std::array<std::array<Pair, 2>, 3> direction;  // set, left/right
    std::array<Pair, 4> colourChoice;
    Pair multiColour;
    std::array<Pair, 2> tools;
    QVector<QPixmap> brightness, speed;
    std::array<QPixmap, 8> presets;

    Pictures(const QString& folder, qreal dpr) {
        auto load = [&](const QString& name) {
            auto picture = widgets::LoadSkinPicture(folder, name, dpr);
            return picture ? picture->pixmap() : QPixmap();
        };
        auto pair = [&](const char* off, const char* on) { return Pair{load(off), load(on)}; };
        panelSwitch = pair("dengup.bmp", "dengdown.bmp");
        direction[int(DirectionSet::LeftRight)] = {pair("leftup.bmp", "leftdown.bmp"),
                                                   pair("rightup.bmp", "rightdown.bmp")};
        direction[int(DirectionSet::UpDown)] = {pair("upup.bmp", "updown.bmp"),
                                                pair("downup.bmp", "downdown.bmp")};
        direction[int(DirectionSet::SpreadGather)] = {pair("kuosan.bmp", "kuosandown.bmp"),
                                                      pair("julong.bmp", "julongdown.bmp")};
        colourChoice = {pair("hong.bmp", "hongok.bmp"), pair("huang.bmp", "huangok.bmp"),
                        pair("lv.bmp", "lvok.bmp"), pair("lan.bmp", "lanok.bmp")};
        multiColour = pair("sjsup.bmp", "sjsdown.bmp");
        tools = {pair("user1up.bmp", "user1down.bmp"), pair("user2up.bmp", "user2down.bmp")};
        for (int i = 0; i <= 5; ++i) brightness.push_back(load(QString("%1.bmp").arg(i)));
        for (int i = 6; i <= 11; ++i) speed.push_back(load(QString("%1.bmp").arg(i)));
        for (int n = 0; n < 8; ++n) presets[n] = load(QString("Color%1.bmp").arg(n + 1));
    }
};

LightingPanel::LightingPanel(Lighting& lighting, LightingPanelHost& host, LightingPanelSetup setup,
                             QObject* parent)
    : QObject(parent), lighting_(lighting), host_(host), setup_(std::move(setup)) {
    if (!setup_.texts) {
        static const settings::LanguageTextSource programTexts;
        setup_.texts = &programTexts;
    }
    if (!setup_.readPanelOn)
        setup_.readPanelOn = [] { return settings::ReadPanelOn(); };
    if (!setup_.writePanelOn)
        setup_.writePanelOn = [](bool on) { settings::WritePanelOn(on); };
    if (!lighting_.readPanelOn)
        lighting_.readPanelOn = setup_.readPanelOn;

    pictures_ = std::make_unique<Pictures>(setup_.skinFolder, setup_.window->devicePixelRatioF());
    preview_ = std::make_unique<PreviewPainter>([this](ButtonRef b) { return host_.keyButton(b); });
    createControls();
    placeAll();

    PerKeyControls perKey{userModeList_, paintColour_, baseColour_, tool0_, tool1_};
    painting_ = std::make_unique<PerKeyPainting>(
        lighting_, host_, setup_.userLightModePrefix, setup_.templateLightModeFile, perKey,
        [this] { return isShown(); }, [this](bool ok) { wrote(ok); });
    painting_->AttachKeyButtons();

    connectEvents();
    previewTimer_.setInterval(100);  // the first tick waits a little longer
    connect(&previewTimer_, &QTimer::timeout, this, [this] {
        previewTimer_.setInterval(50);
        PreviewTick();
    });
    Relabel();
    RefreshPanel();
}

LightingPanel::~LightingPanel() = default;

UserLightModes& LightingPanel::userModes() {
    return painting_->modes();
}

bool LightingPanel::isShown() const {
    return lighting_.state().panelOn;
}

// ---- controls -------------------------------------------------------------

QLabel* LightingPanel::makeLabel(const char* key) {
    auto* label = new QLabel(setup_.window);
    label->setObjectName(key);
    QFont font = label->font();
    font.setPointSize(9);
    label->setFont(font);
    label->setStyleSheet(
        QString("color: %1; background: transparent;").arg(widgets::skin::kText.name()));
    return label;
}

widgets::PictureSwitch* LightingPanel::makeSwitch(const char* key, bool checkable) {
    auto* picture = new widgets::PictureSwitch(setup_.window);
    picture->setObjectName(key);
    picture->setCheckable(checkable);
    picture->setFocusPolicy(Qt::TabFocus);
    return picture;
}

widgets::ColourButton* LightingPanel::makeColourButton(const char* key) {
    auto* button = new widgets::ColourButton(setup_.window);
    button->setObjectName(key);
    return button;
}

void LightingPanel::createControls() {
    QWidget* w = setup_.window;
    const Pictures& p = *pictures_;

    title_ = makeLabel("CONTROL_DengStatic");
    QFont heading = title_->font();
    heading.setBold(true);
    heading.setPointSize(10);
    title_->setFont(heading);
    panelSwitch_ = makeSwitch("CONTROL_DengStaPic");
    panelSwitch_->setPictures(p.panelSwitch.off, p.panelSwitch.on);

    modeList_ = new QComboBox(w);
    modeList_->setObjectName("CONTROL_XGcombox");
    modeList_->setMaxVisibleItems(20);

    brightnessLabel_ = makeLabel("CONTROL_LightStatic");
    brightness_ = new widgets::BitmapSlider(w);
    brightness_->setObjectName("CONTROL_LightSlider");
    brightness_->setPictures(p.brightness);
    brightness_->setRange(0, 5);
    speedLabel_ = makeLabel("CONTROL_SpeedStatic");
    speed_ = new widgets::BitmapSlider(w);
    speed_->setObjectName("CONTROL_SpeedSlider");
    speed_->setPictures(p.speed);
    speed_->setRange(0, 5);

    directionLabel_ = makeLabel("CONTROL_BLFXStatic");
    directionLeft_ = makeSwitch("CONTROL_BLFXLStaPic");
    directionRight_ = makeSwitch("CONTROL_BLFXRStaPic");

    fyColourLabel_ = makeLabel("CONTROL_FYYSStatic");
    fyColour_ = makeColourButton("CONTROL_FYYSButton");
    fyMultiLabel_ = makeLabel("CONTROL_FYSJSStatic");
    fyMulti_ = makeSwitch("CONTROL_FYSJSStaPic");
    fyMulti_->setPictures(p.multiColour.off, p.multiColour.on);
    hxColourLabel_ = makeLabel("CONTROL_HXysStatic");
    hxColour_ = makeColourButton("CONTROL_HXysButton");
    hxMultiLabel_ = makeLabel("CONTROL_HXsjsStatic");
    hxMulti_ = makeSwitch("CONTROL_HXsjsStaPic");
    hxMulti_->setPictures(p.multiColour.off, p.multiColour.on);

    const char* choiceKeys[] = {"CONTROL_HONGPIC", "CONTROL_HUANGPIC", "CONTROL_LVPIC",
                                "CONTROL_LANPIC"};
    for (int k = 0; k < 4; ++k) {
        colourChoice_[k] = makeSwitch(choiceKeys[k]);
        colourChoice_[k]->setPictures(p.colourChoice[k].off, p.colourChoice[k].on);
    }

    paintLabel_ = makeLabel("CONTROL_USERysStatic");
    paintColour_ = makeColourButton("CONTROL_USERysButton");
    baseLabel_ = makeLabel("CONTROL_USERjsStatic");
    baseColour_ = makeColourButton("CONTROL_USERjsButton");
    toolLabel_ = makeLabel("CONTROL_USERgjStatic");
    tool0_ = makeSwitch("CONTROL_USERgjStaPic1");
    tool0_->setPictures(p.tools[0].off, p.tools[0].on);
    tool1_ = makeSwitch("CONTROL_USERgjStaPic2");
    tool1_->setPictures(p.tools[1].off, p.tools[1].on);
    userModeList_ = new QComboBox(w);
    userModeList_->setObjectName("CONTROL_umCombo");

    for (int n = 0; n < 8; ++n) {
        QByteArray key = "CONTROL_Color" + QByteArray::number(n + 1);
        presets_[n] = makeSwitch(key.constData(), false);
        presets_[n]->setPictures(p.presets[n], p.presets[n]);
        presets_[n]->setCursor(Qt::PointingHandCursor);
    }
    rgbLabel_ = makeLabel("CONTROL_RGBStatic");
    const char* rgbKeys[] = {"COLOR_R", "COLOR_G", "COLOR_B"};
    for (int i = 0; i < 3; ++i) {
        rgb_[i] = new QLineEdit(w);
        rgb_[i]->setObjectName(rgbKeys[i]);
        rgb_[i]->setAlignment(Qt::AlignCenter);
        rgb_[i]->setMaxLength(8);
    }

    usbLabel_ = makeLabel("CONTROL_UsbStatic");

    for (const char* key : kNeverShownKeys) {
        QLabel* hidden = makeLabel(key);
        neverShown_.push_back(hidden);
    }
}

void LightingPanel::placeAll() {
    const std::string& ini = setup_.skinIniFile;
    const auto section = widgets::kButtonInfoSection;
    auto place = [&](QWidget* control) {
        widgets::PlaceControl(control, ini, section, control->objectName().toStdString());
    };
    for (QWidget* c : std::initializer_list<QWidget*>{
             usbLabel_, rgbLabel_, title_, panelSwitch_, modeList_, brightnessLabel_, brightness_,
             speedLabel_, speed_, directionLabel_, directionLeft_, directionRight_, fyColourLabel_,
             fyColour_, fyMulti_, fyMultiLabel_})
        place(c);
    for (QWidget* c : colourChoice_) place(c);
    for (QWidget* c : std::initializer_list<QWidget*>{
             hxColourLabel_, hxColour_, hxMultiLabel_, hxMulti_, paintLabel_, paintColour_,
             baseLabel_, baseColour_, toolLabel_, tool0_, tool1_})
        place(c);
    for (QWidget* c : presets_) place(c);
    for (QWidget* c : rgb_) place(c);
    place(userModeList_);
    for (QWidget* c : neverShown_) {
        place(c);
        c->hide();
    }
}

void LightingPanel::connectEvents() {
    connect(panelSwitch_, &QAbstractButton::clicked, this, &LightingPanel::panelSwitchClicked);
    connect(modeList_, &QComboBox::activated, this, &LightingPanel::modeChosen);
    connect(brightness_, &widgets::BitmapSlider::positionChanged, this,
            [this](int q) { write([&] { return lighting_.MoveBrightnessSlider(q); }); });
    connect(speed_, &widgets::BitmapSlider::positionChanged, this,
            [this](int q) { write([&] { return lighting_.MoveSpeedSlider(q); }); });
    connect(directionLeft_, &QAbstractButton::clicked, this, [this] {
        write([&] { return lighting_.SetDirection(kDirectionLeft); });
        showDirection();
    });
    connect(directionRight_, &QAbstractButton::clicked, this, [this] {
        write([&] { return lighting_.SetDirection(kDirectionRight); });
        showDirection();
    });
    connect(fyColour_, &widgets::ColourButton::colourChosen, this, [this](const QColor& c) {
        write([&] { return lighting_.PickColourFY(FromQColor(c)); });
        showMultiColour();
    });
    connect(hxColour_, &widgets::ColourButton::colourChosen, this, [this](const QColor& c) {
        write([&] { return lighting_.PickColourHX(FromQColor(c)); });
        showMultiColour();
    });
    connect(hxMulti_, &QAbstractButton::clicked, this, [this] {
        write([&] { return lighting_.ToggleMultiColourHX(); });
        showMultiColour();
    });
    connect(fyMulti_, &QAbstractButton::clicked, this, [this] {
        write([&] { return lighting_.ToggleMultiColourFY(); });
        showMultiColour();
    });
    for (int k = 0; k < 4; ++k)
        connect(colourChoice_[k], &QAbstractButton::clicked, this, [this, k] {
            write([&] { return lighting_.ClickColourChoice(k); });
            showColourChoice();
        });
    for (int n = 0; n < 8; ++n)
        connect(presets_[n], &QAbstractButton::clicked, this, [this, n] { presetClicked(n + 1); });
    for (QLineEdit* field : rgb_)
        connect(field, &QLineEdit::textEdited, this, [this, field] { rgbEdited(field); });
}

// ---- writes and their outcome ---------------------------------------------

template <typename Write>
void LightingPanel::write(Write&& write) {
    wrote(WriteReachedKeyboard(std::forward<Write>(write)));
}

void LightingPanel::wrote(bool reached) {
    if (reached == !writeFailed_)
        return;
    writeFailed_ = !reached;
    showTitle();
}

// After a write the keyboard did not take, the title says so until a write
// goes through: the controls show the new value, the keyboard the old one.
void LightingPanel::showTitle() {
    const settings::TextSource& t = *setup_.texts;
    QColor colour = writeFailed_ ? widgets::skin::kWarning : widgets::skin::kHeading;
    title_->setText(QString::fromStdString(t.Light(writeFailed_ ? "WriteFailed" : "Deng")));
    title_->setToolTip(writeFailed_ ? QString::fromStdString(t.Light("WriteFailedTip"))
                                    : QString());
    title_->setStyleSheet(QString("color: %1; background: transparent;").arg(colour.name()));
}

// ---- reads and refresh ----------------------------------------------------

int LightingPanel::ReadOnArrival() {
    int result = userModes().ReadOnArrival([this] { RefreshPanel(); });
    if (result != 0)
        fillModeList();
    return result;
}

int LightingPanel::ReadOnProfileSwitch() {
    int result = userModes().ReadOnProfileSwitch([this] { RefreshPanel(); });
    if (result != 0)
        fillModeList();
    if (isShown())
        HidePanel();
    return result;
}

int LightingPanel::ReadAgain() {
    int result = lighting_.ReadLighting();
    if (result == 0)
        RefreshPanel();
    else
        fillModeList();
    return result;
}

void LightingPanel::fillModeList() {
    QSignalBlocker block(modeList_);
    modeList_->clear();
    const ModeTable& modes = lighting_.modes();
    for (int i = 0; i < modes.size(); ++i)
        modeList_->addItem(QString::fromStdString(setup_.texts->Mode(modes.ModeAt(i))));
}

void LightingPanel::RefreshPanel() {
    const LightingState& s = lighting_.state();
    fillModeList();
    showSliders();
    fyColour_->setColour(ToQColor(s.colours[FYColourButton]));
    hxColour_->setColour(ToQColor(s.colours[HXColourButton]));
    showMultiColour();
    showColourChoice();
    painting_->ShowControls();
    {
        QSignalBlocker block(modeList_);
        modeList_->setCurrentIndex(lighting_.modes().ModeIndex(s.mode));
    }
    placeDirectionControls();
    showDirection();
    if (isShown() && s.mode == kPerKeyMode)
        userModes().ShowKeyColours();
    panelSwitch_->setChecked(isShown());
    applyVisibility();
    updatePreviewTimer();
}

void LightingPanel::showSliders() {
    const LightingState& s = lighting_.state();
    brightness_->setPosition(std::clamp<int>(s.brightness, 0, 5));
    speed_->setPosition(std::clamp(5 - int(s.speed), 0, 5));
}

void LightingPanel::showMultiColour() {
    bool on = lighting_.state().multiColourHX;
    hxMulti_->setChecked(on);
    fyMulti_->setChecked(on);
}

void LightingPanel::showColourChoice() {
    for (int k = 0; k < 4; ++k) colourChoice_[k]->setChecked(k == lighting_.state().colourChoice);
}

void LightingPanel::placeDirectionControls() {
    std::string suffix = DirectionPlacementSuffix(lighting_.state().mode);
    const auto section = widgets::kButtonInfoSection;
    const std::string& ini = setup_.skinIniFile;
    widgets::MoveControlKeepSize(directionLabel_, ini, section, "CONTROL_BLFXStatic" + suffix);
    widgets::MoveControlKeepSize(directionLeft_, ini, section, "CONTROL_BLFXLStaPic" + suffix);
    widgets::MoveControlKeepSize(directionRight_, ini, section, "CONTROL_BLFXRStaPic" + suffix);
}

void LightingPanel::showDirection() {
    const auto& set = pictures_->direction[int(DirectionSetOf(lighting_.state().mode))];
    directionLeft_->setPictures(set[0].off, set[0].on);
    directionRight_->setPictures(set[1].off, set[1].on);
    bool left = lighting_.state().direction == kDirectionLeft;
    directionLeft_->setChecked(left);
    directionRight_->setChecked(!left);
    const settings::TextSource& t = *setup_.texts;
    static const char* const names[3][2] = {
        {"Left", "Right"}, {"Up", "Down"}, {"Spread", "Gather"}};
    int index = int(DirectionSetOf(lighting_.state().mode));
    directionLeft_->setAccessibleName(QString::fromStdString(t.Light(names[index][0])));
    directionRight_->setAccessibleName(QString::fromStdString(t.Light(names[index][1])));
    directionLeft_->setToolTip(directionLeft_->accessibleName());
    directionRight_->setToolTip(directionRight_->accessibleName());
}

void LightingPanel::applyVisibility() {
    PanelGroups g = isShown() ? VisibleGroups(lighting_.state().mode) : PanelGroups{};
    auto show = [](std::initializer_list<QWidget*> controls, bool on) {
        for (QWidget* c : controls) c->setVisible(on);
    };
    show({modeList_}, g.modeList);
    show({brightnessLabel_, brightness_}, g.brightness);
    show({speedLabel_, speed_}, g.speed);
    show({directionLabel_, directionLeft_, directionRight_}, g.direction);
    for (QWidget* c : colourChoice_) c->setVisible(g.colourChoice);
    show({fyColourLabel_, fyColour_, fyMultiLabel_, fyMulti_}, g.colourFY);
    show({hxColourLabel_, hxColour_, hxMultiLabel_, hxMulti_}, g.colourHX);
    show({paintLabel_, paintColour_, baseLabel_, baseColour_, toolLabel_, tool0_, tool1_,
          userModeList_},
         g.perKey);
    for (QWidget* c : presets_) c->setVisible(g.presets);
    show({rgbLabel_}, g.presets);
    for (QWidget* c : rgb_) c->setVisible(g.presets);
}

// ---- the panel switch -----------------------------------------------------

void LightingPanel::panelSwitchClicked() {
    if (isShown())
        HidePanel();
    else
        showPanel();
}

void LightingPanel::HidePanel() {
    if (!isShown())
        return;
    setup_.writePanelOn(false);
    lighting_.state().panelOn = false;
    panelSwitch_->setChecked(false);
    clearKeyButtons();
    host_.showProfileAssignments();
    applyVisibility();
    updatePreviewTimer();
}

void LightingPanel::showPanel() {
    if (!host_.confirmCurrentProfile()) {
        panelSwitch_->setChecked(false);
        return;
    }
    setup_.writePanelOn(true);
    lighting_.state().panelOn = true;
    panelSwitch_->setChecked(true);
    clearKeyButtons();
    if (lighting_.state().mode == kPerKeyMode)
        userModes().ShowKeyColours();
    applyVisibility();
    baseColour_->setColour(ToQColor(lighting_.state().baseColour));
    preview_->Restart();
    updatePreviewTimer();
}

void LightingPanel::clearKeyButtons() {
    preview_->ClearAll();
}

// ---- mode selection and the other events ----------------------------------

void LightingPanel::modeChosen(int listIndex) {
    int code = lighting_.modes().ModeAt(listIndex);
    if (listIndex < 0 || code == 0)
        return;
    clearKeyButtons();
    write([&] { return lighting_.SelectMode(code); });
    placeDirectionControls();
    showDirection();
    if (code == kPerKeyMode)
        userModes().ShowKeyColours();
    preview_->Restart();
    applyVisibility();
    updatePreviewTimer();
}

void LightingPanel::presetClicked(int swatch) {
    Colour c = PresetColors[swatch - 1];
    const int parts[3] = {Red(c), Green(c), Blue(c)};
    for (int i = 0; i < 3; ++i) {
        QSignalBlocker block(rgb_[i]);
        rgb_[i]->setText(QString::number(parts[i]));
    }
    write([&] { return lighting_.ClickPreset(swatch); });
}

// The fields are a read-out of red, green and blue: whatever is typed is
// read as a number and kept within 0..255.
void LightingPanel::rgbEdited(QLineEdit* field) {
    std::optional<long long> value = ScanDecimal(field->text());
    if (!value)
        return;
    QString text = QString::number(std::clamp<long long>(*value, 0, 255));
    if (text != field->text()) {
        QSignalBlocker block(field);
        field->setText(text);
    }
}

bool LightingPanel::PaintKey(ButtonRef button) {
    return painting_->KeyClicked(button);
}

void LightingPanel::RestoreDefaults() {
    if (!isShown())
        return;
    {
        QSignalBlocker block(modeList_);
        modeList_->setCurrentIndex(lighting_.modes().ModeIndex(1));
    }
    clearKeyButtons();
    write([&] { return lighting_.SelectMode(1); });
    placeDirectionControls();
    preview_->Restart();
    if (userModes().Offered())
        write([&] { return userModes().ResetUserModes(); });
    write([&] { return lighting_.RestoreDefaultParameters(); });
    const LightingState& s = lighting_.state();
    showSliders();
    showDirection();
    fyColour_->setColour(ToQColor(s.colours[FYColourButton]));
    hxColour_->setColour(ToQColor(s.colours[HXColourButton]));
    showMultiColour();
    showColourChoice();
    painting_->ShowControls();
    applyVisibility();
    updatePreviewTimer();
}

void LightingPanel::Relabel() {
    const settings::TextSource& t = *setup_.texts;
    auto text = [&](const char* key) { return QString::fromStdString(t.Light(key)); };
    showTitle();
    brightnessLabel_->setText(text("Light"));
    speedLabel_->setText(text("Speed"));
    directionLabel_->setText(text("FX"));
    fyColourLabel_->setText(text("Color"));
    fyMultiLabel_->setText(text("DC"));
    hxColourLabel_->setText(text("Color"));
    hxMultiLabel_->setText(text("DC"));
    paintLabel_->setText(text("Color"));
    baseLabel_->setText(text("JColor"));
    toolLabel_->setText(text("Tool"));
    usbLabel_->setText(text("Usb"));
    rgbLabel_->setText("RGB");

    panelSwitch_->setAccessibleName(text("Deng"));
    panelSwitch_->setToolTip(text("Deng"));
    modeList_->setAccessibleName(text("Mode"));
    brightness_->setAccessibleName(text("Light"));
    speed_->setAccessibleName(text("Speed"));
    fyColour_->setAccessibleName(text("Color"));
    hxColour_->setAccessibleName(text("Color"));
    fyMulti_->setAccessibleName(text("DC"));
    hxMulti_->setAccessibleName(text("DC"));
    paintColour_->setAccessibleName(text("Color"));
    baseColour_->setAccessibleName(text("JColor"));
    tool0_->setAccessibleName(text("Tool1"));
    tool1_->setAccessibleName(text("Tool2"));
    tool0_->setToolTip(text("Tool1"));
    tool1_->setToolTip(text("Tool2"));
    userModeList_->setAccessibleName(text("UserMode"));
    const char* choices[] = {"Red", "Yellow", "Green", "Blue"};
    for (int k = 0; k < 4; ++k) {
        colourChoice_[k]->setAccessibleName(text(choices[k]));
        colourChoice_[k]->setToolTip(text(choices[k]));
    }
    for (int n = 0; n < 8; ++n) {
        QString name = text("Preset") + QChar(' ') + QString::number(n + 1);
        presets_[n]->setAccessibleName(name);
        presets_[n]->setToolTip(name);
    }
    const char* fields[] = {"Red", "Green", "Blue"};
    for (int i = 0; i < 3; ++i) rgb_[i]->setAccessibleName(text(fields[i]));
    for (widgets::ColourButton* b : {fyColour_, hxColour_, paintColour_, baseColour_})
        b->setOtherText(text("Other"));
    showDirection();
    const ModeTable& modes = lighting_.modes();
    for (int i = 0; i < modes.size() && i < modeList_->count(); ++i)
        modeList_->setItemText(i, QString::fromStdString(t.Mode(modes.ModeAt(i))));
}

// ---- preview --------------------------------------------------------------

void LightingPanel::setWindowVisible(bool visible) {
    windowVisible_ = visible;
    updatePreviewTimer();
}

// The preview timer runs only while it has something to show: the panel and
// the window are shown and the mode is not the per-key one (whose colours
// stand still on the buttons).
void LightingPanel::updatePreviewTimer() {
    if (isShown() != lastShown_) {
        lastShown_ = isShown();
        emit shownChanged(lastShown_);
    }
    if (!setup_.ownPreviewTimer)
        return;
    bool run = isShown() && windowVisible_ && lighting_.state().mode != kPerKeyMode;
    if (run && !previewTimer_.isActive()) {
        previewTimer_.setInterval(100);
        previewTimer_.start();
    } else if (!run && previewTimer_.isActive()) {
        previewTimer_.stop();
    }
}

void LightingPanel::PreviewTick() {
    if (!isShown())
        return;
    PreviewInput input = lighting_.PreviewState();
    std::array<Colour, preview::kPreviewKeyCount> keyColours{};
    if (input.mode == kPerKeyMode) {
        keyColours = userModes().PreviewKeyColours();
        input.keyColours = &keyColours;
    }
    preview_->Tick(input);
}

}  // namespace lighting::ui
