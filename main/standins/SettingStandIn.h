#pragma once

#include "app/interfaces/SettingControlling.h"
#include "platform/ns/Object.h"

class JOVMsgCenter;

// Stands in for the settings controller until the settings feature joins the
// program: no network is ever being selected by hand; the PIN and PUK counts,
// the PIN request switch and the device-lock state are kept, not shown; the
// alerts and the device-lock outcome are those of the settings page; nothing
// connects by itself.
class SettingStandIn : public ns::Object, public SettingControlling
{
public:
    explicit SettingStandIn(JOVMsgCenter& msgCenter);
    ~SettingStandIn() override;

    bool isManualSelecting() override { return false; }
    int getCurrentNetWorkPreferedMode() override { return 0; }
    bool allowAutoConnect() override { return false; }
    void setCheckForUpdateDoveviEnable(bool) override {}
    void setSmartModel(const QString&) override {}
    void setRoamingStateAccordImsi(const QString&) override {}
    void setCDMASelectNetworkVisible(bool) override {}
    void setWCDMASelectNetworkVisible(bool) override {}
    void setAutoConnectBtnEnable(bool) override {}
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

    int pinTimeLeft() const { return pinTimeLeft_; }
    int pukTimeLeft() const { return pukTimeLeft_; }
    int pinActiveStatus() const { return pinActiveStatus_; }
    bool getDeviceUnlockCodeState() const override { return deviceUnlockCodeState_; }

private:
    JOVMsgCenter& msgCenter_;
    int pinTimeLeft_ = 0;
    int pukTimeLeft_ = 0;
    int pinActiveStatus_ = 0;
    bool deviceUnlockCodeState_ = false;
    // The roaming switches: national, international (1 on).
    int nationalRoamSwitch_ = 0;
    int internationalRoamSwitch_ = 0;
};
