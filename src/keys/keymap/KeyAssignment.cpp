#include "KeyAssignment.h"

#include "LittleEndian.h"

namespace keys {

void encodeKeyAssignment(const KeyAssignment& r, uint8_t* out) {
    le::put16(out, r.type);
    le::put16(out + 2, r.aux);
    le::put32(out + 4, static_cast<uint32_t>(r.data));
    le::put32(out + 8, static_cast<uint32_t>(r.selected));
    le::put32(out + 12, static_cast<uint32_t>(r.reserved));
}

KeyAssignment decodeKeyAssignment(const uint8_t* in) {
    return KeyAssignment{le::get16(in), le::get16(in + 2), static_cast<int32_t>(le::get32(in + 4)),
                         static_cast<int32_t>(le::get32(in + 8)),
                         static_cast<int32_t>(le::get32(in + 12))};
}

uint16_t gKeyIdentifier(uint16_t keyIndex) {
    if (keyIndex < kFirstGRecord || keyIndex > kLastGRecord)
        return 0;
    const uint16_t n = keyIndex - kFirstGRecord;  // 0..17
    return n < 9 ? static_cast<uint16_t>(0x0301 + n) : static_cast<uint16_t>(0x1301 + n - 9);
}

}  // namespace keys
