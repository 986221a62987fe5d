#include "device/SignalReports.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/PayloadWriter.h"

#include <gtest/gtest.h>

#include <limits>

// Failure messages show the measurement (found by the type's namespace).
static void PrintTo(const SignalMeasurement& m, std::ostream* out)
{
    *out << "level " << m.level << ", rscp " << m.rscp << ", rssi " << m.rssi << ", ecno " << m.ecno;
}

namespace
{

_UI_MSG signalRecord(MessageID id, std::initializer_list<std::pair<int, int32_t>> values, char tailMark = 0)
{
    PayloadWriter payload(16);
    for (const auto& [offset, value] : values)
        payload.setInt32(offset, value);
    _UI_MSG record =
        makeUIMsg(kModuleInit, id.majorID, id.minorID, kTypeReport, kResultSuccess, payload.bytes());
    record.tail[2] = uint8_t(tailMark);
    return record;
}

TEST(SignalLevel, GsmAndUmtsRulesAtTheirBoundaries)
{
    const std::pair<int, int> gsm[] = {{-50, 5}, {-81, 5}, {-82, 4},  {-87, 4},  {-88, 3},  {-93, 3},
                                       {-94, 2}, {-99, 2}, {-100, 1}, {-107, 1}, {-108, 0}, {-200, 0}};
    for (const auto& [dbm, level] : gsm)
        EXPECT_EQ(gsmSignalLevel(dbm), level) << dbm << " dBm";

    const struct {
        int rscp;
        int ecno;
        int level;
    } umts[] = {
        {-91, -8, 5},   {-92, -8, 4},   {-91, -9, 4},   {-80, -9, 4},   {-97, -10, 4},  {-98, -10, 3},
        {-104, -12, 3}, {-105, -12, 2}, {-111, -15, 2}, {-115, -18, 1}, {-116, -18, 0}, {-80, -19, 0},
    };
    for (const auto& c : umts)
        EXPECT_EQ(umtsSignalLevel(c.rscp, c.ecno), c.level) << c.rscp << " dBm, " << c.ecno << " dB";
}

TEST(SignalLevel, RscpReportUsesUmtsWhenMeasuredElseGsm)
{
    constexpr int32_t missing = RscpSignalReport::kNotMeasured;
    const struct {
        RscpSignalReport report;
        SignalMeasurement measurement;
    } cases[] = {
        {{81, missing, missing}, {5, missing, -81, missing}},
        {{82, missing, missing}, {4, missing, -82, missing}},
        {{108, 20, missing}, {0, missing, -108, 20}},
        {{70, 16, 182}, {5, -91, -70, -8}},
        {{70, 16, 183}, {5, -91, -70, -8}}, // truncated toward zero
        {{70, 16, 184}, {4, -92, -70, -8}},
        {{std::numeric_limits<int32_t>::min(), missing, missing},
         {5, missing, std::numeric_limits<int>::max(), missing}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.report.measurement(), c.measurement)
            << c.report.rssi << "/" << c.report.ecno << "/" << c.report.rscp;

    const RscpSignalReport decoded = RscpSignalReport::fromRecord(
        signalRecord(msg::device::kCheckRscpSignalStatus, {{0, 75}, {4, 12}, {8, 170}}));
    EXPECT_EQ(decoded.measurement(), (SignalMeasurement{5, -85, -75, -6}));
}

TEST(SignalLevel, SecondFamilyByRadioType)
{
    const auto report = [](std::initializer_list<std::pair<int, int32_t>> values) {
        return SecondFamilySignalReport::fromRecord(
            signalRecord(msg::device::kCheckSignalStatusSecondFamily, values));
    };
    const SecondFamilySignalReport gsm = report({{0, 1}, {4, -85}, {8, -120}, {12, -30}});
    EXPECT_EQ(gsm.level(), 4);
    EXPECT_EQ(gsm.signalStrengthFlag(), 0);
    const SecondFamilySignalReport umts = report({{0, 2}, {4, -110}, {8, -91}, {12, -8}});
    EXPECT_EQ(umts.level(), 5);
    EXPECT_EQ(umts.signalStrengthFlag(), 1);
    const SecondFamilySignalReport other = report({{0, 3}, {4, -60}});
    EXPECT_EQ(other.level(), std::nullopt);
    EXPECT_EQ(other.signalStrengthFlag(), std::nullopt);
}

TEST(SignalLevel, CdmaMagnitudesGiveLevelImageAndNetworkType)
{
    const struct {
        int32_t oneX;
        int32_t evdo;
        int level;
        const char* image;
        std::optional<QString> status;
    } cases[] = {
        {64, 0, 5, "rssi1", "CDMA 1X"},    {120, 70, 0, "rssi5", "EVDO"},
        {95, 119, 1, "rssi2", "1X-EVDO"},  {119, 94, 1, "rssi3", "1X-EVDO"},
        {85, 84, 2, "rssi4", "1X-EVDO"},   {84, 75, 3, "rssi4", "1X-EVDO"},
        {74, 65, 4, "rssi5", "1X-EVDO"},   {65, 1, 4, "rssi6", "1X-EVDO"},
        {0, 0, 0, "rssi1", "No Service"},  {11, 200, 5, "rssi1", "CDMA 1X"},
        {10, 0, 5, "rssi1", std::nullopt}, {-5, -5, 0, "rssi1", "No Service"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.oneX << "/" << c.evdo);
        const _UI_MSG record = signalRecord(msg::device::kCheckSignalStatus, {{0, c.oneX}, {4, c.evdo}}, '1');
        const CdmaSignalReport report = CdmaSignalReport::fromRecord(record);
        EXPECT_EQ(report.level(), c.level);
        EXPECT_EQ(report.evdoImageName(), c.image);
        EXPECT_EQ(report.networkStatus(), c.status);
    }
}

TEST(SignalLevel, QualcomPlatformsMapTheirValues)
{
    const std::pair<int32_t, int> wcdma[] = {{2, 0},  {3, 1},  {6, 1},  {7, 2},  {9, 2},  {10, 3}, {12, 3},
                                             {13, 4}, {15, 4}, {16, 5}, {31, 5}, {32, 0}, {99, 0}};
    for (const auto& [index, level] : wcdma)
        EXPECT_EQ(QualcomWcdmaSignalReport{index}.level(), level) << index;

    const struct {
        int32_t oneX;
        int32_t evdo;
        int level;
        const char* image;
        const char* status;
    } cdma[] = {
        {10, 0, 1, "rssi1", "CDMA 1X"},  {15, 20, 2, "rssi2", "1X-EVDO"},     {22, 40, 3, "rssi3", "1X-EVDO"},
        {28, 60, 4, "rssi4", "1X-EVDO"}, {31, 80, 5, "rssi5", "1X-EVDO"},     {20, 99, 0, "rssi6", "1X-EVDO"},
        {0, 50, 0, "rssi1", "EVDO"},     {32, 100, 0, "rssi1", "No Service"},
    };
    for (const auto& c : cdma) {
        SCOPED_TRACE(testing::Message() << c.oneX << "/" << c.evdo);
        const QualcomCdmaSignalReport report = QualcomCdmaSignalReport::fromRecord(
            signalRecord(msg::device::kCheckSignalStatus, {{0, c.oneX}, {8, c.evdo}}));
        EXPECT_EQ(report.level(), c.level);
        EXPECT_EQ(report.evdoImageName(), c.image);
        EXPECT_EQ(report.networkStatus(), c.status);
    }
}

} // namespace
