#include "device/SignalReports.h"

#include "jCommon/PayloadReader.h"

#include <algorithm>
#include <array>
#include <limits>

namespace
{

struct UmtsThreshold {
    int level;
    int rscp;
    int ecno;
};

constexpr std::array<UmtsThreshold, 5> kUmtsThresholds = {{
    {5, -91, -8},
    {4, -97, -10},
    {3, -104, -12},
    {2, -111, -15},
    {1, -115, -18},
}};

// Lower bounds (dBm) of GSM levels 5 down to 1.
constexpr std::array<int, 5> kGsmThresholds = {-81, -87, -93, -99, -107};

// A record's int32 as an int the diagnostics can show, its sign turned.
int negated(int64_t value)
{
    return int(std::clamp<int64_t>(-value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Levels of the CDMA magnitudes: smaller is stronger, 1 to 119 present.
int cdmaMagnitudeLevel(int32_t magnitude)
{
    if (magnitude <= 0 || magnitude >= 120)
        return 0;
    if (magnitude >= 95)
        return 1;
    if (magnitude >= 85)
        return 2;
    if (magnitude >= 75)
        return 3;
    if (magnitude >= 65)
        return 4;
    return 5;
}

bool cdmaMagnitudePresent(int32_t magnitude)
{
    return magnitude >= 1 && magnitude < 120;
}

QString signalImageName(int level)
{
    return QStringLiteral("rssi%1").arg(level + 1);
}

// The index of value in the listed values, plus one; 0 when not listed.
template <size_t N> int listedLevel(int32_t value, const std::array<int32_t, N>& values)
{
    const auto found = std::find(values.begin(), values.end(), value);
    return found == values.end() ? 0 : int(found - values.begin()) + 1;
}

constexpr std::array<int32_t, 5> kOneXValues = {10, 15, 22, 28, 31};
constexpr std::array<int32_t, 5> kEvdoValues = {20, 40, 60, 80, 99};

} // namespace

int gsmSignalLevel(int64_t dbm)
{
    for (size_t i = 0; i < kGsmThresholds.size(); ++i)
        if (dbm >= kGsmThresholds[i])
            return int(kGsmThresholds.size() - i);
    return 0;
}

int umtsSignalLevel(int64_t rscp, int64_t ecno)
{
    for (const UmtsThreshold& threshold : kUmtsThresholds)
        if (rscp >= threshold.rscp && ecno >= threshold.ecno)
            return threshold.level;
    return 0;
}

RscpSignalReport RscpSignalReport::fromRecord(const _UI_MSG& record)
{
    return {payloadInt32(record, 0), payloadInt32(record, 4), payloadInt32(record, 8)};
}

SignalMeasurement RscpSignalReport::measurement() const
{
    const int rssiDbm = negated(rssi);
    if (ecno != kNotMeasured && rscp != kNotMeasured) {
        const int e = negated(ecno) / 2;
        const int p = negated(rscp) / 2;
        return {umtsSignalLevel(p, e), p, rssiDbm, e};
    }
    return {gsmSignalLevel(rssiDbm), rscp, rssiDbm, ecno};
}

SecondFamilySignalReport SecondFamilySignalReport::fromRecord(const _UI_MSG& record)
{
    return {payloadInt32(record, 0), payloadInt32(record, 4), payloadInt32(record, 8),
            payloadInt32(record, 12)};
}

std::optional<int> SecondFamilySignalReport::level() const
{
    if (radioType == 1)
        return gsmSignalLevel(rssi);
    if (radioType == 2)
        return umtsSignalLevel(rscp, ecno);
    return std::nullopt;
}

std::optional<int> SecondFamilySignalReport::signalStrengthFlag() const
{
    if (radioType == 1 || radioType == 2)
        return radioType - 1;
    return std::nullopt;
}

CdmaSignalReport CdmaSignalReport::fromRecord(const _UI_MSG& record)
{
    return {payloadInt32(record, 0), payloadInt32(record, 4)};
}

int CdmaSignalReport::level() const
{
    return cdmaMagnitudeLevel(oneX);
}

QString CdmaSignalReport::evdoImageName() const
{
    return signalImageName(cdmaMagnitudeLevel(evdo));
}

std::optional<QString> CdmaSignalReport::networkStatus() const
{
    const bool oneXPresent = cdmaMagnitudePresent(oneX);
    const bool evdoPresent = cdmaMagnitudePresent(evdo);
    if (oneXPresent && evdoPresent)
        return QStringLiteral("1X-EVDO");
    if (evdoPresent)
        return QStringLiteral("EVDO");
    if (!oneXPresent)
        return QStringLiteral("No Service");
    if (oneX >= 11)
        return QStringLiteral("CDMA 1X");
    return std::nullopt;
}

QualcomWcdmaSignalReport QualcomWcdmaSignalReport::fromRecord(const _UI_MSG& record)
{
    return {payloadInt32(record, 0)};
}

int QualcomWcdmaSignalReport::level() const
{
    if (rssiIndex < 3 || rssiIndex > 31)
        return 0;
    if (rssiIndex <= 6)
        return 1;
    if (rssiIndex <= 9)
        return 2;
    if (rssiIndex <= 12)
        return 3;
    if (rssiIndex <= 15)
        return 4;
    return 5;
}

QualcomCdmaSignalReport QualcomCdmaSignalReport::fromRecord(const _UI_MSG& record)
{
    return {payloadInt32(record, 0), payloadInt32(record, 8)};
}

int QualcomCdmaSignalReport::level() const
{
    return listedLevel(oneX, kOneXValues);
}

QString QualcomCdmaSignalReport::evdoImageName() const
{
    return signalImageName(listedLevel(evdo, kEvdoValues));
}

QString QualcomCdmaSignalReport::networkStatus() const
{
    const bool oneXValid = oneX >= 1 && oneX <= 31;
    const bool evdoValid = evdo >= 1 && evdo <= 99;
    if (oneXValid && evdoValid)
        return QStringLiteral("1X-EVDO");
    if (oneXValid)
        return QStringLiteral("CDMA 1X");
    if (evdoValid)
        return QStringLiteral("EVDO");
    return QStringLiteral("No Service");
}
