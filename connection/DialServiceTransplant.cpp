#include "connection/DialServiceTransplant.h"

#include "app/config/ConfigManager.h"
#include "app/config/ConfigService.h"
#include "connection/DialConfigFile.h"
#include "connection/ProfileRules.h"

#include <algorithm>

namespace
{

constexpr int kLongestImsiPrefix = 8;
constexpr int kShortestImsiPrefix = 4;
constexpr int kSpecialRoamImsiDigits = 5;
constexpr int kIccidMncPosition = 4; // the fifth and sixth digits
constexpr int kIccidMncLength = 2;

} // namespace

DialServiceTransplant& DialServiceTransplant::sharedDialServiceTransplant()
{
    static DialServiceTransplant* shared = // never freed
        new DialServiceTransplant(ConfigManager::sharedConfigManager(), ConfigService::sharedConfigService());
    return *shared;
}

DialServiceTransplant::DialServiceTransplant(ConfigManager& store, ConfigService& switches)
    : store_(store), switches_(switches)
{
}

int DialServiceTransplant::matchDefaultProfileWithImsi(const QString& imsi)
{
    const int index = defaultProfileIndexForImsi(imsi);
    switches_.writeCurrentProfile(std::max(index, 0));
    return index;
}

int DialServiceTransplant::imsiMatchApn(const QString& imsi)
{
    const int index = defaultProfileIndexForImsi(imsi);
    if (index >= 0)
        switches_.writeCurrentProfile(index);
    return index;
}

int DialServiceTransplant::defaultProfileIndexForImsi(const QString& imsi) const
{
    ns::Value value = matchIndexFromImsiConfig(imsi);
    if (value.isArray())
        value = value.toArray().isEmpty() ? ns::Value() : value.toArray().at(0);
    if (!value.isNumber())
        return -1;
    const int index = value.intValue();
    const int count = switches_.readDefDialCfgs().toArray().count();
    return index >= 0 && index < count ? index : -1;
}

bool DialServiceTransplant::matchGlobalDefaultProfileWithImsi(const QString& imsi)
{
    return imsiMatchGlobalApn(imsi);
}

bool DialServiceTransplant::matchGlobalApn(const QString& first, const QString& adtionalStr)
{
    if (switches_.isSpecialImsiRoam() && specialImsiRoamMatch(first))
        return false;
    if (switches_.isImsiMatchGlobalApn())
        return imsiMatchGlobalApn(first);
    if (switches_.isAPNMatchWithMCCMNC())
        return apnMatchWithMCCMNC(first);
    if (switches_.isRudaMatchApn())
        return matchApnWithMCC(first, adtionalStr);
    qWarning("Error: global apn match didn't match, for the reason missed the setting config");
    return false;
}

bool DialServiceTransplant::imsiMatchGlobalApn(const QString& imsi)
{
    return resetDialConfigListWithMatchedApn(findMatchedProfileArray(matchIndexFromImsiConfig(imsi)));
}

bool DialServiceTransplant::apnMatchWithMCCMNC(const QString& key)
{
    return resetDialConfigListWithMatchedApn(matchApnByString(key));
}

bool DialServiceTransplant::matchApnWithMCC(const QString& mcc, const QString& mnc)
{
    return resetDialConfigListWithMatchedApn(matchedProfilesForMcc(mcc, mnc));
}

bool DialServiceTransplant::specialImsiRoamMatch(const QString& imsi) const
{
    if (imsi.size() < kSpecialRoamImsiDigits)
        return false;
    const ns::Value entry =
        switches_.specialImsiAndIccidMnc().toDictionary().value(imsi.left(kSpecialRoamImsiDigits));
    if (!entry.isString())
        return false;
    const QString iccid = iccidSource_ ? iccidSource_() : QString();
    if (iccid.size() < kIccidMncPosition + kIccidMncLength)
        return false;
    return iccid.mid(kIccidMncPosition, kIccidMncLength) != entry.toString();
}

QStringList DialServiceTransplant::networkCodeKeys(const QString& mcc, const QString& mnc)
{
    QStringList keys;
    bool mccIsNumber = false;
    bool mncIsNumber = false;
    const int mccValue = mcc.toInt(&mccIsNumber);
    const int mncValue = mnc.toInt(&mncIsNumber);
    if (mccIsNumber && mncIsNumber) {
        if (mnc.size() < 3)
            keys << QString::number(mccValue * 100 + mncValue);
        keys << QString::number(mccValue * 1000 + mncValue);
    }
    keys << QStringLiteral("NULL");
    return keys;
}

ns::Array DialServiceTransplant::matchedProfilesForMcc(const QString& mcc, const QString& mnc) const
{
    for (const QString& key : networkCodeKeys(mcc, mnc)) {
        const ns::Array profiles = matchApnByString(key);
        if (!profiles.isEmpty())
            return profiles;
    }
    return ns::Array();
}

ns::Array DialServiceTransplant::matchApnByString(const QString& key) const
{
    return findMatchedProfileArray(withMatchStringFindIndexOfMatchedApn(key));
}

ns::Value DialServiceTransplant::withMatchStringFindIndexOfMatchedApn(const QString& key) const
{
    return switches_.readImsiConfig().toDictionary().value(key);
}

ns::Array DialServiceTransplant::withIndexOfMatchedApnFindInfoOfMatchedApn(const ns::Value& value) const
{
    return findMatchedProfileArray(value);
}

ns::Array DialServiceTransplant::findMatchedProfileArray(const ns::Value& value) const
{
    const ns::Array defaults = switches_.readDefDialCfgs().toArray();
    const ns::Array indices = value.isArray() ? value.toArray() : ns::Array{value};
    ns::Array profiles;
    for (const ns::Value& index : indices) {
        if (!index.isNumber() || index.intValue() < 0 || index.intValue() >= defaults.count())
            continue;
        const ns::Value& profile = defaults.at(index.intValue());
        if (profile.isDictionary())
            profiles.append(profile.deepCopy());
    }
    return profiles;
}

ns::Value DialServiceTransplant::matchIndexFromImsiConfig(const QString& imsi) const
{
    const ns::Dictionary table = switches_.readImsiConfig().toDictionary();
    for (int length = std::min<int>(kLongestImsiPrefix, int(imsi.size())); length >= kShortestImsiPrefix;
         --length)
        if (table.contains(imsi.left(length)))
            return table.value(imsi.left(length));
    return ns::Value();
}

bool DialServiceTransplant::resetDialConfigListWithMatchedApn(const ns::Array& profiles)
{
    if (profiles.isEmpty())
        return false;
    const DialConfigFile file(store_);
    std::optional<ns::Array> list = file.read();
    if (!list)
        return false; // an unreadable file keeps its default count and is not written
    profile_rules::replaceDefaultProfiles(*list, std::min(switches_.readDefaultProfileNum(), list->count()),
                                          profiles);
    if (!file.write(*list))
        return false;
    switches_.writeDefaultProfileNum(profiles.count());
    return true;
}
