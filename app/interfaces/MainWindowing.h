#pragma once

// What the features ask of the main window's controller, which implements it
// and sets g_MainWindowing when it is created.
class MainWindowing
{
public:
    virtual ~MainWindowing() = default;
    // Brings the main window back (from the dock or hidden) and to the front.
    virtual void openMainWindow() = 0;
    // A connection came up: the main window goes to the dock when so configured.
    virtual void miniaturizeMainWindowWhenConnectSucced() = 0;
    // A device came: the main window goes to the dock when so configured.
    virtual void miniaturizeMainWindowWhenAppFinishLaunching() = 0;
    // The status-bar item shows the connection state.
    virtual void freshStatusViewWhenDialStatusChanged() = 0;
};

extern MainWindowing* g_MainWindowing;
