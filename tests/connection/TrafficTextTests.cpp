// The time, data and speed texts of a connection and the unit switches.
#include "connection/TrafficText.h"

#include "app/config/ConfigManager.h"
#include "platform/lindora/Lindora.h"
#include "tests/config/ConfigTestSupport.h"

#include <gtest/gtest.h>

using traffic_text::Units;

namespace
{

Units units(bool dataWithMB, bool dataInBits, bool speedInBits, bool speedOnlyKbit)
{
    Units u;
    u.dataWithMB = dataWithMB;
    u.dataInBits = dataInBits;
    u.speedInBits = speedInBits;
    u.speedOnlyKbit = speedOnlyKbit;
    return u;
}

} // namespace

TEST(TrafficText, DataTextsFollowTheUnitSwitches)
{
    struct Case {
        Units units;
        double bytes;
        const char* text;
    };
    const Units bytes = units(false, false, false, false);
    const Units bits = units(false, true, false, false);
    const Units megabytes = units(true, true, false, false);
    for (const Case& c : {
             Case{bytes, 0, "0.00 KB"}, Case{bytes, 1048575, "1024.00 KB"}, // k is just below 1024
             Case{bytes, 1048576, "1.00 MB"}, Case{bytes, 1073741823, "1024.00 MB"},
             Case{bytes, 1073741824, "1.00 GB"}, Case{bytes, -1, ""}, Case{bits, 1000, "7.81 Kb"},
             Case{bits, 131072, "1.00 Mb"}, Case{bits, 134217728, "1.00 Gb"},
             Case{megabytes, 1572864, "1.50"}, // before the bit switch, and no unit
         }) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(traffic_text::formatTransferData(c.bytes, c.units), c.text);
    }
}

TEST(TrafficText, UsageFiguresTakeKilobytesAndOnlyTheBitSwitch)
{
    struct Case {
        Units units;
        double kilobytes;
        const char* text;
    };
    const Units bytes = units(false, false, false, false);
    const Units bits = units(false, true, false, false);
    for (const Case& c : {
             Case{bytes, 0, "0.00 KB"},
             Case{bytes, 1023.5, "1023.50 KB"},
             Case{bytes, 1536, "1.50 MB"},
             Case{bytes, 1048576, "1.00 GB"},
             Case{bytes, -0.5, ""},
             Case{bits, 200, "1.56 Mb"},
             Case{bits, 100, "800.00 Kb"},
             Case{bits, 131072, "1.00 Gb"},
             // Megabytes without a unit belong to the connection's figures only.
             Case{units(true, false, false, false), 1536, "1.50 MB"},
         }) {
        SCOPED_TRACE(c.kilobytes);
        EXPECT_EQ(traffic_text::autoSwitchStatisticData(c.kilobytes, c.units), c.text);
    }
}

TEST(TrafficText, SpeedTextsFollowTheUnitSwitches)
{
    struct Case {
        Units units;
        double bytesPerSecond;
        const char* text;
    };
    const Units bytes = units(false, false, false, false);
    const Units bits = units(false, false, true, false);
    const Units onlyKbit = units(false, false, false, true);
    for (const Case& c : {
             Case{bytes, 2048, "2.00 KB/s"},
             Case{bytes, 1048576, "1.00 MB/s"},
             Case{bits, 128, "1.00 Kb/s"},
             Case{bits, 131072, "1.00 Mb/s"},
             Case{onlyKbit, 131072, "1024.00 Kbit/s"}, // never another unit
             Case{units(false, false, true, true), 131072, "1.00 Mb/s"},
         }) {
        SCOPED_TRACE(c.bytesPerSecond);
        EXPECT_EQ(traffic_text::formatTransferSpeed(c.bytesPerSecond, c.units), c.text);
    }
}

TEST(TrafficText, UnitsComeFromTheInternetAndRecordSettings)
{
    struct Case {
        ns::Dictionary internet, record;
        bool dataWithMB, dataInBits, speedInBits, speedOnlyKbit;
    };
    for (const Case& c : {
             Case{{}, {}, false, false, false, false},
             Case{{{"DataWithMB", true}, {"dataType", "Kb"}}, {}, true, true, false, false},
             Case{{{"dataType", "KB"}, {"SpeedUnitOnlyKBit", true}}, {}, false, false, false, true},
             Case{{{"SpeedUnitKBit", true}}, {}, false, false, true, false},
             Case{{}, {{"ConnectRateUnit", "Kbps"}}, false, false, true, false},
         }) {
        TemporaryAppBundle app(ns::Dictionary{{"Internet", c.internet}, {"Record", c.record}});
        ConfigManager store;
        const Units u = Units::fromSettings(store);
        EXPECT_EQ(u.dataWithMB, c.dataWithMB);
        EXPECT_EQ(u.dataInBits, c.dataInBits);
        EXPECT_EQ(u.speedInBits, c.speedInBits);
        EXPECT_EQ(u.speedOnlyKbit, c.speedOnlyKbit);
    }
}

TEST(TrafficText, UnitArrayScalingNeedsFormatsAndANonNegativeValue)
{
    const traffic_text::UnitFormats formats{"%0.1f a", "%0.1f b", "%0.1f c"};
    EXPECT_EQ(traffic_text::formatTransferDataWithUnitArray(512, &formats), "0.5 a");
    EXPECT_EQ(traffic_text::formatTransferDataWithUnitArray(1536 * 1024.0, &formats), "1.5 b");
    EXPECT_EQ(traffic_text::formatTransferDataWithUnitArray(512, nullptr), "");
    EXPECT_EQ(traffic_text::formatTransferDataWithUnitArray(-512, &formats), "");
}

TEST(TrafficText, DurationsCountHoursPastADay)
{
    EXPECT_EQ(traffic_text::duration(0), "00:00:00");
    EXPECT_EQ(traffic_text::duration(3661), "01:01:01");
    EXPECT_EQ(traffic_text::duration(443045), "123:04:05");
    EXPECT_EQ(traffic_text::duration(-5), "00:00:00");
}

TEST(TrafficText, QuarterHoursAlwaysGoUp)
{
    for (auto [seconds, raised] :
         {std::pair{0L, 900L}, {1L, 900L}, {899L, 900L}, {900L, 1800L}, {2701L, 3600L}})
        EXPECT_EQ(traffic_text::raisedToQuarterHour(seconds), raised) << seconds;
}

TEST(TrafficText, ATranslatedFormatIsUsedOnlyWithOneNumber)
{
    ASSERT_TRUE(Lindora_Init(TRELVAN_FIXTURES_DIR "/connection/TrafficWording.txt"));
    const Units bytes;
    EXPECT_EQ(traffic_text::formatTransferData(1024, bytes), "1.00 Ko");
    EXPECT_EQ(traffic_text::formatTransferData(1048576, bytes), "1.00 MB");
    EXPECT_EQ(traffic_text::formatTransferData(1073741824, bytes), "1.00 GB");
    EXPECT_EQ(traffic_text::number("%0.1f%%", 12.26), "12.3%");
    EXPECT_EQ(traffic_text::number("no number", 1), "no number");
}
