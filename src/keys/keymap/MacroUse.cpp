#include "MacroUse.h"

#include <mutex>

namespace keys {

bool FindMacroUse(AssignmentStore& working, Prompts& prompts, const macros::MacroRecord& macro) {
    if (macro.isNew == 1)
        return true;
    bool used = false;
    {
        std::lock_guard<std::recursive_mutex> guard(working.lock());
        if (working.block) {
            // Every key of the three profiles, G keys of both layers included.
            for (int p = 0; p < kProfileCount && !used; ++p) {
                const KeyAssignment* area = working.block->area(static_cast<size_t>(p));
                for (size_t k = 0; k <= kLastGRecord && !used; ++k)
                    used = area[k].type == kAssignMacro &&
                           static_cast<uint16_t>(area[k].data & 0xFFFF) == macro.id;
            }
        }
    }
    return !used || prompts.askYesNo("MACRO_DELETE_CONFIRM_OF_KEYS");
}

CommitResult CommitMacroList(AssignmentStore& working, const macros::MacroList& edited) {
    CommitResult result;
    macros::MacroList committed = edited;  // built before the store changes
    for (macros::MacroRecord& m : committed) m.isNew = 0;

    std::lock_guard<std::recursive_mutex> guard(working.lock());
    if (working.block) {
        for (size_t i = 0; i < kRecordCount; ++i) {
            KeyAssignment& r = working.block->records[i];
            if (r.type != kAssignMacro)
                continue;
            const uint16_t id = static_cast<uint16_t>(r.data & 0xFFFF);
            if (id == 0) {
                if (!edited.empty()) {
                    r.data = edited.front().id;
                    result.applyNeeded = true;
                }
                continue;
            }
            const macros::MacroRecord* match = nullptr;
            for (const macros::MacroRecord& m : edited)
                if (m.id == id) {
                    match = &m;
                    break;
                }
            if (match && match->isNew == 0)
                continue;
            r.type = kAssignDefault;
            result.applyNeeded = true;
            result.resetRecords.push_back(i);
        }
    }
    working.macros = std::move(committed);
    return result;
}

}  // namespace keys
