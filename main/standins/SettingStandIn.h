#pragma once

#include "app/interfaces/SettingControlling.h"
#include "platform/ns/Object.h"

#include <QStringList>

class ConfigManager;
class JOVMsgCenter;

// Stands in for the settings controller until the settings feature joins the
// program: no network is ever being selected by hand and no operator list or
// PIN sheet of the page is ever open; the PIN and PUK counts, the PIN request
// switch and the device-lock state are kept, not shown; the alerts and the
// device-lock outcome are those of the settings page; automatic connection
// follows the stored "AutoConnect" check box as long as it is enabled.
class SettingStandIn : public ns::Object, public SettingControlling
{
public:
    SettingStandIn(JOVMsgCenter& msgCenter, ConfigManager& store);
    ~SettingStandIn() override;

    // The pages of the build: the top-level "SettingDefaultItem", read once.
    bool sethasModuleWith(const QString& page) override { return pages_.contains(page); }
    bool isManualSelecting() override { return false; }
    int getCurrentNetWorkPreferedMode() override { return 0; }
    bool allowAutoConnect() override;
    bool allowAutoReconnect() override;
    bool getOperatorSelectionForNetwork() override { return false; }
    bool isPinPukOrNetSelectWinBeginSheet() override { return false; }
    // The page's first network-mode item; no buttons to hold back while connected.
    int getNetworkMode() override { return 0; }
    void setSettingBtnStatus(bool) override {}
    void setCheckForUpdateDoveviEnable(bool) override {}
    void setSmartModel(const QString&) override {}
    void setRoamingStateAccordImsi(const QString&) override {}
    void setCDMASelectNetworkVisible(bool) override {}
    void setWCDMASelectNetworkVisible(bool) override {}
    void setAutoConnectBtnEnable(bool enabled) override { autoConnectBtnEnabled_ = enabled; }
    void dealWithMsgOfCheckSearchmode(int, int, int) override {}
    void dealWithMsgOfCheckSearchmodeForIcera(int, int) override {}
    void dealWithMsgOfCheckPreferenceMode(int) override {}
    void runAlertPanel(const QString& key) override;
    void setPinTimeLeft(int count) override { pinTimeLeft_ = count; }
    void setPukTimeLeft(int count) override { pukTimeLeft_ = count; }
    void setPinActiveStatus(int state) override { pinActiveStatus_ = state; }
    void setDeviceUnlockCodeState(bool on) override { deviceUnlockCodeState_ = on; }
    void dealWithMsgOfCheckDeviceUnLockResult(int result) override;
    void sendSetRoamSwitch() override;
    // The settings page that knows these is not there: nothing to show.
    QString getPinStatus() override { return QString(); }
    QString getNetworkSelectionMode() override { return QString(); }
    QString getNetworkFindModeSelection() override { return QString(); }
    QString readMessageCenter() override { return QString(); }
    // Without the page's browser list only the first-connection link opens:
    // the translated "The Custom URL", once, while Internet/"CustomURLHasOpened" is NO.
    void AutoLaunchURL() override;

    int pinTimeLeft() const { return pinTimeLeft_; }
    int pukTimeLeft() const { return pukTimeLeft_; }
    int pinActiveStatus() const { return pinActiveStatus_; }
    bool getDeviceUnlockCodeState() const override { return deviceUnlockCodeState_; }

private:
    JOVMsgCenter& msgCenter_;
    ConfigManager& store_;
    QStringList pages_;
    bool autoConnectBtnEnabled_ = true;
    int pinTimeLeft_ = 0;
    int pukTimeLeft_ = 0;
    int pinActiveStatus_ = 0;
    bool deviceUnlockCodeState_ = false;
    // The roaming switches: national, international (1 on).
    int nationalRoamSwitch_ = 0;
    int internationalRoamSwitch_ = 0;
};
