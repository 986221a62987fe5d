#pragma once

#include <QString>

// What the main window and the initialisation controller ask of the settings
// controller, which implements it and sets g_SettingController when it is
// created.
class SettingControlling
{
public:
    virtual ~SettingControlling() = default;
    // The build lists the settings page of that identifier ("SettingDefaultItem").
    virtual bool sethasModuleWith(const QString& pageIdentifier) = 0;
    // The user is selecting a network by hand on the settings page.
    virtual bool isManualSelecting() = 0;

    // The network preference the user chose (1: the operator's recommended one).
    virtual int getCurrentNetWorkPreferedMode() = 0;
    // The user lets the program connect by itself.
    virtual bool allowAutoConnect() = 0;
    // The program may connect again by itself after a drop: always with
    // Internet/"EnableAutoReconnectNotDependOnAutoConnectLable", else as allowAutoConnect.
    virtual bool allowAutoReconnect() = 0;
    // The operator-selection window is open.
    virtual bool getOperatorSelectionForNetwork() = 0;
    // One of the page's PIN, PUK or network-selection sheets is on the main window.
    virtual bool isPinPukOrNetSelectWinBeginSheet() = 0;
    // The network mode chosen on the page (the tag of its item), sent with the
    // packet-domain attach.
    virtual int getNetworkMode() = 0;
    // Enables the page's buttons that must not be used while a connection runs.
    virtual void setSettingBtnStatus(bool enabled) = 0;
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
    // The network search and preference modes the device reported.
    virtual void dealWithMsgOfCheckSearchmode(int searchMode, int selectedMode, int prefMode) = 0;
    virtual void dealWithMsgOfCheckSearchmodeForIcera(int searchMode, int selectedMode) = 0;
    virtual void dealWithMsgOfCheckPreferenceMode(int mode) = 0;

    // What the PIN, PUK and device-lock windows tell the settings page.
    // Shows the wording key, translated, in a warning alert ("Warning!", "OK").
    virtual void runAlertPanel(const QString& key) = 0;
    // The PIN and PUK attempts left, shown on the settings page and kept.
    virtual void setPinTimeLeft(int count) = 0;
    virtual void setPukTimeLeft(int count) = 0;
    // The device's PIN request switch (4/13).
    virtual void setPinActiveStatus(int state) = 0;
    // The device-lock check box: on while the device lock is in force.
    virtual void setDeviceUnlockCodeState(bool on) = 0;
    // A device unlock code is set and in force.
    virtual bool getDeviceUnlockCodeState() const = 0;
    // The outcome of a device code that a feature asked for (0 success, 255
    // a wrong code): posts "DeviceUnlockSuccess", or alerts "Invalid
    // password!" once and posts "DeviceUnlockFailed".
    virtual void dealWithMsgOfCheckDeviceUnLockResult(int result) = 0;
    // Sends the national and international roaming switches of the settings
    // page to the device.
    virtual void sendSetRoamSwitch() = 0;

    // What the diagnostics window shows, as display texts: the PIN state,
    // the network selection mode, the preferred network mode, and the
    // settings' "MessageCenterNum" (empty when absent).
    virtual QString getPinStatus() = 0;
    virtual QString getNetworkSelectionMode() = 0;
    virtual QString getNetworkFindModeSelection() = 0;
    virtual QString readMessageCenter() = 0;

    // An NDIS link came up: the page's start page opens, when the user chose one.
    virtual void AutoLaunchURL() = 0;
};

extern SettingControlling* g_SettingController;
