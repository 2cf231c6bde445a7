#include "device/HidServLibrary.h"

#include <dlfcn.h>

namespace device {

namespace {

template <typename Fn>
bool resolve(void* handle, const char* name, Fn& slot, std::string& error) {
    void* symbol = dlsym(handle, name);
    if (!symbol) {
        error = std::string("libHidServ.so lacks the entry point \"") + name + "\"";
        return false;
    }
    slot = reinterpret_cast<Fn>(symbol);
    return true;
}

}  // namespace

int HidServLibrary::load(const std::string& programFolder) {
    api_ = {};
    error_.clear();
    std::string path =
        (programFolder.empty() ? std::string(".") : programFolder) + "/" + kHidServFileName;
    // RTLD_LOCAL: the names must come from this file, not from anything the
    // process already has loaded.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        error_ = "cannot load " + path + (reason ? std::string(": ") + reason : std::string());
        return BIND_MISSING_FILE;
    }
    HidServApi api;
    bool ok = resolve(handle, "Init", api.Init, error_) &&
              resolve(handle, "End", api.End, error_) &&
              resolve(handle, "Debug", api.Debug, error_) &&
              resolve(handle, "RequestGetDeviceCount", api.RequestGetDeviceCount, error_) &&
              resolve(handle, "DeleteRequestFromUnitId", api.DeleteRequestFromUnitId, error_) &&
              resolve(handle, "DeleteRequestFromHandle", api.DeleteRequestFromHandle, error_) &&
              resolve(handle, "RequestWrite", api.RequestWrite, error_) &&
              resolve(handle, "RequestWriteOne", api.RequestWriteOne, error_) &&
              resolve(handle, "RequestStatusWrite", api.RequestStatusWrite, error_) &&
              resolve(handle, "RequestStatusGet", api.RequestStatusGet, error_) &&
              resolve(handle, "RequestAsyncRead", api.RequestAsyncRead, error_) &&
              resolve(handle, "RequestStatusSetFeature", api.RequestStatusSetFeature, error_);
    if (!ok) {
        dlclose(handle);
        return BIND_MISSING_NAME;
    }
    handle_ = handle;
    api_ = api;
    return BIND_OK;
}

}  // namespace device
