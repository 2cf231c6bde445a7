// HidServApi.h - the table of libHidServ.so's twelve entry points.
//
// Everything in the device layer reaches the library only through this table,
// so tests can hand in a table of their own functions instead of the library.
#pragma once

#include <hidserv/HidServ.h>

namespace device {

struct HidServApi {
    HidServInitFn Init = nullptr;
    HidServEndFn End = nullptr;
    HidServDebugFn Debug = nullptr;
    HidServGetDeviceCountFn RequestGetDeviceCount = nullptr;
    HidServDeleteFromUnitIdFn DeleteRequestFromUnitId = nullptr;
    HidServDeleteFromHandleFn DeleteRequestFromHandle = nullptr;
    HidServWriteFn RequestWrite = nullptr;
    HidServWriteOneFn RequestWriteOne = nullptr;
    HidServStatusWriteFn RequestStatusWrite = nullptr;
    HidServStatusGetFn RequestStatusGet = nullptr;
    HidServAsyncReadFn RequestAsyncRead = nullptr;
    HidServStatusSetFeatureFn RequestStatusSetFeature = nullptr;
};

}  // namespace device
