// KeyLookup.h - the few key-catalogue lookups the macro and key-map codecs use.
//
// The codecs need only these five questions answered; keeping them behind one
// small header keeps the encoders readable and the catalogue's own API free to
// evolve.
#pragma once

#include <cstdint>

namespace macros::lookup {

struct KeyClass {
    uint16_t kind = 0;  // 0 none, 1 system, 2 mouse, 7 keyboard
    uint16_t value = 0;
};

KeyClass classifyKey(uint16_t code);
// kind 7 keyboard usage code, 1 system usage, 12 consumer usage; 0 if none.
uint16_t keyFromUsage(uint16_t kind, uint16_t value);
uint16_t codeToIndex(uint16_t code);
// Consumer usage of media number n (0..17); 0 for any other number.
uint16_t mediaConsumerUsage(int32_t mediaNumber);
// Media number whose consumer usage is the argument, or -1.
int mediaNumberOfUsage(uint16_t usage);

}  // namespace macros::lookup
