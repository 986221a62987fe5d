#include "connection/DialProfile.h"

namespace DialProfile
{

void addIPv6ParaNumArray(QStringList& numberKeys, QStringList& textKeys)
{
    numberKeys << kIPv6AuthMode << kSinglePdp;
    textKeys << kIPv6ApnName << kIPv6Username << kIPv6Password;
}

ns::Dictionary safeDialConfig(const ns::Dictionary& profile, bool dualPdp)
{
    QStringList numbers{kPdpFlag, kPdpType,          kPppFlag,        kApnFlag,
                        kDnsFlag, kSaveUsernameFlag, kAskUsernameFlag};
    QStringList texts{kProvider,  kApnName,    kAccountName, kPassword,
                      kTelNumber, kPdpAddress, kPreDns,      kAltDns};
    if (dualPdp)
        addIPv6ParaNumArray(numbers, texts);
    ns::Dictionary safe = profile.copy();
    for (const QString& key : texts)
        if (!safe.contains(key))
            safe.setValue(key, QString());
    for (const QString& key : numbers)
        if (!safe.contains(key))
            safe.setValue(key, 0);
    return safe;
}

DialParams dialParamsOfProfile(const ns::Dictionary& profile, const DialParamsContext& context)
{
    DialParams params;
    params.apn = profile.value(kApnName).stringValue();
    params.telNumber = profile.value(kTelNumber).stringValue();
    params.userName = profile.value(kAccountName).stringValue();
    params.password = profile.value(kPassword).stringValue();
    params.pdpAddress = profile.value(kPdpAddress).stringValue();
    params.connectType = context.connectType;
    params.authentication = profile.value(kPppFlag).intValue();
    params.pdpType = profile.value(kPdpType).intValue();
    params.pdpAddressMode = profile.value(kPdpFlag).intValue();
    params.disableAlertWindow = context.disableAlertWindow ? 1 : 0;
    params.mtuSize = context.mtuSize;
    params.preferredDns = profile.value(kPreDns).stringValue();
    params.alternateDns = profile.value(kAltDns).stringValue();
    if (context.dualPdp) { // setDialParamsForIPv6
        params.ipv6Apn = profile.value(kIPv6ApnName).stringValue();
        params.ipv6PreferredDns = profile.value(kIPv6PrefDNS).stringValue();
        params.ipv6AlternateDns = profile.value(kIPv6AltDNS).stringValue();
    }
    return params;
}

ns::Dictionary mmsDialConfig(const ns::Dictionary& mmsSettings, const QString& provider)
{
    const QString apn = mmsSettings.value(QStringLiteral("APN")).toString();
    const QString user = mmsSettings.value(QStringLiteral("WapGateUserName")).toString();
    const bool hasUser = !user.isEmpty();
    return ns::Dictionary{
        {kProvider, provider},
        {kApnFlag, apn.isEmpty() ? QStringLiteral("0") : QStringLiteral("1")},
        {kApnName, apn.isEmpty() ? QStringLiteral("0") : apn},
        {kSaveUsernameFlag, hasUser ? 1 : 0},
        {kAccountName, user},
        {kPassword, hasUser ? mmsSettings.value(QStringLiteral("WapGatePassword")).toString() : QString()},
        {kTelNumber, QStringLiteral("*99#")},
        {kDnsFlag, 0},
        {kPdpFlag, 0},
        {kPppFlag, 0},
    };
}

} // namespace DialProfile
