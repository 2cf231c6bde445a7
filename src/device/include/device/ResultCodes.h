// ResultCodes.h - what every device operation returns. The numbers are the
// contract with every caller; anything other than RESULT_OK is a failure.
#pragma once

namespace device {

constexpr int RESULT_OK = 1;
constexpr int RESULT_NO_DEVICE = 0;       // no keyboard, or the wait itself failed
constexpr int RESULT_WRITE_FAILED = -1;   // the library refused the write
constexpr int RESULT_NO_REPLY = -2;       // three time-outs or answers to another command
constexpr int RESULT_STATUS_FF = -102;    // the keyboard answered with status 0xFF
constexpr int RESULT_STATUS_FE = -103;    // the keyboard answered with status 0xFE
constexpr int RESULT_BAD_PROFILE = -201;  // profile index outside 0..2; nothing sent
// A write that builds on state read from the keyboard, while that state has
// not been read; nothing sent.
constexpr int RESULT_STATE_UNREAD = -301;

// A short English reason for a result code, for command-line tools.
const char* resultReason(int result);

}  // namespace device
