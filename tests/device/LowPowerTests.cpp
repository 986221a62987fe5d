// The low-power mode: the device off-line when the main window stayed
// miniaturised and the line was idle or little used, on-line when the window
// comes back; against the simulated modem.
#include "tests/device/DeviceTestSupport.h"

#include "jCommon/DeviceMessages.h"
#include "platform/ns/Clock.h"
#include "platform/ns/appkit/Button.h"
#include "tests/support/HalvexControl.h"

#include <gtest/gtest.h>

using namespace device_test;

namespace
{

// Seconds miniaturised before the check, and the traffic limit in kilobytes.
constexpr double kEnterTime = 2;
constexpr double kEnterData = 100;

ns::Dictionary lowPowerSettings(const ns::Dictionary& lpm)
{
    return shippedSettings({{"LPMinfo", lpm}});
}

// "hasLPMmode" is there with the value NO: its presence alone switches the mode on.
const ns::Dictionary kLowPower{
    {"hasLPMmode", false}, {"enterLPMTime", kEnterTime}, {"enterLPMData", kEnterData}};

QStringList powerRequests(const std::vector<HalvexControl::Entry>& entries)
{
    QStringList names;
    for (const HalvexControl::Entry& entry : entries) {
        const _UI_MSG& record = entry.record();
        if (record.majorID == msg::device::kStopWork.majorID && record.type == kTypeRequest &&
            (record.minorID == msg::device::kStopWork.minorID ||
             record.minorID == msg::device::kStartWork.minorID))
            names << QStringLiteral("%1/%2").arg(record.majorID).arg(record.minorID);
    }
    return names;
}

} // namespace

TEST(LowPowerMode, OffLineWhenIdleOrUnderTheLimitAndOnLineWhenTheWindowComesBack)
{
    HalvexControl halvex;
    ASSERT_TRUE(halvex.start()) << halvex.errorOutput().toStdString();
    ns::ManualClock clock;
    ns::Clock::setCurrent(&clock);
    {
        DeviceApp app(lowPowerSettings(kLowPower), Runtime::Current);
        FakeDial dial;
        FakeCall call;
        app.nib.awakeFromNib();
        MainController& main = app.main();
        const QStringList offAndOn = {"3/4", "3/3"}, onOnly = {"3/3"};
        const struct {
            int status;
            double bytes;
            int callStage;
            QStringList requests;
        } cases[] = {
            {DialControlling::Idle, 0, 0, offAndOn},
            {DialControlling::Connected, kEnterData * 1024, 0, offAndOn},
            {DialControlling::Connected, kEnterData * 1024 + 1, 0, onOnly},
            {DialControlling::Connecting, 0, 0, onOnly},
            {DialControlling::Disconnecting, 0, 0, onOnly},
            {DialControlling::Idle, 0, 1, onOnly},
        };
        for (const auto& c : cases) {
            dial.status = c.status;
            dial.totalData = c.bytes;
            call.stage = c.callStage;
            const HalvexControl::Position before = halvex.now();
            main.wndMain->miniaturize(nullptr);
            clock.advance(kEnterTime - 0.1);
            EXPECT_TRUE(main.isCheckingLPM());
            clock.advance(0.1);
            EXPECT_FALSE(main.isCheckingLPM());
            main.wndMain->deminiaturize(nullptr);
            ASSERT_TRUE(halvex.nextReceived(msg::device::kStartWork, before));
            EXPECT_EQ(powerRequests(halvex.receivedSince(before)), c.requests)
                << "state " << c.status << ", " << c.bytes << " bytes, call " << c.callStage;
        }
        // The modem answered the last request and is on-line.
        const std::optional<HalvexControl::Entry> reply =
            halvex.nextSent(msg::device::kStartWork, HalvexControl::Position());
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->record().type, kTypeReport);
        EXPECT_EQ(halvex.state().value_or(ns::Dictionary()).value("Online"), ns::Value(true));
    }
    ns::Clock::setCurrent(nullptr);
}

TEST(LowPowerMode, RestoringTheWindowEndsAPendingCheck)
{
    ns::ManualClock clock;
    ns::Clock::setCurrent(&clock);
    {
        DeviceApp app(lowPowerSettings(kLowPower));
        app.nib.awakeFromNib();
        MainController& main = app.main();
        main.wndMain->miniaturize(nullptr);
        EXPECT_TRUE(main.isCheckingLPM());
        main.wndMain->deminiaturize(nullptr);
        EXPECT_FALSE(main.isCheckingLPM());
    }
    ns::Clock::setCurrent(nullptr);
}

TEST(LowPowerMode, NeitherWithoutTheModeNorWithTheUsersSwitchOff)
{
    ns::ManualClock clock;
    ns::Clock::setCurrent(&clock);
    const ns::Dictionary withoutMode{{"enterLPMTime", kEnterTime}, {"enterLPMData", kEnterData}};
    const ns::Dictionary switchedOff{{"hasLPMmode", true},
                                     {"enterLPMTime", kEnterTime},
                                     {"enterLPMData", kEnterData},
                                     {"btnLPMBState", false}};
    for (const ns::Dictionary& lpm : {withoutMode, switchedOff}) {
        DeviceApp app(lowPowerSettings(lpm));
        app.nib.awakeFromNib();
        MainController& main = app.main();
        EXPECT_EQ(main.lowPowerButton()->isHidden(), lpm == withoutMode);
        main.wndMain->miniaturize(nullptr);
        EXPECT_FALSE(main.isCheckingLPM());
        main.wndMain->deminiaturize(nullptr);
    }

    // The user's switch is kept with the settings.
    DeviceApp app(lowPowerSettings(switchedOff));
    app.nib.awakeFromNib();
    EXPECT_EQ(app.main().lowPowerButton()->state(), ns::OffState);
    app.main().lowPowerButton()->performClick(nullptr);
    EXPECT_EQ(app.bundle.settingsOnDisk().value("LPMinfo").toDictionary().value("btnLPMBState"),
              ns::Value(true));
    app.main().wndMain->miniaturize(nullptr);
    EXPECT_TRUE(app.main().isCheckingLPM());
    ns::Clock::setCurrent(nullptr);
}
