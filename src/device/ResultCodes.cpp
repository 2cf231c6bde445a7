#include "device/ResultCodes.h"

namespace device {

const char* resultReason(int result) {
    switch (result) {
        case RESULT_OK:
            return "ok";
        case RESULT_NO_DEVICE:
            return "no keyboard attached";
        case RESULT_WRITE_FAILED:
            return "write refused";
        case RESULT_NO_REPLY:
            return "the keyboard did not answer";
        case RESULT_STATUS_FF:
            return "failure status 0xFF";
        case RESULT_STATUS_FE:
            return "failure status 0xFE";
        case RESULT_BAD_PROFILE:
            return "bad profile";
        case RESULT_STATE_UNREAD:
            return "the keyboard's state has not been read";
        default:
            return "unknown result";
    }
}

}  // namespace device
