// AssignmentStore.h - the key assignments of all profiles, the macro list and
// the texts, behind one recursive lock.
//
// Two instances exist: the working store the user edits and profile files
// save, and the device store that mirrors what was last written to the
// keyboard. The working store keeps one text per record in its text table;
// the device store keeps all texts packed into one pool instead, each type-3
// or type-6 record's data giving its text's byte offset.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "AssignmentBlock.h"
#include "MacroRecord.h"

namespace keys {

struct TextSlot {
    std::u16string text;
    uint32_t size = 0;  // bytes including the terminating zero; 0 = no text
};

class AssignmentStore {
  public:
    AssignmentStore() : texts(kRecordCount) {}

    // Guards every member below. When both stores are locked, the working
    // store's lock is taken first.
    std::recursive_mutex& lock() const { return mutex_; }

    std::unique_ptr<AssignmentBlock> block;  // empty only between release and refill
    macros::MacroList macros;
    std::vector<TextSlot> texts;    // kRecordCount slots; working store
    std::vector<uint8_t> textPool;  // device store
    int32_t textTotal = 0;          // sum of the slot sizes / size of the pool

    uint16_t macroCount() const { return static_cast<uint16_t>(macros.size()); }

    void releaseTexts();
    void releaseMacros() { macros.clear(); }
    void releaseBlock() { block.reset(); }
    void releaseAll();

    // Sets slot i to the text (or clears it for an empty text) and keeps the
    // total in step.
    void setText(size_t recordIndex, const std::u16string& text);

  private:
    mutable std::recursive_mutex mutex_;
};

// The record of key index 0..511 in profile 0..3; nullptr without a block or
// for an index outside the block. The caller holds the store's lock.
KeyAssignment* RecordAt(AssignmentStore& store, int profile, uint16_t keyIndex);

// Whether a record of this type carries a text (program path or text block).
inline bool carriesText(uint16_t type) {
    return type == kAssignLaunch || type == kAssignTextBlock;
}

}  // namespace keys
