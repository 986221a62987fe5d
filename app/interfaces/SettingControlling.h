#pragma once

// What the main window asks of the settings controller, which implements it
// and sets g_SettingController when it is created.
class SettingControlling
{
public:
    virtual ~SettingControlling() = default;
    // The user is selecting a network by hand on the settings page.
    virtual bool isManualSelecting() = 0;

    // What the device's start-up tells the settings page.
    // Which network-selection controls the modem family uses.
    virtual void setCDMASelectNetworkVisible(bool visible) = 0;
    virtual void setWCDMASelectNetworkVisible(bool visible) = 0;
    // Enables or disables the automatic-connection check box.
    virtual void setAutoConnectBtnEnable(bool enabled) = 0;
    // Sends the roaming switches of the settings page to the device.
    virtual void sendSetRoamSwitch() = 0;
    // The network search and preference modes the device reported.
    virtual void dealWithMsgOfCheckSearchmode(int searchMode, int selectedMode, int prefMode) = 0;
    virtual void dealWithMsgOfCheckSearchmodeForIcera(int searchMode, int selectedMode) = 0;
    virtual void dealWithMsgOfCheckPreferenceMode(int mode) = 0;
};

extern SettingControlling* g_SettingController;
