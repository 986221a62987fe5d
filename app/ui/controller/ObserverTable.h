#pragma once

// One row of an observer table: the handler's selector name and the name of
// the in-process notification it handles ("deviceRemoved:", "DeviceRemoved").
// A table is a static array of rows ended by a row of two null pointers; each
// feature keeps its own and registers it with JOVUIController::registerNotification.
struct ObserverTableEntry {
    const char* selector;
    const char* notification;
};
