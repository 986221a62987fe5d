#pragma once

#include "app/interfaces/DialControlling.h"

// Stands in for the dial controller until the connection feature joins the
// program: nothing is ever being dialled or connected.
class DialStandIn : public DialControlling
{
public:
    DialStandIn() { g_DialController = this; }
    ~DialStandIn() override
    {
        if (g_DialController == this)
            g_DialController = nullptr;
    }

    bool GetisDialNow() override { return false; }
    void SelectDisconnectAction() override {}
    int connectStatus() override { return Idle; }
    void applicationDidFinishLaunchingInDialController() override {}
    void setIsHiddenConnectBtn(bool) override {}
    void resetDefaultProfileWithImsiAll(const QString&) override {}
    void resetGlobalDefaultProfileWithImsi(const QString&) override {}
    void resetDefaultProfileWithMCCMNC(const QString&) override {}
    void resetDefaultProfileWithMcc(const QString&, const QString&) override {}
    bool hadDoManualDisconnect() override { return false; }
    bool isDoingConnect() override { return false; }
    void setApnCycleEnable(bool) override {}
    void setApnCyleWhenRoamToNoRoam(bool) override {}
    void DialDisconnect() override {}
    void reconnect(bool) override {}
    void setModemAndSimStateString(const QString&) override {}
    void setDeviceStatusStringRows(int) override {}
    void smartUITopFixedImage(const QString&, const QString&, const QString&, const QString&) override {}
    void setWCDMAConfigHidden(bool) override {}
    void setDialParams() override {}
    void setPSDomainStatus(bool) override {}
    void addMMSConfig() override {}
    void removeMMSConfig() override {}
    void setDialConfig(int) override {}
    int IDMMSConfig() const override { return 0; }
    QString getAPNString() override { return QString(); }
};
