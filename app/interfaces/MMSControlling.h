#pragma once

#include "platform/ns/Notification.h"

// What the main window asks of the MMS controller (MMSController's
// sharedManager), which implements it and sets g_MMSController when it is created.
class MMSControlling
{
public:
    virtual ~MMSControlling() = default;
    // The main window moved: the MMS preview window follows it.
    virtual void windowDidMove(const ns::Notification& notification) = 0;
    // The data connection came up, or ended.
    virtual void connectRunningStatuFromDial() = 0;
    virtual void connectIdleStatuFromDial() = 0;
};

extern MMSControlling* g_MMSController;
