#include "Keytune_DlgComposite.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTableView>
#include <mutex>
#include <set>

#include "DialogPosition.h"
#include "KeyAssignment.h"
#include "MacroPage.h"
#include "Prompts.h"
#include "keys/KeyEventTranslator.h"
#include "settings/SettingsValues.h"
#include "settings/SkinRect.h"
#include "settings/TextSource.h"
#include "widgets/CPngButton.h"
#include "widgets/Placement.h"

namespace keysui {

using namespace composite;
using widgets::CPngButton;
using widgets::SkinSheet;

namespace {

// The page picture sets, in one list: key, macro, second macro, media and
// function pictures.
const QStringList kSheetFiles = {
    "key_normal.jpg",    "key_over.jpg",    "key_down.jpg",        "macro_normal.jpg",
    "macro_over.jpg",    "macro_down.jpg",  "macro_disable.jpg",   "macro2_normal.jpg",
    "macro2_over.jpg",   "macro2_down.jpg", "macro2_disable.jpg",  "media_normal.jpg",
    "media_over.jpg",    "media_down.jpg",  "function_normal.jpg", "function_over.jpg",
    "function_down.jpg",
};
enum class Set { Key, Macro, Macro2, Media, Function };

// Slots normal, hover, pressed, disabled, checked of each set; the checked
// look (the tab of the current page) is the pressed picture.
std::array<const SkinSheet*, 5> Slots(const widgets::SkinSheets& s, Set set) {
    auto pick = [&](int n, int o, int d, int x) {
        return std::array<const SkinSheet*, 5>{&s[n], &s[o], &s[d], &s[x], &s[d]};
    };
    switch (set) {
        case Set::Key:
            return pick(0, 1, 2, 0);
        case Set::Macro:
            return pick(3, 4, 5, 6);
        case Set::Macro2:
            return pick(7, 8, 9, 10);
        case Set::Media:
            return pick(11, 12, 13, 11);
        case Set::Function:
            return pick(14, 15, 16, 14);
    }
    return {};
}

// The sets are loaded once per run and skin folder; a missing picture ends
// the program.
const widgets::SkinSheets& SheetsFor(const QString& skinFolder) {
    static std::map<QString, widgets::SkinSheets> loaded;
    auto it = loaded.find(skinFolder);
    if (it == loaded.end())
        it = loaded
                 .emplace(skinFolder, widgets::SkinSheets::loadOrExit(skinFolder, kSheetFiles,
                                                                      qApp->devicePixelRatio()))
                 .first;
    return it->second;
}

struct Placed {
    int id;
    const char* skinKey;
};

// Image buttons with the key set (or the macro set for the macro page's own).
constexpr Placed kKeySetButtons[] = {
    {kPagePicture, "CONTROL_MASK"},
    {kTitle, "CONTROL_TITLE"},
    {kOsk, "CONTROL_OSK"},
    {kClear, "CONTROL_CLEAR"},
    {kTabMedia, "CONTROL_MEDIA"},
    {kTabMacro, "CONTROL_MACRO"},
    {kTabKey, "CONTROL_KEY"},
    {kTabFunction, "CONTROL_FUNCTION"},
    {kOk, "CONTROL_OK"},
    {kCancel, "CONTROL_CANCEL"},
    {kApply, "CONTROL2_APPLY"},
};
constexpr Placed kMacroSetButtons[] = {
    {kDeleteMacro, "FUNC_MACRO_DELETE"},   {kAddMacro, "FUNC_MACRO_ADD"},
    {kMoveTop, "FUNC_MACRO_UP_TOP"},       {kMoveUp, "FUNC_MACRO_UP"},
    {kMoveDown, "FUNC_MACRO_DOWN"},        {kMoveBottom, "FUNC_MACRO_DOWN_BOTTOM"},
    {kDeleteAction, "FUNC_MACRO_DELETE2"}, {kClearActions, "FUNC_MACRO_CLEAR"},
    {kRecord, "FUNC_MACRO_RECORD"},
};
constexpr Placed kPlainControls[] = {
    {kRecordDelay, "FUNC_MACRO_RECORD_DELAY"},
    {kActionList, "FUNC_MACRO_LIST2"},
    {kCycles, "FUNC_MACRO_CYCLES"},
    {kCyclesLabel, "FUNC_MACRO_CYCLES_PROMPT"},
    {kKeyPrompt, "TISHI_SINGLE_STATIC"},
    {kMacroPrompt, "MARCO_NAME_SETTING"},
    {kHeading, "KEY_SETTING"},
    {kMediaPrompt, "MEDIA_SETTING_TISHI"},
    {kFunctionPrompt, "FUNCTION_KEY_SETTING_TISHI"},
    {kRecordDelayLabel, "FUNC_MACRO_RECORD_DELAY2"},
    {kKeyField, "FUNC_KEY_INPUT"},
    {kMediaList, "FUNC_MEDIA_SELECT"},
    {kMacroChooser, "FUNC_MACRO_LIST"},
    {kFunctionList, "FUNC_FUNCTION_SELECT"},
    {kKeyboardMode, "FUNC_KEY_RADIO_KB"},
    {kKeyboardLabel, "FUNC_KEY_RADIO_KB_STATIC"},
    {kMouseMode, "FUNC_KEY_RADIO_MOU"},
    {kMouseLabel, "FUNC_KEY_RADIO_MOU_STATIC"},
    {kMouseList, "FUNC_KEY_COMBO_MOU"},
};

// Which controls each page shows.
constexpr int kMacroPageControls[] = {
    kMacroChooser, kActionList,  kAddMacro,         kDeleteMacro,  kRecord,       kMoveTop,
    kMoveUp,       kMoveDown,    kMoveBottom,       kDeleteAction, kClearActions, kCycles,
    kCyclesLabel,  kRecordDelay, kRecordDelayLabel, kMacroPrompt};
constexpr int kKeyPageControls[] = {kKeyPrompt,     kKeyField,   kKeyboardMode, kMouseMode,
                                    kKeyboardLabel, kMouseLabel, kMouseList};
constexpr int kMediaPageControls[] = {kMediaPrompt, kMediaList};
constexpr int kFunctionPageControls[] = {kFunctionPrompt, kFunctionList};

// Captions (and the same tooltips for the action buttons).
struct Caption {
    int id;
    const char* textKey;
    bool tooltipToo;
};
constexpr Caption kCaptions[] = {
    {kTabKey, "SINGLE_KEY", false},     {kTabMacro, "MACRO_SETTING", false},
    {kTabMedia, "MULTI_MEDIA", false},  {kTabFunction, "FUNCTION_KEY", false},
    {kMoveTop, "A_TOP", true},          {kMoveUp, "A_UP", true},
    {kMoveDown, "A_DOWN", true},        {kMoveBottom, "A_BOTTOM", true},
    {kDeleteAction, "A_DELETE", true},  {kClearActions, "A_CLEAR", true},
    {kOk, "MACRO_OK", false},           {kCancel, "MACRO_CANCLE", false},
    {kApply, "COMPOSITE_APPLY", false},
};
constexpr Caption kLabels[] = {
    {kKeyPrompt, "SINGLE_STATIC", false},       {kKeyboardLabel, "IDS_MACRO_KB_KEY", false},
    {kMouseLabel, "IDS_MACRO_MOU_KEY", false},  {kMediaPrompt, "MEDIA_EDIT_TISHI", false},
    {kFunctionPrompt, "FUNCTION_TISHI", false}, {kMacroPrompt, "MACRO_NAME_SETTING", false},
    {kCyclesLabel, "MACRO_CYCLES", false},      {kRecordDelayLabel, "RECORD_DELAY", false},
};
// Accessible names of the controls that show no text of their own.
constexpr Caption kNames[] = {
    {kClear, "COMPOSITE_PROMPT_CLEAR", true},
    {kOsk, "COMPOSITE_PROMPT_OSK", true},
    {kAddMacro, "COMPOSITE_ADD_MACRO", true},
    {kDeleteMacro, "COMPOSITE_DELETE_MACRO", true},
    {kKeyField, "COMPOSITE_KEY_FIELD", false},
    {kKeyboardMode, "IDS_MACRO_KB_KEY", false},
    {kMouseMode, "IDS_MACRO_MOU_KEY", false},
    {kMouseList, "IDS_MACRO_MOU_KEY", false},
    {kMediaList, "MULTI_MEDIA", false},
    {kFunctionList, "FUNCTION_KEY", false},
    {kMacroChooser, "MACRO_SETTING", false},
    {kActionList, "COMPOSITE_ACTION_LIST", false},
    {kCycles, "MACRO_CYCLES", false},
    {kRecordDelay, "RECORD_DELAY", false},
    {kPagePicture, "COMPOSITE_PAGE_PICTURE", false},
    {kTitle, "KEY_SETTING_TISHI", false},
};

constexpr uint8_t kVkLeftWindows = 0x5B, kVkRightWindows = 0x5C, kVkApplication = 0x5D;
constexpr keys::KeyCode kPrintScreen = 0x137;
constexpr const char* kLabelStyle = "color:#E4E4E4; background:transparent;";

}  // namespace

Keytune_DlgComposite::Keytune_DlgComposite(CompositeDialogHost& host,
                                           keys::AssignmentStore& working, keys::Prompts& prompts,
                                           const settings::TextSource& texts, QString skinFolder,
                                           std::string compositeIni, QWidget* parent)
    : widgets::CImgDialogBase(parent),
      host_(host),
      working_(working),
      prompts_(prompts),
      texts_(texts),
      skinFolder_(std::move(skinFolder)),
      iniFile_(std::move(compositeIni)) {
    setModal(true);
    setObjectName("Keytune_DlgComposite");
    createControls();
}

Keytune_DlgComposite::~Keytune_DlgComposite() {
    capture_.setSink(nullptr);
}

QString Keytune_DlgComposite::text(const char* key) const {
    return QString::fromStdString(texts_.Text(key));
}

QWidget* Keytune_DlgComposite::control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

bool Keytune_DlgComposite::placed(int id) const {
    const CPngButton* b = button(id);
    return !b || b->sourceOffset() != QPoint(1, 1);
}

CPngButton* Keytune_DlgComposite::button(int id) const {
    return qobject_cast<CPngButton*>(control(id));
}

void Keytune_DlgComposite::createControls() {
    auto add = [this](int id, QWidget* w) {
        w->setObjectName(QStringLiteral("control%1").arg(id));
        controls_[id] = w;
        return w;
    };
    for (const Placed& p : kKeySetButtons) add(p.id, new CPngButton(this));
    for (const Placed& p : kMacroSetButtons) add(p.id, new CPngButton(this));
    for (int id : {kHeading, kKeyPrompt, kKeyboardLabel, kMouseLabel, kMediaPrompt, kFunctionPrompt,
                   kMacroPrompt, kCyclesLabel, kRecordDelayLabel}) {
        auto* label = new QLabel(this);
        label->setStyleSheet(kLabelStyle);
        label->setWordWrap(true);
        add(id, label);
    }
    keyField_ = static_cast<QLineEdit*>(add(kKeyField, new QLineEdit(this)));
    keyField_->setReadOnly(true);
    keyField_->setAlignment(Qt::AlignCenter);
    keyboardMode_ = static_cast<QCheckBox*>(add(kKeyboardMode, new QCheckBox(this)));
    mouseModeBox_ = static_cast<QCheckBox*>(add(kMouseMode, new QCheckBox(this)));
    mouseList_ = static_cast<QComboBox*>(add(kMouseList, new QComboBox(this)));
    mediaList_ = static_cast<QComboBox*>(add(kMediaList, new QComboBox(this)));
    functionList_ = static_cast<QComboBox*>(add(kFunctionList, new QComboBox(this)));
    chooser_ = static_cast<QComboBox*>(add(kMacroChooser, new QComboBox(this)));
    actions_ = static_cast<QTableView*>(add(kActionList, new QTableView(this)));
    cycles_ = static_cast<QLineEdit*>(add(kCycles, new QLineEdit(this)));
    recordDelay_ = static_cast<QCheckBox*>(add(kRecordDelay, new QCheckBox(this)));
    for (int id : {kTabKey, kTabMacro, kTabMedia, kTabFunction}) button(id)->setCheckable(true);

    macros::ui::MacroPageControls c;
    c.chooser = chooser_;
    c.actions = actions_;
    c.cycles = cycles_;
    c.recordDelay = recordDelay_;
    c.add = button(kAddMacro);
    c.remove = button(kDeleteMacro);
    c.record = button(kRecord);
    c.deleteAction = button(kDeleteAction);
    c.clearActions = button(kClearActions);
    c.top = button(kMoveTop);
    c.up = button(kMoveUp);
    c.down = button(kMoveDown);
    c.bottom = button(kMoveBottom);
    c.setRecordCaption = [this](const QString& caption) { button(kRecord)->setCaption(caption); };
    macroPage_ = std::make_unique<macros::ui::MacroPage>(c, working_, prompts_, texts_);
    connect(macroPage_.get(), &macros::ui::MacroPage::changed, this, [this] { setChanged(true); });

    connect(button(kTabKey), &QAbstractButton::clicked, this, [this] { tab(kPageKey); });
    connect(button(kTabMacro), &QAbstractButton::clicked, this, [this] { tab(kPageMacro); });
    connect(button(kTabMedia), &QAbstractButton::clicked, this, [this] { tab(kPageMedia); });
    connect(button(kTabFunction), &QAbstractButton::clicked, this, [this] { tab(kPageFunction); });
    connect(button(kClear), &QAbstractButton::clicked, this, &Keytune_DlgComposite::clear);
    connect(button(kOsk), &QAbstractButton::clicked, this,
            &Keytune_DlgComposite::openOnScreenKeyboard);
    connect(button(kApply), &QAbstractButton::clicked, this, &Keytune_DlgComposite::apply);
    connect(button(kOk), &QAbstractButton::clicked, this, &Keytune_DlgComposite::ok);
    connect(button(kCancel), &QAbstractButton::clicked, this, &Keytune_DlgComposite::cancel);
    connect(keyboardMode_, &QAbstractButton::clicked, this, [this] {
        chooseMode(false);
        page_ = kPageKey;
    });
    connect(mouseModeBox_, &QAbstractButton::clicked, this, [this] {
        chooseMode(true);
        page_ = kPageKey;
    });
}

int Keytune_DlgComposite::OpenForButton(int controlId) {
    if (int r = showForButton(controlId); r != 1)
        return r;
    return exec();
}

int Keytune_DlgComposite::showForButton(int controlId) {
    macroOnly_ = controlId == kMacroOnlyButton;
    int index = -1;
    for (int g = 0; g < keys::kGButtonCount; ++g)
        if (keys::GButtonTable[static_cast<size_t>(g)] == controlId)
            index = keys::kFirstGKeyIndex + g + (host_.gKeyLayer() ? keys::kGButtonCount : 0);
    if (index < 0)
        for (const keys::KeyButton& b : keys::KeyButtonTable)
            if (b.controlId == controlId)
                index = keys::CodeToIndex(b.key);
    if (index < 0)
        return -1;
    keyIndex_ = static_cast<keys::KeyIndex>(index);
    areaOffset_ = 0;
    buttonId_ = controlId;
    if (host_.colourSelectionMode()) {
        host_.toggleKeySelection(controlId);
        return 0;
    }
    host_.setButtonDown(controlId, true);
    initialise();
    show();
    return 1;
}

void Keytune_DlgComposite::initialise() {
    ++openCount_;
    if (sheets_.size() == 0) {
        sheets_ = SheetsFor(skinFolder_);
        if (!InitSkinnedWindow(iniFile_, skinFolder_)) {
            const settings::SkinScreen picture = settings::ReadSkinScreen(iniFile_);
            widgets::ExitForMissingSkinPicture(skinFolder_ + "/" +
                                               QString::fromStdString(picture.main.value_or("")));
        }
        applyFonts();
    }
    placeControls();
    fillLists();
    cycles_->setText(QStringLiteral("1"));
    macroPage_->load();

    keys::KeyAssignment record;
    {
        std::lock_guard<std::recursive_mutex> guard(working_.lock());
        if (const keys::KeyAssignment* r =
                keys::RecordAt(working_, host_.currentProfile() + areaOffset_, keyIndex_))
            record = *r;
    }
    page_ = record.type;
    loadedData_ = record.data;
    loadedAux_ = record.aux;
    macroShown_ = false;

    for (const Placed& p : kKeySetButtons) button(p.id)->setEnabled(placed(p.id));
    for (int id : {kTabKey, kTabMedia, kTabFunction, kClear})
        if (macroOnly_)
            button(id)->setEnabled(false);
    if (macroOnly_)
        page_ = kPageMacro;
    captured_ = keys::kNoKey;
    keyField_->clear();
    showPage(true);
    setChanged(false);
    position();
    retranslate();
}

void Keytune_DlgComposite::placeControls() {
    for (const Placed& p : kKeySetButtons)
        widgets::PlaceSkinButton(button(p.id), iniFile_, widgets::kButtonInfoSection, p.skinKey,
                                 Slots(sheets_, Set::Key));
    for (const Placed& p : kMacroSetButtons)
        widgets::PlaceSkinButton(button(p.id), iniFile_, widgets::kButtonInfoSection, p.skinKey,
                                 Slots(sheets_, Set::Macro));
    for (const Placed& p : kPlainControls)
        widgets::PlaceControl(control(p.id), iniFile_, widgets::kButtonInfoSection, p.skinKey);
}

void Keytune_DlgComposite::applyFonts() {
    QFont base = QApplication::font();
    base.setStyleHint(QFont::SansSerif);
    base.setWeight(QFont::Normal);
    auto sized = [&](qreal points) {
        QFont f = base;
        f.setPointSizeF(points);
        return f;
    };
    keyField_->setFont(sized(18));
    for (QWidget* w : {static_cast<QWidget*>(mediaList_), static_cast<QWidget*>(mouseList_),
                       static_cast<QWidget*>(functionList_), static_cast<QWidget*>(chooser_)})
        w->setFont(sized(12));
    actions_->setFont(sized(8));
    for (int id : {kHeading, kMacroPrompt, kKeyPrompt, kMediaPrompt, kFunctionPrompt})
        control(id)->setFont(sized(10.8));
    const QFont captions = sized(9);
    for (const auto& [id, w] : controls_)
        if (auto* b = qobject_cast<CPngButton*>(w))
            b->setCaptionFont(captions);
}

void Keytune_DlgComposite::fillLists() {
    auto fill = [](QComboBox* list, const QStringList& items) {
        list->clear();
        list->addItems(items);
        list->setCurrentIndex(0);
    };
    QStringList media, functions, mouse;
    for (const keys::MediaKey& m : keys::MediaKeyList)
        media << QString::fromStdString(keys::KeyName(m.key, texts_));
    for (const keys::KeyboardFunction& f : keys::KeyboardFunctionList) functions << text(f.nameKey);
    for (const keys::MouseFunction& m : keys::MouseFunctionList) mouse << text(m.nameKey);
    fill(mediaList_, media);
    fill(functionList_, functions);
    fill(mouseList_, mouse);
}

void Keytune_DlgComposite::position() {
    QRect screen;
    QPoint p;
    if (macroOnly_) {
        const QRect main = host_.mainWindowScreenRect();
        QScreen* s = QGuiApplication::screenAt(main.center());
        screen = (s ? s : QGuiApplication::primaryScreen())->geometry();
        p = DialogPositionCentred(screen, size());
    } else {
        const QRect b = host_.buttonScreenRect(buttonId_);
        QScreen* s = QGuiApplication::screenAt(b.center());
        screen = (s ? s : QGuiApplication::primaryScreen())->geometry();
        p = DialogPositionBeside(screen, b, size());
    }
    move(p);
}

void Keytune_DlgComposite::showPage(bool loading) {
    const bool keyPage = page_ != kPageMacro && page_ != kPageMedia && page_ != kPageFunction;
    Set picture = Set::Key;
    if (!keyPage) {
        capture_.setSink(nullptr);
    }
    if (page_ != kPageMacro)
        macroPage_->stopRecording();
    switch (page_) {
        case kPageMacro:
            picture = Set::Macro;
            if (loading) {
                macroPage_->selectMacroById(static_cast<uint16_t>(loadedData_ & 0xFFFF));
                macroShown_ = true;
            } else if (!macroShown_) {
                // The first look at the page shows the first macro.
                if (macroPage_->current() < 0)
                    macroPage_->selectMacroById(0);
                macroShown_ = true;
            }
            break;
        case kPageMedia:
            picture = Set::Media;
            if (loading && loadedData_ >= 0 && loadedData_ < mediaList_->count())
                mediaList_->setCurrentIndex(loadedData_);
            break;
        case kPageFunction:
            picture = Set::Function;
            if (loading && loadedData_ >= 0 && loadedData_ < functionList_->count())
                functionList_->setCurrentIndex(loadedData_);
            break;
        default:
            capture_.setSink(this);
            if (loading)
                captured_ = static_cast<keys::KeyCode>(loadedData_);
            if (page_ == kPageKey) {
                int mouse = -1;
                for (int i = 0; i < keys::kMouseFunctionCount; ++i)
                    if (keys::MouseFunctionList[static_cast<size_t>(i)].key == captured_)
                        mouse = i;
                if (mouse >= 0) {
                    mouseList_->setCurrentIndex(mouse);
                    chooseMode(true);
                } else {
                    if (captured_ != keys::kNoKey)
                        keyField_->setText(
                            QString::fromStdString(keys::KeyName(captured_, texts_)));
                    chooseMode(false);
                }
            } else if (loading || page_ == kPageNone) {
                chooseMode(false);
            }
            break;
    }

    widgets::PlaceSkinButton(button(kPagePicture), iniFile_, widgets::kButtonInfoSection,
                             "CONTROL_MASK", Slots(sheets_, picture));
    const Set tabs = page_ == kPageMacro ? Set::Macro2 : Set::Key;
    const std::pair<int, const char*> retinted[] = {{kTabKey, "CONTROL_KEY"},
                                                    {kTabMedia, "CONTROL_MEDIA"},
                                                    {kTabFunction, "CONTROL_FUNCTION"},
                                                    {kTitle, "CONTROL_TITLE"},
                                                    {kClear, "CONTROL_CLEAR"}};
    for (const auto& [id, key] : retinted)
        widgets::PlaceSkinButton(button(id), iniFile_, widgets::kButtonInfoSection, key,
                                 Slots(sheets_, tabs));

    auto show = [this](auto&& ids, bool on) {
        for (int id : ids) {
            QWidget* w = control(id);
            // A skin button the skin does not place stays hidden.
            w->setVisible(on && placed(id));
        }
    };
    show(kMacroPageControls, page_ == kPageMacro);
    show(kKeyPageControls, keyPage);
    show(kMediaPageControls, page_ == kPageMedia);
    show(kFunctionPageControls, page_ == kPageFunction);
    button(kTabKey)->setChecked(keyPage);
    button(kTabMacro)->setChecked(page_ == kPageMacro);
    button(kTabMedia)->setChecked(page_ == kPageMedia);
    button(kTabFunction)->setChecked(page_ == kPageFunction);
}

void Keytune_DlgComposite::tab(int page) {
    const bool fromOther = page_ == kPageMacro || page_ == kPageMedia || page_ == kPageFunction;
    if (page != page_ && (page != kPageKey || fromOther)) {
        page_ = page;
        showPage(false);
        setChanged(true);
    } else {
        // A click on the current tab changes nothing, but it toggled the
        // button's checked look.
        showPage(false);
    }
}

void Keytune_DlgComposite::clear() {
    tab(kPageKey);
    if (page_ == kPageKey) {
        keyField_->clear();
        page_ = kPageNone;
        chooseMode(false);
    }
}

void Keytune_DlgComposite::chooseMode(bool mouse) {
    mouseMode_ = mouse;
    keyField_->setEnabled(!mouse);
    mouseList_->setEnabled(mouse);
    keyboardMode_->setChecked(!mouse);
    mouseModeBox_->setChecked(mouse);
}

void Keytune_DlgComposite::setChanged(bool changed) {
    changed_ = changed;
    button(kApply)->setEnabled(changed);
}

bool Keytune_DlgComposite::systemKey(bool, uint8_t vk) {
    if (vk != kVkLeftWindows && vk != kVkRightWindows && vk != kVkApplication)
        return false;
    capture(static_cast<keys::KeyCode>(0x100 | vk));
    return true;
}

bool Keytune_DlgComposite::threadKey(uint8_t vk, uint32_t data) {
    const keys::KeyCode key = keys::KeyFromMessage(vk, data);
    if (key == keys::kNoKey || keys::IsMediaKey(key))
        return false;
    const bool firstPress = (data & (keys::kMessageReleased | keys::kMessagePreviousDown)) == 0;
    if (keyboardMode_->isChecked() && (firstPress || key == kPrintScreen))
        capture(key);
    return true;
}

void Keytune_DlgComposite::capture(keys::KeyCode key) {
    captured_ = key;
    keyField_->setText(QString::fromStdString(keys::KeyName(key, texts_)));
    page_ = kPageKey;
    setChanged(true);
}

void Keytune_DlgComposite::apply() {
    const keys::CommitResult committed = macroPage_->commit();
    if (committed.applyNeeded)
        host_.setPendingChanges();

    const int profile = host_.currentProfile() + areaOffset_;
    // Records of kinds this dialog does not edit (disabled, launch, stop,
    // text) stay as they are unless the user chose something else.
    const bool editable = page_ == kPageNone || page_ == kPageKey || page_ == kPageMacro ||
                          page_ == kPageMedia || page_ == kPageFunction;
    if (editable) {
        keys::KeyAssignment fresh;
        fresh.type = static_cast<uint16_t>(page_);
        fresh.aux = keys::gKeyIdentifier(keyIndex_);
        fresh.data = 0;
        switch (page_) {
            case kPageKey:
                if (mouseMode_) {
                    const int i = mouseList_->currentIndex();
                    fresh.data = (i >= 0 && i < keys::kMouseFunctionCount)
                                     ? keys::MouseFunctionList[static_cast<size_t>(i)].key
                                     : 0;
                } else {
                    fresh.data = captured_;
                    if (captured_ == keys::kNoKey || keys::CodeToIndex(captured_) == keyIndex_)
                        fresh.type = keys::kAssignDefault;
                }
                break;
            case kPageMacro:
                if (macroPage_->macroCount() > 0) {
                    const int at = macroPage_->current();
                    std::lock_guard<std::recursive_mutex> guard(working_.lock());
                    fresh.data = (at >= 0 && static_cast<size_t>(at) < working_.macros.size())
                                     ? working_.macros[static_cast<size_t>(at)].id
                                     : 0;
                    fresh.aux = static_cast<uint16_t>(
                        settings::ParseDecimal(cycles_->text().toStdString()));
                } else {
                    fresh.type = keys::kAssignDefault;
                }
                break;
            case kPageMedia:
                fresh.data = std::max(0, mediaList_->currentIndex());
                break;
            case kPageFunction:
                fresh.data = std::max(0, functionList_->currentIndex());
                break;
            default:
                break;
        }
        std::lock_guard<std::recursive_mutex> guard(working_.lock());
        const size_t recordIndex = static_cast<size_t>(profile) * keys::kRecordsPerArea + keyIndex_;
        if (recordIndex < working_.texts.size())
            working_.setText(recordIndex, u"");
        if (keys::KeyAssignment* r = keys::RecordAt(working_, profile, keyIndex_)) {
            r->type = fresh.type;
            r->aux = fresh.aux;
            r->data = fresh.data;
            r->reserved = 0;  // the selection flag stays with colour selection
        }
    }
    host_.showKeyAssignments();
    setChanged(false);
    host_.setPendingChanges();
}

void Keytune_DlgComposite::ok() {
    apply();
    closeDialog();
    QDialog::accept();
}

void Keytune_DlgComposite::cancel() {
    closeDialog();
    QDialog::reject();
}

void Keytune_DlgComposite::reject() {
    cancel();
}

void Keytune_DlgComposite::CloseIfOpen() {
    if (openCount_ > 0)
        cancel();
}

void Keytune_DlgComposite::closeDialog() {
    if (openCount_ <= 0)
        return;
    capture_.setSink(nullptr);
    macroPage_->unload();
    setChanged(false);
    --openCount_;
    host_.setButtonDown(buttonId_, false);
}

void Keytune_DlgComposite::openOnScreenKeyboard() {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("onboard"));
    if (!program.isEmpty())
        QProcess::startDetached(program, {});
}

void Keytune_DlgComposite::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();  // neither confirms nor cancels the dialog
            return;
        case Qt::Key_F1:
            if (!macroPage_->recording())
                host_.openHelp();
            event->accept();
            return;
        default:
            widgets::CImgDialogBase::keyPressEvent(event);
    }
}

void Keytune_DlgComposite::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    widgets::CImgDialogBase::keyReleaseEvent(event);
}

void Keytune_DlgComposite::onLanguage(int) {
    retranslate();
}

void Keytune_DlgComposite::retranslate() {
    for (const Caption& c : kCaptions) {
        CPngButton* b = button(c.id);
        const QString t = text(c.textKey);
        const bool blank =
            macroOnly_ && (c.id == kTabKey || c.id == kTabMedia || c.id == kTabFunction);
        b->setCaption(blank ? QString() : t);
        b->setAccessibleName(t);
        if (c.tooltipToo)
            b->setToolTip(t);
    }
    for (const Caption& c : kLabels) {
        auto* label = static_cast<QLabel*>(control(c.id));
        label->setText(text(c.textKey));
        label->setAccessibleName(label->text());
    }
    auto* heading = static_cast<QLabel*>(control(kHeading));
    heading->setText(text(macroOnly_ ? "MACRO_EDIT_TISHI" : "KEY_SETTING_TISHI"));
    heading->setAccessibleName(heading->text());
    for (const Caption& c : kNames) {
        QWidget* w = control(c.id);
        w->setAccessibleName(text(c.textKey));
        if (c.tooltipToo)
            w->setToolTip(text(c.textKey));
    }
    setAccessibleName(heading->text());
    setWindowTitle(heading->text());
    macroPage_->retranslate();
}

}  // namespace keysui
