/* A libHidServ.so that lacks one of the twelve names, for the binding test. */
int Init(int reserved) { return 1; }
int End(void) { return 1; }
int Debug(int level) { return 0; }
int RequestGetDeviceCount(const void* s, int a, int b, int c) { return 0; }
int DeleteRequestFromUnitId(unsigned id) { return 0; }
int DeleteRequestFromHandle(void* h) { return 0; }
int RequestWrite(const void* s, int a, int b, const void* d, int n, int c) { return 0; }
int RequestWriteOne(const void* s, int a, int b, const void* d, int n, int c) { return 0; }
int RequestStatusWrite(const void* s, void* cb, unsigned t, const void* d, int n, unsigned* id) {
    return 0;
}
int RequestStatusGet(const void* s, void* d, int n) { return 0; }
int RequestAsyncRead(const void* s, void* cb, unsigned t, unsigned* id) { return 0; }
/* RequestStatusSetFeature is missing on purpose. */
