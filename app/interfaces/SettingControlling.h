#pragma once

#include <QString>

// What the main window asks of the settings controller, which implements it
// and sets g_SettingController when it is created.
class SettingControlling
{
public:
    virtual ~SettingControlling() = default;
    // The user is selecting a network by hand on the settings page.
    virtual bool isManualSelecting() = 0;

    // The network preference the user chose (1: the operator's recommended one).
    virtual int getCurrentNetWorkPreferedMode() = 0;
    // The user lets the program connect by itself.
    virtual bool allowAutoConnect() = 0;
    // The device's identity is known: the update check may run; the model names the device.
    virtual void setCheckForUpdateDoveviEnable(bool enable) = 0;
    virtual void setSmartModel(const QString& model) = 0;
    // The roaming state that the SIM's IMSI implies.
    virtual void setRoamingStateAccordImsi(const QString& imsi) = 0;
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
