#include "support/LibraryLink.h"

#include "support/VkbdRunner.h"

namespace testsupport {

LibraryLink::~LibraryLink() {
    // Events must stop reaching the link before the library winds down.
    if (link)
        link->detach();
    if (initialised)
        library.api().End();
}

int LibraryLink::connect() {
    return connect(stageFolder());
}

int LibraryLink::connect(const std::string& programFolder) {
    if (library.load(programFolder) != device::BIND_OK || library.api().Init(0) <= 0)
        return -1;
    initialised = true;
    link = std::make_unique<device::DeviceLink>(library.api());
    return link->StartDeviceLink();
}

}  // namespace testsupport
