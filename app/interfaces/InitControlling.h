#pragma once

namespace ns
{
class Window;
}

// What the features ask of the device-initialisation controller, which
// implements it and sets g_InitControlling when it is created.
class InitControlling
{
public:
    virtual ~InitControlling() = default;
    // The roaming state of the registered network: 0 roaming, 1 home, 2 unknown.
    virtual int networkRoamStatus() const = 0;
    // The registered network is in the operator's white list.
    virtual bool isInWhiteList() const = 0;
    // The user wants the reminder before connecting on a white-list network.
    virtual bool roamTipWhenInWhiteList() const = 0;
    // The last roaming transition: 1 home to roaming, 0 roaming to home, 2 none.
    virtual int roamTransferMode() const = 0;
    // The packet domain is there for a connection the program starts by itself.
    virtual bool checkToReturnPSDomain() const = 0;
    // The unlock-device sheet on that window, for the feature of that number
    // (0 the connection, 1 SMS, 6 settings ...).
    virtual void openUnlockDeviceWindow(ns::Window* window) = 0;
    virtual void setDeviceLockFunctionModule(int module) = 0;
    virtual int getDeviceLockFunctionModule() const = 0;
    // The smart skin shows its next status text in the large font.
    virtual bool getSmartUITopFrontSizeFlag() const = 0;
    virtual void setSmartUITopFrontSizeFlag(bool flag) = 0;
};

extern InitControlling* g_InitControlling;
