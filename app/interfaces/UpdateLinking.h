#pragma once

#include <QString>

// What the controllers ask of the update link to Varnock (the Apple Event
// sender of jCommon/UpdateLink.h): the device's start-up tells it the
// device's identity, its network and its readiness, the main window the
// application's start and the device's removal, the settings pane the update
// settings. The update feature implements it and sets g_UpdateLink when it
// comes up; without it the update link counts as not supported.
class UpdateLinking
{
public:
    virtual ~UpdateLinking() = default;
    virtual bool isSupportUpdate() = 0;
    virtual void dealWithFirmwareVersion(const QString& version) = 0;
    virtual void dealWithInternalFirmwareVersion(const QString& version) = 0;
    virtual void dealWithDeviceType(const QString& model) = 0;
    virtual void dealWithMCCMNC(const QString& mccmnc) = 0;
    virtual void dealWithDeviceReady() = 0;
    // The device's IMEI: the update identity keeps the first one ever seen.
    virtual void dealWithIMEI(const QString& imei) = 0;
    // Whether the update message for a registered network has been sent.
    virtual bool isSendUpdateMessageWhenMCCMNC() = 0;
    virtual void setIsSendUpdateMessageWhenMCCMNC(bool sent) = 0;

    // The application's start and the device's removal, from the main window:
    // the version written, Varnock launched and initialised; the device gone.
    virtual void ApplicationFinishLaunchHook() = 0;
    virtual void send_DeviceOut_Msg() = 0;

    // The settings pane's update box: the agent's settings file rewritten
    // (ENABLE_UPDATE, ServiceURL, UPDATE_FREQUENCE), the agent initialised
    // again, and a check the user asks for.
    virtual void setAutoUpdate(bool enable) = 0;
    virtual void setServiceAddress(const QString& address) = 0;
    virtual void setUpdateDuration(int days) = 0;
    virtual void send_Init_Msg() = 0;
    virtual void send_ManualUpdate_Msg() = 0;
};

extern UpdateLinking* g_UpdateLink;
