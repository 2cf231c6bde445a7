// LibraryThread.h - lets the entry points tell the library's own threads
// (callback thread, readers, watchers) from the caller's threads.
#pragma once

namespace hidserv {

// Called first thing on every thread the library starts.
void markLibraryThread();
bool onLibraryThread();

}  // namespace hidserv
