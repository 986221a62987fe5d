#pragma once

#include "app/service/JovServiceBase.h"
#include "platform/ns/Value.h"

#include <QStringList>

#include <functional>

class ConfigManager;
class ConfigService;

// Chooses the operator's default connection profiles for a SIM: looks its
// IMSI or its network code up in the match table ("IMSI2DialConfigIdx"),
// takes the named entries of the default-profile table ("AllDefaultDialCfg")
// and rewrites the head of dialConfig.plist with them.
class DialServiceTransplant : public JovServiceBase
{
public:
    static DialServiceTransplant& sharedDialServiceTransplant();

    // A service over the given settings (the shared ones for the shared service).
    DialServiceTransplant(ConfigManager& store, ConfigService& switches);
    DialServiceTransplant(const DialServiceTransplant&) = delete;
    DialServiceTransplant& operator=(const DialServiceTransplant&) = delete;

    // Where the SIM's card number (ICCID) comes from for the special roaming rule.
    void setIccidSource(std::function<QString()> source) { iccidSource_ = std::move(source); }

    // The index of the SIM's default profile, which also becomes the current
    // profile; -1 when none is found, and the current profile is then 0.
    int matchDefaultProfileWithImsi(const QString& imsi);
    // The same search; a hit becomes the current profile, a miss (-1) changes nothing.
    int imsiMatchApn(const QString& imsi);
    // Whether the profiles matched for the IMSI replaced the default profiles of the file.
    bool matchGlobalDefaultProfileWithImsi(const QString& imsi);
    // The global match the settings switch on: by IMSI, by a network-code key
    // or by MCC and MNC; skipped for a roaming SIM of the special table.
    bool matchGlobalApn(const QString& first, const QString& adtionalStr);
    bool imsiMatchGlobalApn(const QString& imsi);
    bool apnMatchWithMCCMNC(const QString& key);
    bool matchApnWithMCC(const QString& mcc, const QString& mnc);
    // Whether the SIM roams under the special table: its card number's fifth
    // and sixth digits differ from the entry of the IMSI's first five.
    bool specialImsiRoamMatch(const QString& imsi) const;

    // The match table's keys for a network code, in the order they are tried:
    // MCC x 100 + MNC for an MNC under three digits, MCC x 1000 + MNC, "NULL".
    static QStringList networkCodeKeys(const QString& mcc, const QString& mnc);
    // The default profiles of the first of those keys that names any.
    ns::Array matchedProfilesForMcc(const QString& mcc, const QString& mnc) const;

    // Lookups: a key's profiles (empty when none), a key's table value, the
    // profiles a table value names (each index in order, those outside the
    // table skipped), and the table value for the longest IMSI prefix of 8
    // down to 4 digits. A missing value is null.
    ns::Array matchApnByString(const QString& key) const;
    ns::Value withMatchStringFindIndexOfMatchedApn(const QString& key) const;
    ns::Array withIndexOfMatchedApnFindInfoOfMatchedApn(const ns::Value& value) const;
    ns::Array findMatchedProfileArray(const ns::Value& value) const;
    ns::Value matchIndexFromImsiConfig(const QString& imsi) const;

    // Replaces the default profiles at the head of dialConfig.plist with the
    // given ones and stores their number; false when nothing was written (no
    // profiles, or a file that cannot be read).
    bool resetDialConfigListWithMatchedApn(const ns::Array& profiles);

private:
    // The default-profile index an IMSI's table value names (the first of an
    // array); -1 when none or outside the table.
    int defaultProfileIndexForImsi(const QString& imsi) const;

    ConfigManager& store_;
    ConfigService& switches_;
    std::function<QString()> iccidSource_;
};
