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
};

extern SettingControlling* g_SettingController;
