#pragma once

// What the update manager and the firmware download libraries share: one port
// library that drives the modem's serial port, and one platform library per
// modem chip platform that knows the flashing procedure. The update manager
// loads both by path, hands the platform library a table of the port
// library's functions and of its own progress callback, and runs the platform
// library's download on a thread of its own.

#include <cstdint>

extern "C" {

// The record a platform library passes to NotifyUIChange: bytes 0 to 7 are
// the library's own, then the index of the progress text and the progress
// (0 to 100).
struct _DownloadProgress {
    int32_t reserved[2];
    int32_t index;
    int32_t progress;
};
static_assert(sizeof(_DownloadProgress) == 16);

// The update manager's progress callback; answers 1.
typedef int (*NotifyUIChangeFunction)(const void* record);

// The port library: "Open", "Close", "IsOpen", "ReadData", "SendData", "ReadDataWaiting".
typedef int (*PortOpenFunction)(const char* device); // 1 when the port opened
typedef int (*PortCloseFunction)(void);              // 1
typedef int (*PortIsOpenFunction)(void);             // 1 while a port is open
// Reads at most length bytes, waiting at most timeoutMs for the first; the
// count read, 0 on time-out, -1 on failure.
typedef int (*PortReadDataFunction)(unsigned char* buffer, int length, int timeoutMs);
// Writes all the bytes; the count written, -1 on failure.
typedef int (*PortSendDataFunction)(const unsigned char* data, int length);
// The count of bytes that can be read at once, -1 on failure.
typedef int (*PortReadDataWaitingFunction)(void);

// The table a platform library receives ("registrEvent"): every entry set.
struct _IDownloadEvent {
    NotifyUIChangeFunction NotifyUIChange;
    PortOpenFunction CallbackFun_Open;
    PortCloseFunction CallbackFun_Close;
    PortIsOpenFunction CallbackFun_IsOpened;
    PortReadDataFunction CallbackFun_ReadData;
    PortSendDataFunction CallbackFun_SendData;
    PortReadDataWaitingFunction CallbackFun_ReadDataWaiting;
};

// The platform library: "download", "initialize", "registrEvent", "checkPlatform".
// Writes the firmware; 1 for success. The context is the caller's own.
typedef unsigned char (*DownloadFunction)(void* context);
// Takes the package folder; 1 when the package is valid for this library.
typedef unsigned char (*InitializeFunction)(const char* packageFolder);
// 1 when the table is accepted; from then on the library reports and uses the port through it.
typedef unsigned char (*RegisterEventFunction)(const _IDownloadEvent* events);
// Non-zero when the library serves the platform.
typedef unsigned char (*CheckPlatformFunction)(const int32_t* platform);

struct _UIDownloadEvent {
    DownloadFunction download;
    InitializeFunction initialize;
    RegisterEventFunction registerEvent;
    CheckPlatformFunction checkPlatform;
};

} // extern "C"
