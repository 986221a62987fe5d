#pragma once

#include <QString>

// Start-up guards of the manager process.

// YES when fewer than two processes whose names end with this executable's
// name are running (this one included).
bool isSingleInstance();
// How many lines of the process list end with name (0 when it cannot be read).
int countProcessesEndingWith(const QString& name);

// Switches logging on or off from "IsLogOn" in the settings file on disk.
void setKLog();

// SIGTERM: disconnect when dialling, end the device server, exit with 0. The
// handler itself only wakes the main loop, which does the work in that order.
void SignalHandler(int signalNumber);
void installSignalHandler();
