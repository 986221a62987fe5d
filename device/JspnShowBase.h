#pragma once

#include "device/JspnShowProtocol.h"

class InitService;

// The base of the operator-name rules: holds the names and conditions that
// the operator-file service fills in, and shows both names as held.
class JspnShowBase : public JspnShowProtocol
{
public:
    // A rule of the given service, which tells it whether the device is at
    // home or in a friendly network.
    explicit JspnShowBase(const InitService& service);

    void setLocalSpn(const QString& localSpn) { localSpn_ = localSpn; }
    void setHomeSpn(const QString& homeSpn) { homeSpn_ = homeSpn; }
    void setThe1and2FiledFromSPN(int field) { the1and2FiledFromSPN_ = field; }
    int roamType() const { return roamType_; }
    void setRoamType(int roamType) { roamType_ = roamType; }

    // The held names, empty when none is held.
    QString getHomeSpn() const override;
    QString getLocalSpn() const override;

protected:
    // The service's view: the registered network is the home network or one
    // of the SIM's friendly networks.
    bool isHomeOrFriendlyNetWork() const;

    int the1and2FiledFromSPN_ = 0;
    QString localSpn_;
    QString homeSpn_;
    int roamType_ = 0;

private:
    const InitService& service_;
};
