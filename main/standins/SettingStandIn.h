#pragma once

#include "app/interfaces/SettingControlling.h"

// Stands in for the settings controller until the settings feature joins the
// program: no network is ever being selected by hand
// and nothing connects by itself.
class SettingStandIn : public SettingControlling
{
public:
    SettingStandIn() { g_SettingController = this; }
    ~SettingStandIn() override
    {
        if (g_SettingController == this)
            g_SettingController = nullptr;
    }

    bool isManualSelecting() override { return false; }
    int getCurrentNetWorkPreferedMode() override { return 0; }
    bool allowAutoConnect() override { return false; }
    void setCheckForUpdateDoveviEnable(bool) override {}
    void setSmartModel(const QString&) override {}
    void setRoamingStateAccordImsi(const QString&) override {}
    void setCDMASelectNetworkVisible(bool) override {}
    void setWCDMASelectNetworkVisible(bool) override {}
    void setAutoConnectBtnEnable(bool) override {}
    void sendSetRoamSwitch() override {}
    void dealWithMsgOfCheckSearchmode(int, int, int) override {}
    void dealWithMsgOfCheckSearchmodeForIcera(int, int) override {}
    void dealWithMsgOfCheckPreferenceMode(int) override {}
};
