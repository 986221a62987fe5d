#pragma once

#include <QString>

#include <cstdint>

class ConfigManager;
struct SecondFamilyNetInfoRecord;

// Registration, roaming and access technology as the device reports them,
// turned into the states and texts the status area shows.

// Roaming status: 0 roaming, 1 home network, 2 no information.
enum NetworkRoamStatus { kRoamStatusRoaming = 0, kRoamStatusHome = 1, kRoamStatusUnknown = 2 };
// Roam transfer mode: 1 home to roaming, 0 roaming to home, 2 no change.
enum RoamTransferMode { kRoamToHome = 0, kHomeToRoam = 1, kRoamNoChange = 2 };

// From the 3GPP registration result: 5 (roaming) 0, 1 (home) 1, else 2.
int getNetworkRoamStatusWithCregResult(int32_t cregResult);
// From the registered network's roaming text: "ROAM_ON" 0, "ROAM_OFF" 1, else 2.
int getNetworkRoamStatusWithRudaResult(const QString& roaming);

// Where roaming stands: the last status that was roaming or home, and the
// last transition between the two. Both start with no information.
struct RoamTransfer {
    int registeredNetworkRoamStatus = kRoamStatusUnknown;
    int roamTransferMode = kRoamNoChange;

    // Takes a reported status. Roaming and home are judged against the
    // registered status, then become it; no information changes nothing.
    // True when the report moves from home to roaming.
    bool report(int roamStatus);
};

// The domain bits of a domain text: "CS_ONLY" 1, "PS_ONLY" 2, "CS_PS" 3, else 0.
int networkModeWithDomainText(const QString& domain);

// The switches of the network-type text.
struct NetTypeDisplaySwitches {
    bool accordingR3AFromIta = false; // Main/"displayNetTypeAccordingR3AFromIta": 2G, 3G, H, H+
    bool accordingRudiv = false;      // Main/"displayNetTypeAccordingRudiv": append a text
    QString appendingString;          // Main/"AppendingString"

    static NetTypeDisplaySwitches fromConfig(const ConfigManager& config);
};
// The network type as the status area shows it.
QString getDisplayNetWorkTypeWithNetType(const QString& netType, const NetTypeDisplaySwitches& switches);

// The second family's network state from its 7/46 report.
struct SecondFamilyNetwork {
    int mode = 0;             // domain bits
    QString name;             // the network type text
    QString accessTechnology; // "GSM" or "UMTS", or the previous one when the report does not say
};
SecondFamilyNetwork secondFamilyNetwork(const SecondFamilyNetInfoRecord& report,
                                        const QString& currentAccessTechnology);

// The decimal text of a cell identity or area code in hexadecimal, taking
// only its last lastDigits characters when that is 1 or more and the text is
// longer. Empty when the text does not begin with a non-zero hexadecimal
// number.
QString decimalOfHexCode(const QString& hexText, int lastDigits = 0);
