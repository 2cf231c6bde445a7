#include "Service.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "Interface.h"
#include "LibraryThread.h"
#include "vkbd/VkbdWire.h"

namespace hidserv {

namespace {

// Init and End run one at a time; the pointer itself has its own small lock so
// that entry points called from callbacks never wait for a running End.
std::mutex gLifecycleMutex;
std::mutex gServiceMutex;
std::shared_ptr<Service> gService;

std::string traceFileFromEnvironment() {
    const char* path = std::getenv("KEYTUNE_TRACE");
    return path ? path : "";
}

bool hidrawEnabled() {
    const char* value = std::getenv("KEYTUNE_HIDRAW");
    return !(value && std::strcmp(value, "0") == 0);
}

}  // namespace

Service::Service()
    : trace_(traceFileFromEnvironment()),
      table_(dispatcher_),
      vkbd_(vkbd::wire::defaultSocketPath(), table_, dispatcher_, trace_) {
    if (hidrawEnabled())
        hidraw_ = std::make_unique<HidrawBackend>(table_, dispatcher_, trace_);
}

Service::~Service() {
    stop();
}

void Service::start() {
    // The first scan is synchronous, so a count right after Init already sees
    // a keyboard that is attached. It raises no count event: nobody has
    // registered yet, and the program takes the first count itself. Every
    // later change is reported, since the watchers start after the callback
    // thread.
    if (hidraw_ && !hidraw_->scanNow())
        hidraw_.reset();
    vkbd_.connectNow();
    dispatcher_.start();
    if (hidraw_)
        hidraw_->start();
    vkbd_.start();
}

void Service::stop() {
    // Callbacks end first; the sources then shut down without anyone left to
    // tell about the removal.
    dispatcher_.stop();
    vkbd_.stop();
    if (hidraw_)
        hidraw_->stop();
}

int Service::init() {
    if (onLibraryThread())
        return current() ? kDone : kNothing;
    std::lock_guard lifecycle(gLifecycleMutex);
    if (current())
        return kDone;
    auto service = std::make_shared<Service>();
    service->start();
    std::lock_guard lock(gServiceMutex);
    gService = std::move(service);
    return kDone;
}

void Service::end() {
    if (onLibraryThread())
        return;  // a thread cannot wait for itself to end
    std::lock_guard lifecycle(gLifecycleMutex);
    std::shared_ptr<Service> service;
    {
        std::lock_guard lock(gServiceMutex);
        service = std::move(gService);
    }
    if (service)
        service->stop();
}

std::shared_ptr<Service> Service::current() {
    std::lock_guard lock(gServiceMutex);
    return gService;
}

int Service::deviceCount(const uint8_t* selector) const {
    auto interface = parseSelector(selector);
    return interface ? table_.count(*interface) : 0;
}

int Service::asyncRead(const uint8_t* selector, HidServCallback callback, uint32_t tag,
                       uint32_t* outUnitId) {
    if (outUnitId)
        *outUnitId = 0;
    auto interface = parseSelector(selector);
    if (!interface || !callback)
        return kNothing;
    uint32_t unitId = dispatcher_.add(*interface, callback, tag, true);
    if (outUnitId)
        *outUnitId = unitId;
    return kDone;
}

int Service::writeOne(const uint8_t* selector, const uint8_t* report, int length) {
    auto interface = parseSelector(selector);
    if (!interface || !report || length <= 0)
        return kNothing;
    auto writer = table_.writerFor(*interface);
    if (!writer)
        return kNothing;
    return writer->write(*interface, report, static_cast<size_t>(length)) ? kDone : kWriteFailed;
}

int Service::statusWrite(const uint8_t* selector, HidServCallback callback, uint32_t tag,
                         const uint8_t* data, int length, uint32_t* outUnitId) {
    if (outUnitId)
        *outUnitId = 0;
    auto interface = parseSelector(selector);
    if (!interface || *interface != Interface::Status || !data || length <= 0)
        return kNothing;
    auto writer = table_.writerFor(Interface::Status);
    if (!writer)
        return kNothing;
    if (!writer->write(Interface::Status, data, static_cast<size_t>(length)))
        return kWriteFailed;
    // The registration only names the write so that the caller can release it;
    // the status interface has no input to deliver.
    uint32_t unitId = dispatcher_.add(Interface::Status, callback, tag, false);
    if (outUnitId)
        *outUnitId = unitId;
    return kDone;
}

int Service::deleteUnit(uint32_t unitId) {
    if (unitId == 0)
        return kNothing;
    return dispatcher_.remove(unitId) ? kDone : kNothing;
}

}  // namespace hidserv
