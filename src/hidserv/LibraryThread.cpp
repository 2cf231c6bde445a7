#include "LibraryThread.h"

namespace hidserv {

namespace {
thread_local bool tLibraryThread = false;
}

void markLibraryThread() {
    tLibraryThread = true;
}
bool onLibraryThread() {
    return tLibraryThread;
}

}  // namespace hidserv
