// WriteOutcome.h - whether a lighting write reached the keyboard.
//
// The lighting operations may return nothing (the write is not checked), a
// device result code, or a bool; the panel asks the same question of each.
#pragma once

#include <type_traits>
#include <utility>

#include "device/ResultCodes.h"

namespace lighting::ui {

template <typename Write>
bool WriteReachedKeyboard(Write&& write) {
    using Result = std::invoke_result_t<Write>;
    if constexpr (std::is_void_v<Result>) {
        std::forward<Write>(write)();
        return true;
    } else if constexpr (std::is_same_v<Result, bool>) {
        return std::forward<Write>(write)();
    } else {
        return std::forward<Write>(write)() == device::RESULT_OK;
    }
}

}  // namespace lighting::ui
