// MacroUse.h - keeping key assignments and macros consistent.
#pragma once

#include <vector>

#include "AssignmentStore.h"
#include "MacroRecord.h"
#include "Prompts.h"

namespace keys {

// Before a macro is deleted: true to go on. A macro not yet committed is
// deleted without asking; otherwise, when a key of any profile plays it,
// "MACRO_DELETE_CONFIRM_OF_KEYS" is asked and only Yes goes on.
bool FindMacroUse(AssignmentStore& working, Prompts& prompts, const macros::MacroRecord& macro);

struct CommitResult {
    bool applyNeeded = false;          // the main window's Apply becomes enabled
    std::vector<size_t> resetRecords;  // records that fell back to the factory function
};

// Replaces the store's macro list with the edited one and reconciles the
// macro assignments of all 2048 records: id 0 follows the first macro; an id
// that is gone, or that now belongs to a macro created in the editor (the old
// one was deleted and its id reused), falls back to type 0. Each committed
// record's new mark is cleared.
CommitResult CommitMacroList(AssignmentStore& working, const macros::MacroList& edited);

}  // namespace keys
