#include "DeviceSession.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "device/ResultCodes.h"

namespace cli {

DeviceSession::~DeviceSession() {
    // Events must stop reaching the link before the library winds down.
    if (link_)
        link_->detach();
    if (initialised_ && library_.api().End)
        library_.api().End();
}

int DeviceSession::open(const CliContext& context) {
    if (library_.load(context.programFolder) != device::BIND_OK)
        return fail(library_.error());
    if (library_.api().Init(0) <= 0)
        return fail("the device service library failed to start");
    initialised_ = true;
    link_ = std::make_unique<device::DeviceLink>(library_.api());
    if (link_->StartDeviceLink() <= 0)
        return failWithResult("device", device::RESULT_NO_DEVICE);
    return 0;
}

int failWithResult(const std::string& what, int result) {
    return fail(what + ": " + device::resultReason(result) + " (result " + std::to_string(result) +
                ")");
}

void printHexDump(const uint8_t* bytes, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        bool lineEnd = (i % 16 == 15) || i + 1 == length;
        std::printf("%02x%c", bytes[i], lineEnd ? '\n' : ' ');
    }
}

bool parseInteger(const std::string& word, int& value) {
    if (word.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || parsed < -1000000 || parsed > 1000000)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace cli
