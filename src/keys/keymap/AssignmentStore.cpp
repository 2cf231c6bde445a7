#include "AssignmentStore.h"

namespace keys {

void AssignmentStore::releaseTexts() {
    for (TextSlot& slot : texts) slot = TextSlot{};
    textPool.clear();
    textTotal = 0;
}

void AssignmentStore::releaseAll() {
    releaseTexts();
    releaseMacros();
    releaseBlock();
}

void AssignmentStore::setText(size_t recordIndex, const std::u16string& text) {
    if (recordIndex >= texts.size())
        return;
    TextSlot& slot = texts[recordIndex];
    textTotal -= static_cast<int32_t>(slot.size);
    slot.text = text;
    slot.size = text.empty() ? 0 : static_cast<uint32_t>((text.size() + 1) * 2);
    textTotal += static_cast<int32_t>(slot.size);
}

KeyAssignment* RecordAt(AssignmentStore& store, int profile, uint16_t keyIndex) {
    if (!store.block || profile < 0 || profile >= static_cast<int>(kAreaCount) ||
        keyIndex >= kRecordsPerArea)
        return nullptr;
    return &store.block->records[profile * kRecordsPerArea + keyIndex];
}

}  // namespace keys
