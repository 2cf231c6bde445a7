#include "MacroRecord.h"

#include "LittleEndian.h"

namespace macros {

size_t MacroRecord::nameLength() const {
    size_t n = 0;
    while (n < kMacroNameUnits - 1 && name[n] != 0) ++n;
    return n;
}

void MacroRecord::setName(std::u16string_view text) {
    name.fill(0);
    const size_t n = std::min(text.size(), kMacroNameUnits - 1);
    for (size_t i = 0; i < n; ++i) name[i] = text[i];
}

void encodeMacroRecord(const MacroRecord& record, uint8_t* out) {
    using namespace macro_layout;
    for (size_t i = 0; i < kMacroNameUnits; ++i) le::put16(out + kName + 2 * i, record.name[i]);
    out[kCycles] = record.cycles;
    out[kReserved1] = record.reserved1;
    le::put16(out + kIsNew, record.isNew);
    le::put16(out + kPlayMode, record.playMode);
    le::put16(out + kId, record.id);
    le::put16(out + kActionCount, record.actionCount);
    le::put16(out + kReserved2, record.reserved2);
    for (size_t i = 0; i < MAX_MACRO_ACTIONS; ++i) {
        uint8_t* a = out + kActions + i * kMacroActionSize;
        le::put32(a, record.actions[i].delayMs);
        le::put16(a + 4, record.actions[i].key);
        le::put16(a + 6, record.actions[i].release);
    }
}

MacroRecord decodeMacroRecord(const uint8_t* in) {
    using namespace macro_layout;
    MacroRecord record;
    for (size_t i = 0; i < kMacroNameUnits; ++i) record.name[i] = le::get16(in + kName + 2 * i);
    record.name[kMacroNameUnits - 1] = 0;
    record.cycles = in[kCycles];
    record.reserved1 = in[kReserved1];
    record.isNew = le::get16(in + kIsNew);
    record.playMode = le::get16(in + kPlayMode);
    record.id = le::get16(in + kId);
    record.actionCount = le::get16(in + kActionCount);
    record.reserved2 = le::get16(in + kReserved2);
    for (size_t i = 0; i < MAX_MACRO_ACTIONS; ++i) {
        const uint8_t* a = in + kActions + i * kMacroActionSize;
        record.actions[i] = MacroAction{le::get32(a), le::get16(a + 4), le::get16(a + 6)};
    }
    return record;
}

}  // namespace macros
