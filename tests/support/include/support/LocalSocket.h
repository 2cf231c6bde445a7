// LocalSocket.h - connecting to a Unix-domain stream socket by path.
#pragma once

#include <string>

namespace testsupport {

// A connected socket (close-on-exec), or -1.
int connectLocalSocket(const std::string& path);

// Polls until something accepts connections on `path`; false at the deadline.
bool waitUntilAccepting(const std::string& path, int timeoutMs);

}  // namespace testsupport
