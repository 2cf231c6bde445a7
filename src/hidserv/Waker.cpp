#include "Waker.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace hidserv {

Waker::Waker() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

Waker::~Waker() {
    if (fd_ >= 0)
        close(fd_);
}

void Waker::signal() {
    uint64_t one = 1;
    [[maybe_unused]] ssize_t written = ::write(fd_, &one, sizeof one);
}

void Waker::drain() {
    uint64_t value = 0;
    [[maybe_unused]] ssize_t got = ::read(fd_, &value, sizeof value);
}

}  // namespace hidserv
