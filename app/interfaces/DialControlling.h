#pragma once

#include <QString>

// What start-up, shutdown and the main window ask of the dial controller. The
// dial controller implements it and sets g_DialController when it is created;
// until then nothing is ever being dialled.
class DialControlling
{
public:
    // Connection states answered by connectStatus().
    enum ConnectStatus { Idle = 0, Connecting = 1, Disconnecting = 2, Connected = 3 };

    virtual ~DialControlling() = default;
    // A connection is being made or is up.
    virtual bool GetisDialNow() = 0;
    virtual void SelectDisconnectAction() = 0;
    virtual int connectStatus() = 0;
    // The data connection is up.
    virtual bool getFlagIsConnect() { return connectStatus() == Connected; }
    // The dial controller's share of the end of launching.
    virtual void applicationDidFinishLaunchingInDialController() = 0;
    // Hides or shows the connect button of the connection page.
    virtual void setIsHiddenConnectBtn(bool hidden) = 0;

    // What the network and the SIM ask: the default profile chosen for the
    // SIM (by its IMSI against the whole or the global profile table) or for
    // the network (by its code, or by its MCC and MNC texts).
    virtual void resetDefaultProfileWithImsiAll(const QString& imsi) = 0;
    virtual void resetGlobalDefaultProfileWithImsi(const QString& imsi) = 0;
    virtual void resetDefaultProfileWithMCCMNC(const QString& mccmnc) = 0;
    virtual void resetDefaultProfileWithMcc(const QString& mcc, const QString& mnc) = 0;
    // The user ended the last connection by hand; a connection is being made.
    virtual bool hadDoManualDisconnect() = 0;
    virtual bool isDoingConnect() = 0;
    // The profile cycle, and its use when the network turns from roaming to home.
    virtual void setApnCycleEnable(bool enable) = 0;
    virtual void setApnCyleWhenRoamToNoRoam(bool cycle) = 0;
    virtual void DialDisconnect() = 0;
    virtual void reconnect(bool reconnect) = 0;

    // What the device's start-up tells the connection page.
    // The modem and SIM state line, by wording key.
    virtual void setModemAndSimStateString(const QString& key) = 0;
    // The smart skin's top area: the number of status rows, then its images
    // and status text (a null string leaves that part as it is).
    virtual void setDeviceStatusStringRows(int rows) = 0;
    virtual void smartUITopFixedImage(const QString& image, const QString& homePageImage,
                                      const QString& connectBtnName, const QString& deviceStatus) = 0;
    virtual void setWCDMAConfigHidden(bool hidden) = 0;
    // The SIM is ready: the dial parameters go to the device.
    virtual void setDialParams() = 0;
    // Whether the packet domain is there to connect over.
    virtual void setPSDomainStatus(bool present) = 0;

    // What the low-power check asks: the bytes sent and received over the
    // connection so far.
    virtual double getCurrentTotalData() = 0;
    // The APN of the profile in use, for the diagnostics window.
    virtual QString getDefaultProfileAPN() = 0;
    // The subscriber number (MSISDN) a plug-in has learned, shown on the
    // diagnostics window's SIM page.
    virtual void setDiagMSISDNValue(const QString& number) = 0;
    // What the MMS feature asks: a temporary profile of the MMS settings,
    // added and selected, removed again afterwards; going back to a profile
    // by its index; the added profile's item; the APN of the profile in use.
    virtual void addMMSConfig() = 0;
    virtual void removeMMSConfig() = 0;
    virtual void setDialConfig(int index) = 0;
    virtual int IDMMSConfig() const = 0;
    virtual QString getAPNString() = 0;
};

extern DialControlling* g_DialController;
