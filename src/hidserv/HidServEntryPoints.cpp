// The twelve C entry points of libHidServ.so. They are the only names the
// library exports (see HidServ.map); each one forwards to the running Service,
// and returns 0 when the library is not running.
// The header is read with default visibility so that these names, and only
// these, leave the library (everything else is built with hidden visibility).
#pragma GCC visibility push(default)
#include "hidserv/HidServ.h"
#pragma GCC visibility pop

#include "Service.h"

using hidserv::Service;

extern "C" {

int Init(int reserved) {
    return Service::init();
}

int End(void) {
    Service::end();
    return 0;
}

int RequestGetDeviceCount(const uint8_t* selector, int reserved1, int reserved2, int reserved3) {
    auto service = Service::current();
    return service ? service->deviceCount(selector) : 0;
}

int DeleteRequestFromUnitId(uint32_t unitId) {
    auto service = Service::current();
    return service ? service->deleteUnit(unitId) : 0;
}

int RequestWriteOne(const uint8_t* selector, int reserved1, int reserved2, const uint8_t* report,
                    int length, int reserved3) {
    auto service = Service::current();
    return service ? service->writeOne(selector, report, length) : 0;
}

int RequestStatusWrite(const uint8_t* selector, HidServCallback callback, uint32_t tag,
                       const uint8_t* data, int length, uint32_t* outUnitId) {
    auto service = Service::current();
    if (!service) {
        if (outUnitId)
            *outUnitId = 0;
        return 0;
    }
    return service->statusWrite(selector, callback, tag, data, length, outUnitId);
}

int RequestAsyncRead(const uint8_t* selector, HidServCallback callback, uint32_t tag,
                     uint32_t* outUnitId) {
    auto service = Service::current();
    if (!service) {
        if (outUnitId)
            *outUnitId = 0;
        return 0;
    }
    return service->asyncRead(selector, callback, tag, outUnitId);
}

// Exported so that binding by name finds them; the program never calls these.
int Debug(int level) {
    return 0;
}
int DeleteRequestFromHandle(void* handle) {
    return 0;
}
int RequestWrite(const uint8_t* selector, int reserved1, int reserved2, const uint8_t* data,
                 int length, int reserved3) {
    return 0;
}
int RequestStatusGet(const uint8_t* selector, uint8_t* data, int length) {
    return 0;
}
int RequestStatusSetFeature(const uint8_t* selector, const uint8_t* data, int length) {
    return 0;
}

}  // extern "C"
