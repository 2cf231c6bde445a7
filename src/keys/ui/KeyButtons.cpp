#include "KeyButtons.h"

#include <QAccessible>
#include <cstdio>
#include <mutex>

#include "KeyCatalogue.h"
#include "settings/Utf16.h"
#include "widgets/Placement.h"

namespace keysui {

namespace {

constexpr const char* kButtonSection = "BUTTONINFO";

int gButtonOfControl(int controlId) {
    for (int g = 0; g < keys::kGButtonCount; ++g)
        if (keys::GButtonTable[g] == controlId)
            return g;
    return -1;
}

int keyPositionOfControl(int controlId) {
    for (const auto& entry : keys::KeyButtonTable)
        if (entry.controlId == controlId)
            return entry.position;
    return -1;
}

std::string macroName(const keys::AssignmentStore& store, int id) {
    if (!store.block)
        return {};
    for (const auto& macro : store.macros)
        if (macro.id == id)
            return settings::Utf16ToUtf8(macro.nameText());
    return {};
}

void setButtonTexts(widgets::CPngButton* button, const AssignmentDescription& description,
                    const std::string& base) {
    button->setToolTip(QString::fromStdString(description.tooltip));
    button->setAccessibleName(QString::fromStdString(base));
    button->setAccessibleDescription(QString::fromStdString(description.tooltip));
}

}  // namespace

AssignmentDescription DescribeAssignment(const std::string& base, const keys::KeyAssignment& record,
                                         const keys::AssignmentStore& store,
                                         const settings::TextSource& texts) {
    if (record.type == keys::kAssignDefault)
        return {base, false};
    std::string text = base + texts.Text("KEY_PROMPT_SET");
    switch (record.type) {
        case keys::kAssignKey:
            text += texts.Text("KEY_PROMPT_SINGLE") +
                    keys::KeyName(static_cast<keys::KeyCode>(record.data), texts) + ")";
            break;
        case keys::kAssignMacro:
            text += texts.Text("KEY_PROMPT_MACRO") + macroName(store, record.data & 0xFFFF) + ")";
            break;
        case keys::kAssignMedia: {
            std::string name;
            if (record.data >= 0 && record.data < keys::kMediaKeyCount)
                name = keys::KeyName(keys::MediaKeyList[record.data].key, texts);
            text += texts.Text("KEY_PROMPT_MEDIA") + name + ")";
            break;
        }
        case keys::kAssignFunction: {
            std::string name;
            if (record.data >= 0 && record.data < keys::kKeyboardFunctionCount)
                name = texts.Text("FUNC_KEY_DESC" + std::to_string(record.data + 1));
            text += texts.Text("KEY_PROMPT_FUNCTION") + name + ")";
            break;
        }
        default:
            break;
    }
    return {text, true};
}

KeyButtons::KeyButtons(keys::AssignmentStore& working, const settings::TextSource& texts,
                       std::function<int()> profile, std::function<int()> layer, QObject* parent)
    : QObject(parent),
      working_(working),
      texts_(texts),
      profile_(std::move(profile)),
      layer_(std::move(layer)) {}

void KeyButtons::PlaceKeyButtons(QWidget* window, const std::string& iniFile,
                                 const std::array<const widgets::SkinSheet*, 5>& sheets,
                                 const widgets::SkinSheet* unselected,
                                 const widgets::SkinSheet* selected) {
    auto make = [&](const std::string& key, int controlId) {
        auto* button = new widgets::CPngButton(window);
        button->setObjectName(QString::fromStdString(key));
        button->setProperty("controlId", controlId);
        // The checked state is the assigned mark; a click must not flip it.
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSelectionSheets(unselected, selected);
        widgets::PlaceSkinButton(button, iniFile, kButtonSection, key, sheets);
        connect(button, &QAbstractButton::clicked, this,
                [this, controlId] { OnKeyButtonClick(controlId); });
        return button;
    };
    for (int g = 0; g < keys::kGButtonCount; ++g)
        gButtons_[g] = make("FUNC_G" + std::to_string(g + 1), keys::GButtonTable[g]);
    for (const auto& entry : keys::KeyButtonTable) {
        char key[16];
        std::snprintf(key, sizeof key, "KEY_%03X", keys::CodeToIndex(entry.key));
        keyButtons_[entry.position] = make(key, entry.controlId);
    }
    fnButton_ = make("KEY_FN", keys::kFnButtonId);
    fnButton_->setCheckable(false);
    fnButton_->setAccessibleName("Fn");
    ShowProfileAssignments();
}

widgets::CPngButton* KeyButtons::button(int controlId) const {
    if (controlId == keys::kFnButtonId)
        return fnButton_;
    if (int g = gButtonOfControl(controlId); g >= 0)
        return gButtons_[g];
    if (int p = keyPositionOfControl(controlId); p >= 0)
        return keyButtons_[p];
    return nullptr;
}

std::vector<widgets::CPngButton*> KeyButtons::allButtons() const {
    std::vector<widgets::CPngButton*> all(gButtons_.begin(), gButtons_.end());
    all.insert(all.end(), keyButtons_.begin(), keyButtons_.end());
    all.push_back(fnButton_);
    return all;
}

int KeyButtons::recordOfControl(int controlId) const {
    if (int g = gButtonOfControl(controlId); g >= 0)
        return keys::kFirstGRecord + g + (layer_() ? keys::kGButtonCount : 0);
    if (int p = keyPositionOfControl(controlId); p >= 0)
        return keys::CodeToIndex(keys::KeyButtonTable[p].key);
    return -1;
}

int KeyButtons::selectionRecordOfControl(int controlId) const {
    // Key buttons keep their selection in the record of their position. G
    // buttons keep theirs in their own record, so selecting G1 does not also
    // select the key button at position 0.
    if (gButtonOfControl(controlId) >= 0)
        return recordOfControl(controlId);
    return keyPositionOfControl(controlId);
}

std::string KeyButtons::baseText(int controlId) const {
    if (int g = gButtonOfControl(controlId); g >= 0)
        return "G" + std::to_string(g + 1);
    if (int p = keyPositionOfControl(controlId); p >= 0)
        return keys::KeyName(keys::KeyButtonTable[p].key, texts_);
    return {};
}

void KeyButtons::OnKeyButtonClick(int controlId) {
    widgets::CPngButton* clicked = button(controlId);
    if (!clicked)
        return;
    // Undo the toggle of the click: the checked state shows the assigned mark.
    if (int record = recordOfControl(controlId); record >= 0)
        showRecord(clicked, baseText(controlId), record, true);
    const int g = gButtonOfControl(controlId);
    const bool assignmentOnly = g >= 5;  // G6..G9 never paint
    if (!assignmentOnly && painting && painting()) {
        if (g >= 0)
            emit paintRequested({lighting::ButtonRef::GButton, static_cast<uint8_t>(g)});
        else if (controlId == keys::kFnButtonId)
            emit paintRequested({lighting::ButtonRef::FnButton, 0});
        else
            emit paintRequested({lighting::ButtonRef::KeyButton,
                                 static_cast<uint8_t>(keyPositionOfControl(controlId))});
        return;
    }
    if (controlId == keys::kFnButtonId)
        return;
    if (selectionMode_) {
        toggleSelection(controlId);
        return;
    }
    emit assignmentRequested(controlId);
}

void KeyButtons::toggleSelection(int controlId) {
    const int record = selectionRecordOfControl(controlId);
    bool nowSelected = false;
    {
        std::lock_guard lock(working_.lock());
        keys::KeyAssignment* r =
            keys::RecordAt(working_, profile_(), static_cast<uint16_t>(record));
        if (!r)
            return;
        r->selected = r->selected ? 0 : 1;
        nowSelected = r->selected != 0;
    }
    button(controlId)->setSelectionMarking(true, nowSelected);
    emit changed();
}

void KeyButtons::showRecord(widgets::CPngButton* button, const std::string& base, int recordIndex,
                            bool setMark) {
    AssignmentDescription description{base, false};
    {
        std::lock_guard lock(working_.lock());
        if (const keys::KeyAssignment* r =
                keys::RecordAt(working_, profile_(), static_cast<uint16_t>(recordIndex)))
            description = DescribeAssignment(base, *r, working_, texts_);
    }
    setButtonTexts(button, description, base);
    if (setMark)
        button->setChecked(description.assigned);
}

void KeyButtons::RefreshKeyButton(int recordIndex) {
    auto showPlain = [&](widgets::CPngButton* button, const std::string& base) {
        setButtonTexts(button, {base, false}, base);
        button->setChecked(false);
    };
    const int firstG = keys::kFirstGRecord + (layer_() ? keys::kGButtonCount : 0);
    if (recordIndex >= firstG && recordIndex < firstG + keys::kGButtonCount) {
        const int g = recordIndex - firstG;
        showPlain(gButtons_[g], "G" + std::to_string(g + 1));
        return;
    }
    if (recordIndex < 0 || recordIndex >= keys::kKeyTableSize)
        return;
    const int position =
        keys::KeyButtonPosition(keys::IndexToCode(static_cast<uint16_t>(recordIndex)));
    if (position >= 0 && keys::CodeToIndex(keys::KeyButtonTable[position].key) == recordIndex)
        showPlain(keyButtons_[position], baseText(keys::KeyButtonTable[position].controlId));
}

void KeyButtons::RefreshAllKeyButtons() {
    for (int g = 0; g < keys::kGButtonCount; ++g)
        showRecord(gButtons_[g], baseText(keys::GButtonTable[g]),
                   recordOfControl(keys::GButtonTable[g]), false);
    for (const auto& entry : keys::KeyButtonTable)
        showRecord(keyButtons_[entry.position], baseText(entry.controlId),
                   recordOfControl(entry.controlId), false);
}

void KeyButtons::ShowProfileAssignments() {
    for (int g = 0; g < keys::kGButtonCount; ++g)
        showRecord(gButtons_[g], baseText(keys::GButtonTable[g]),
                   recordOfControl(keys::GButtonTable[g]), true);
    for (const auto& entry : keys::KeyButtonTable)
        showRecord(keyButtons_[entry.position], baseText(entry.controlId),
                   recordOfControl(entry.controlId), true);
}

void KeyButtons::ShowGButtonAssignments() {
    for (int g = 0; g < keys::kGButtonCount; ++g)
        showRecord(gButtons_[g], baseText(keys::GButtonTable[g]),
                   recordOfControl(keys::GButtonTable[g]), true);
    if (selectionMode_)
        ShowSelectionMarks();
}

void KeyButtons::ResetProfileAssignments() {
    {
        std::lock_guard lock(working_.lock());
        const int profile = profile_();
        auto reset = [&](int recordIndex) {
            if (keys::KeyAssignment* r =
                    keys::RecordAt(working_, profile, static_cast<uint16_t>(recordIndex))) {
                *r = keys::KeyAssignment{};
                // A G record keeps its key identifier, as in a new profile.
                r->aux = keys::gKeyIdentifier(static_cast<uint16_t>(recordIndex));
            }
        };
        for (int g = 0; g < keys::kGButtonCount; ++g) reset(recordOfControl(keys::GButtonTable[g]));
        for (const auto& entry : keys::KeyButtonTable) reset(recordOfControl(entry.controlId));
    }
    ShowProfileAssignments();
    emit changed();
}

void KeyButtons::setColourSelectionMode(bool on) {
    selectionMode_ = on;
    ShowSelectionMarks();
}

void KeyButtons::ShowSelectionMarks() {
    std::lock_guard lock(working_.lock());
    const int profile = profile_();
    auto show = [&](widgets::CPngButton* button, int controlId) {
        const keys::KeyAssignment* r = keys::RecordAt(
            working_, profile, static_cast<uint16_t>(selectionRecordOfControl(controlId)));
        button->setSelectionMarking(selectionMode_, r && r->selected != 0);
    };
    for (int g = 0; g < keys::kGButtonCount; ++g) show(gButtons_[g], keys::GButtonTable[g]);
    for (const auto& entry : keys::KeyButtonTable)
        show(keyButtons_[entry.position], entry.controlId);
}

}  // namespace keysui
