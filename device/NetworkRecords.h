#pragma once

#include "jCommon/UIMsg.h"

#include <QString>

#include <cstdint>

// The network reports of the device, decoded from their records. Texts are
// read within their fixed widths; a field without its NUL, or a code that is
// not one, is logged once and decoded as far as it goes.

// Whether the record carries the CDMA mark: '1' in the third byte of its tail.
bool isCdmaRecord(const _UI_MSG& record);

// 7/36: service domain and network type.
struct NetInfoRecord {
    QString networkType; // "UMTS", "HSDPA", "No Service" ...
    QString domain;      // "CS_ONLY", "PS_ONLY" or "CS_PS"

    static NetInfoRecord fromRecord(const _UI_MSG& record);
};

// 7/46: the second family's registration, network code, mode and access technology.
struct SecondFamilyNetInfoRecord {
    float registration = 0;   // 0.0 or -1.0: no network
    QString mccMnc;           // the network code; empty when the text is not one
    QString networkMode;      // holds "2g", "3g", "2G" or "3G" and the technology name
    QString accessTechnology; // "-" when not given

    bool hasNetwork() const { return registration != 0.0f && registration != -1.0f; }
    static SecondFamilyNetInfoRecord fromRecord(const _UI_MSG& record);
};

// 7/37: the registered network (324 bytes).
struct RegisteredNetworkRecord {
    QString networkName;     // long form; "Not Found" when the device has none
    QString alternativeName; // used for national roaming
    QString mcc;             // the network's MCC and MNC texts
    QString mnc;
    QString roaming; // "ROAM_ON" or "ROAM_OFF"
    QString homeMcc;
    QString homeMnc;
    int32_t showSimOperatorName = 0; // 1 when the SIM's operator name may be shown here
    bool complete = false;           // false when the record carries only the name
    bool cdma = false;
    QString mccMnc; // the network's code from mcc and mnc; empty when they are not one

    static RegisteredNetworkRecord fromRecord(const _UI_MSG& record);
    // The name to show: the alternative name instead when national roaming
    // shows the SIM's operator (the switch on, the network's MCC the home
    // MCC and the roaming text "ROAM_ON").
    QString displayName(bool displayBelongToSPNWhenNationalRoam) const;
};

// 7/38: registration state, location area and cell.
struct RoamInfoRecord {
    int32_t registrationState = 0; // 1 registered at home, 5 registered roaming
    QString locationAreaCode;      // hexadecimal text
    QString cellIdentity;          // hexadecimal text

    static RoamInfoRecord fromRecord(const _UI_MSG& record);
};

// 7/56: cell details for the diagnostics.
struct CellInfoRecord {
    int32_t routingAreaCode = 0;
    QString frequencyBand;
    int32_t channel = 0;
    int32_t rxQuality = 0;
    int32_t rxLevel = 0;

    static CellInfoRecord fromRecord(const _UI_MSG& record);
};
