/*
 * HidServ.h - the device service library's entry points.
 *
 * libHidServ.so owns all USB HID traffic with the keyboard (or with the
 * virtual keyboard that stands in for it). The program binds the twelve names
 * below at run time with dlopen/dlsym; they have C linkage so the names are
 * exactly these. Six of them are never called by the program and only exist
 * so that binding finds every name; they return 0.
 *
 * How the library behaves (libHidServ.so on Linux):
 *
 * - Devices. Two sources count as attached keyboards: the real keyboard's
 *   hidraw nodes (hidapi; off when KEYTUNE_HIDRAW=0) and the virtual keyboard,
 *   one connection to the Unix socket $KEYTUNE_VKBD_SOCKET (default
 *   $XDG_RUNTIME_DIR/keytune-vkbd.sock), which exposes all four interfaces.
 *   The socket is looked for every 100 ms while not connected, also after a
 *   disconnect. Init scans both sources before it returns.
 * - Threads. Callbacks run on library threads, one per interface; a control
 *   report from the virtual keyboard is delivered straight from the thread
 *   that reads its connection when no other control event is waiting, which
 *   saves a thread hand-off per exchange. The callbacks of one interface's
 *   registrations run one at a time, in the order their events happened. A
 *   callback that blocks holds back its own interface's events, and a blocked
 *   "CONS" callback never delays "CTRL" responses; a "CTRL" callback should
 *   return promptly, since while it runs the virtual keyboard's other reports
 *   wait too. No library lock is held during a callback: it may call any
 *   entry point except Init and End (End called from a callback does
 *   nothing). The event and everything it points to is valid only during the
 *   call; the read buffer is rewritten before each input event.
 * - Count events (kind 0) go to every standing read whenever the number of
 *   attached devices exposing any interface changes, with the count for that
 *   read's own interface. The devices found by Init's first scan raise none.
 * - RequestAsyncRead returns 1 and a new unit id (never 0, never reused);
 *   0 and unit id 0 for a selector that is not one of the keyboard's four
 *   interfaces or a null callback. RequestGetDeviceCount gives 0 for such a
 *   selector.
 * - Input events (kind 1) go to the standing reads of the interface the report
 *   came from; the report is also copied to the registration's read buffer.
 *   The boot keyboard interface of a real keyboard is not read.
 * - Writes go to the real keyboard when one is attached, else to the virtual
 *   one. RequestWriteOne returns 1 when written, 0 when no device exposes the
 *   interface (or the arguments are bad), -1 when the write failed. To the
 *   virtual keyboard, control reports are padded to 64 bytes (longer ones
 *   fail) and status writes must be 2 bytes.
 * - RequestStatusWrite returns like RequestWriteOne and hands out a unit id
 *   only when the write went through (0 otherwise); that registration
 *   receives no events. DeleteRequestFromUnitId returns 1 for a live unit id,
 *   0 otherwise; when it returns, that registration's callback is not running
 *   (unless it was called from that very callback) and is not called again.
 * - End stops every thread, closes every device and releases every
 *   registration; Init after End starts afresh. Entry points called while
 *   the library is not running return 0.
 * - KEYTUNE_TRACE=FILE appends one line per report sent ("> ") or received
 *   ("< "), bytes as lowercase hex pairs separated by spaces.
 */
#ifndef KEYTUNE_HIDSERV_H
#define KEYTUNE_HIDSERV_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A device selector is 16 bytes, little-endian:
 *   u32 0x0000000F, u16 vendor id, u16 product id, u16 usage page, u16 usage, u32 0.
 * It is passed as a pointer to those 16 bytes. */
#define HIDSERV_SELECTOR_SIZE 16

#define HIDSERV_VENDOR_ID 0x0C45
#define HIDSERV_PRODUCT_ID 0x5004

/* The keyboard's four HID interfaces, told apart by usage page and usage. */
#define HIDSERV_KEYBOARD_USAGE_PAGE 0x0001
#define HIDSERV_KEYBOARD_USAGE 0x0006
#define HIDSERV_CONSUMER_USAGE_PAGE 0x000C
#define HIDSERV_CONSUMER_USAGE 0x0001
#define HIDSERV_CONTROL_USAGE_PAGE 0xFF1C
#define HIDSERV_CONTROL_USAGE 0x0092
#define HIDSERV_STATUS_USAGE_PAGE 0x0008
#define HIDSERV_STATUS_USAGE 0x0089

/* Registration tags: four ASCII letters read as a big-endian number. */
#define HIDSERV_TAG_CONS 0x434F4E53u
#define HIDSERV_TAG_CTRL 0x4354524Cu
#define HIDSERV_TAG_DEL 0x004C4544u

/* Event kinds delivered to a callback. */
#define HIDSERV_EVENT_DEVICE_COUNT 0 /* value = the new number of matching devices */
#define HIDSERV_EVENT_INPUT 1        /* value = length of the input report */

/* The registration record of a standing read. The eighth word points to the
 * registration's read buffer, which holds the latest input report; consumers
 * of the "CONS" interface read their input from there. */
typedef struct HidServRegistration {
    void* words[7];      /* the library's own bookkeeping; opaque */
    uint8_t* readBuffer; /* the eighth word */
} HidServRegistration;

/* What an event points to: tag, value, input pointer, a reserved word and the
 * registration record (the fifth word). */
typedef struct HidServEventData {
    uint32_t tag;
    uint32_t value;
    const uint8_t* input;
    void* reserved;
    HidServRegistration* registration;
} HidServEventData;

/* One callback event: a kind, one ignored word, a pointer to the event data. */
typedef struct HidServEvent {
    uint32_t kind;
    uint32_t ignored;
    HidServEventData* data;
} HidServEvent;

/* Called on a library thread; always returns 1. */
typedef int (*HidServCallback)(HidServEvent* event);

/* Entry points. Selectors are 16-byte arrays as described above. */
int Init(int reserved);
int End(void);
int Debug(int level);
int RequestGetDeviceCount(const uint8_t* selector, int reserved1, int reserved2, int reserved3);
int DeleteRequestFromUnitId(uint32_t unitId);
int DeleteRequestFromHandle(void* handle);
int RequestWrite(const uint8_t* selector, int reserved1, int reserved2, const uint8_t* data,
                 int length, int reserved3);
int RequestWriteOne(const uint8_t* selector, int reserved1, int reserved2, const uint8_t* report,
                    int length, int reserved3);
int RequestStatusWrite(const uint8_t* selector, HidServCallback callback, uint32_t tag,
                       const uint8_t* data, int length, uint32_t* outUnitId);
int RequestStatusGet(const uint8_t* selector, uint8_t* data, int length);
int RequestAsyncRead(const uint8_t* selector, HidServCallback callback, uint32_t tag,
                     uint32_t* outUnitId);
int RequestStatusSetFeature(const uint8_t* selector, const uint8_t* data, int length);

/* Function pointer types for binding by name. */
typedef int (*HidServInitFn)(int);
typedef int (*HidServEndFn)(void);
typedef int (*HidServDebugFn)(int);
typedef int (*HidServGetDeviceCountFn)(const uint8_t*, int, int, int);
typedef int (*HidServDeleteFromUnitIdFn)(uint32_t);
typedef int (*HidServDeleteFromHandleFn)(void*);
typedef int (*HidServWriteFn)(const uint8_t*, int, int, const uint8_t*, int, int);
typedef int (*HidServWriteOneFn)(const uint8_t*, int, int, const uint8_t*, int, int);
typedef int (*HidServStatusWriteFn)(const uint8_t*, HidServCallback, uint32_t, const uint8_t*, int,
                                    uint32_t*);
typedef int (*HidServStatusGetFn)(const uint8_t*, uint8_t*, int);
typedef int (*HidServAsyncReadFn)(const uint8_t*, HidServCallback, uint32_t, uint32_t*);
typedef int (*HidServStatusSetFeatureFn)(const uint8_t*, const uint8_t*, int);

#ifdef __cplusplus
}
#endif

#endif /* KEYTUNE_HIDSERV_H */
