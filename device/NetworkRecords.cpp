#include "device/NetworkRecords.h"

#include "device/InputFaults.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/MccMnc.h"
#include "jCommon/PayloadReader.h"

namespace
{

// 7/36
constexpr int kNetworkTypeOffset = 40;
constexpr int kDomainOffset = 108;

// 7/46
constexpr int kRegistrationOffset = 0;
constexpr int kMccMncOffset = 4;
constexpr int kNetworkModeOffset = 40;
constexpr int kAccessTechnologyOffset = 144;

// 7/37
constexpr int kNameOffset = 0;
constexpr int kAlternativeNameOffset = 68;
constexpr int kMccOffset = 136;
constexpr int kMncOffset = 172;
constexpr int kRoamingOffset = 208;
constexpr int kHomeMccOffset = 244;
constexpr int kHomeMncOffset = 280;
constexpr int kShowSimOperatorNameOffset = 316;
constexpr int kCompleteOffset = 320;

// 7/38
constexpr int kRegistrationStateOffset = 0;
constexpr int kLocationAreaCodeOffset = 4;
constexpr int kCellIdentityOffset = 14;

// 7/56
constexpr int kRoutingAreaCodeOffset = 164;
constexpr int kFrequencyBandOffset = 168;
constexpr int kChannelOffset = 236;
constexpr int kRxQualityOffset = 248;
constexpr int kRxLevelOffset = 252;

constexpr char kCdmaMark = '1';
const QString kRoamOn = QStringLiteral("ROAM_ON");

void logNotACode(const _UI_MSG& record)
{
    logInputFaultOnce(QStringLiteral("%1: the MCC and MNC are not a network code").arg(recordName(record)));
}

} // namespace

bool isCdmaRecord(const _UI_MSG& record)
{
    return record.tail[2] == kCdmaMark;
}

NetInfoRecord NetInfoRecord::fromRecord(const _UI_MSG& record)
{
    return {recordText(record, kNetworkTypeOffset, FieldWidth::kNetworkType),
            recordText(record, kDomainOffset, FieldWidth::kDomain)};
}

SecondFamilyNetInfoRecord SecondFamilyNetInfoRecord::fromRecord(const _UI_MSG& record)
{
    SecondFamilyNetInfoRecord decoded;
    decoded.registration = payloadFloat32(record, kRegistrationOffset);
    const QString code = recordText(record, kMccMncOffset, FieldWidth::kMccMncText);
    if (isMccMncText(code))
        decoded.mccMnc = code;
    else if (!code.isEmpty())
        logNotACode(record);
    decoded.networkMode = recordText(record, kNetworkModeOffset, FieldWidth::kNetworkMode);
    decoded.accessTechnology = recordText(record, kAccessTechnologyOffset, FieldWidth::kAccessTechnology);
    return decoded;
}

RegisteredNetworkRecord RegisteredNetworkRecord::fromRecord(const _UI_MSG& record)
{
    RegisteredNetworkRecord decoded;
    decoded.networkName = recordText(record, kNameOffset, FieldWidth::kNetworkName);
    decoded.alternativeName = recordText(record, kAlternativeNameOffset, FieldWidth::kNetworkName);
    decoded.mcc = recordText(record, kMccOffset, FieldWidth::kNetworkCode);
    decoded.mnc = recordText(record, kMncOffset, FieldWidth::kNetworkCode);
    decoded.roaming = recordText(record, kRoamingOffset, FieldWidth::kNetworkCode);
    decoded.homeMcc = recordText(record, kHomeMccOffset, FieldWidth::kNetworkCode);
    decoded.homeMnc = recordText(record, kHomeMncOffset, FieldWidth::kNetworkCode);
    decoded.showSimOperatorName = payloadInt32(record, kShowSimOperatorNameOffset);
    decoded.complete = record.data[kCompleteOffset] != 0;
    decoded.cdma = isCdmaRecord(record);
    decoded.mccMnc = mccMncText(decoded.mcc, decoded.mnc);
    if (decoded.complete && decoded.mccMnc.isEmpty() && !decoded.mcc.isEmpty())
        logNotACode(record);
    return decoded;
}

QString RegisteredNetworkRecord::displayName(bool displayBelongToSPNWhenNationalRoam) const
{
    if (displayBelongToSPNWhenNationalRoam && mcc == homeMcc && roaming == kRoamOn)
        return alternativeName;
    return networkName;
}

RoamInfoRecord RoamInfoRecord::fromRecord(const _UI_MSG& record)
{
    return {payloadInt32(record, kRegistrationStateOffset),
            recordText(record, kLocationAreaCodeOffset, FieldWidth::kLocationAreaCode),
            recordText(record, kCellIdentityOffset, FieldWidth::kCellIdentity)};
}

CellInfoRecord CellInfoRecord::fromRecord(const _UI_MSG& record)
{
    return {payloadInt32(record, kRoutingAreaCodeOffset),
            recordText(record, kFrequencyBandOffset, FieldWidth::kFrequencyBand),
            payloadInt32(record, kChannelOffset), payloadInt32(record, kRxQualityOffset),
            payloadInt32(record, kRxLevelOffset)};
}
