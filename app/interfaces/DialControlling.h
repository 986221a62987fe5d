#pragma once

// What start-up, shutdown and the main window ask of the dial controller. The
// dial controller implements it and sets g_DialController when it is created;
// until then nothing is ever being dialled.
class DialControlling
{
public:
    // Connection states answered by connectStatus().
    enum ConnectStatus { Idle = 0, Connecting = 1, Disconnecting = 2, Connected = 3 };

    virtual ~DialControlling() = default;
    // A connection is being made or is up.
    virtual bool GetisDialNow() = 0;
    virtual void SelectDisconnectAction() = 0;
    virtual int connectStatus() = 0;
    // The dial controller's share of the end of launching.
    virtual void applicationDidFinishLaunchingInDialController() = 0;
    // Hides or shows the connect button of the connection page.
    virtual void setIsHiddenConnectBtn(bool hidden) = 0;
};

extern DialControlling* g_DialController;
