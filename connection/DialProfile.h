#pragma once

#include "jCommon/DialParams.h"
#include "platform/ns/Value.h"

#include <QStringList>

// Connection profiles: the dictionaries of dialConfig.plist and of the
// operator's default-profile table, their keys, how a profile is completed
// before use and the dial parameters it gives.
namespace DialProfile
{

inline const QString kProvider = QStringLiteral("provider");
inline const QString kTelNumber = QStringLiteral("telNumber");
inline const QString kAccountName = QStringLiteral("accountName");
inline const QString kPassword = QStringLiteral("password");
inline const QString kApnName = QStringLiteral("apnName");
inline const QString kPdpAddress = QStringLiteral("pdpAddress");
inline const QString kPreDns = QStringLiteral("preDns");
inline const QString kAltDns = QStringLiteral("altDns");
inline const QString kSaveUsernameFlag = QStringLiteral("saveUsernameFlag");
inline const QString kAskUsernameFlag = QStringLiteral("askUsernameFlag");
inline const QString kPdpType = QStringLiteral("pdpType");
inline const QString kApnFlag = QStringLiteral("apnFlag");
inline const QString kPdpFlag = QStringLiteral("pdpFlag");
inline const QString kDnsFlag = QStringLiteral("dnsFlag");
inline const QString kPppFlag = QStringLiteral("pppFlag");
inline const QString kIMSI = QStringLiteral("IMSI");
inline const QString kIPv6ApnName = QStringLiteral("IPv6ApnName");
inline const QString kIPv6PrefDNS = QStringLiteral("IPv6PrefDNS");
inline const QString kIPv6AltDNS = QStringLiteral("IPv6AltDNS");
inline const QString kIPv6DNSMode = QStringLiteral("IPv6DNSMode");
inline const QString kIPv6Username = QStringLiteral("IPv6Username");
inline const QString kIPv6Password = QStringLiteral("IPv6Password");
inline const QString kIPv6SaveAccount = QStringLiteral("IPv6SaveAccount");
inline const QString kIPv6ApnMode = QStringLiteral("IPv6ApnMode");
inline const QString kIPv6PDPMode = QStringLiteral("IPv6PDPMode");
inline const QString kIPv6PDPAddr = QStringLiteral("IPv6PDPAddr");
inline const QString kIPv6AuthMode = QStringLiteral("IPv6AuthMode");
inline const QString kSinglePdp = QStringLiteral("SinglePdp");

// Adds the IPv6 keys to the number and text keys a completed profile has.
void addIPv6ParaNumArray(QStringList& numberKeys, QStringList& textKeys);

// A copy of the profile with every missing text key set to the empty text
// and every missing number key to 0 (createSafeDialConfig); with dual-PDP
// support the IPv6 keys are completed too. An empty profile gives the
// all-automatic one.
ns::Dictionary safeDialConfig(const ns::Dictionary& profile, bool dualPdp);

// What the dial-parameter record takes from beside the profile.
struct DialParamsContext {
    int connectType = 0; // 0 PPP, else NDIS
    bool disableAlertWindow = false;
    int mtuSize = 0;
    bool dualPdp = false; // the IPv6 fields are sent only with dual-PDP support
};

// The dial parameters of a completed profile.
DialParams dialParamsOfProfile(const ns::Dictionary& profile, const DialParamsContext& context);

// The temporary MMS profile built from the MMS settings ("APN",
// "WapGateUserName", "WapGatePassword"), shown under the given provider name.
ns::Dictionary mmsDialConfig(const ns::Dictionary& mmsSettings, const QString& provider);

} // namespace DialProfile
