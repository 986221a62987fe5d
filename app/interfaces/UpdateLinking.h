#pragma once

#include <QString>

// What the device's start-up tells the update link to Varnock (the Apple
// Event sender of jCommon/UpdateLink.h): the device's identity, its network
// and its readiness. The update feature implements it and sets g_UpdateLink
// when it comes up; without it the update link counts as not supported.
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
};

extern UpdateLinking* g_UpdateLink;
