// The NDIS connection against the simulated modem, time on a manual clock:
// the link comes up and counts, a drop saves its true duration and is dialled
// again, a link outlives the program, and the transfer reports are read with
// their length check.
#include "app/ui/controller/UINotifications.h"
#include "connection/DialController.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/PayloadWriter.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/Clock.h"
#include "tests/connection/DialTestSupport.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/HalvexControl.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace device_test;
using namespace dial_test;

namespace
{

// The shipped settings over NDIS, with these keys added to "Internet".
ns::Dictionary ndisSettings(const ns::Dictionary& internet = ns::Dictionary())
{
    ns::Dictionary module = shippedSettings().value(QStringLiteral("Internet")).toDictionary().deepCopy();
    for (const QString& key : internet.keys())
        module.setValue(key, internet.value(key));
    return shippedSettings({{"ConnectType", 1}, {"Internet", module}});
}

// Trelvan on a manual clock against a running modem, up to the SIM ready.
struct NdisApp {
    // Again: a modem that has reported itself to an earlier run is asked to
    // report from the start, as a device does to a program that comes back.
    enum Start { First, Again };
    NdisApp(HalvexControl& modem, const ns::Dictionary& settings, Start start = First) : halvex(modem)
    {
        ns::Clock::setCurrent(&clock);
        app = std::make_unique<DeviceApp>(settings, Runtime::Current);
        Posted posted({kSimReadyNotification});
        app->nib.awakeFromNib();
        if (start == Again)
            app->nib.jovMsgCenter().sendMessageModuleID(kModuleInit, msg::device::kHandShake.majorID,
                                                        msg::device::kHandShake.minorID, kTypeRequest,
                                                        kResultSuccess);
        ready = pumpUntil([&] { return posted.contains(kSimReadyNotification); });
    }
    ~NdisApp()
    {
        app.reset();
        ns::Clock::setCurrent(nullptr);
    }
    DialController& dial() { return app->nib.dialController(); }
    // Lets time run, a little at a time, until the condition holds.
    bool pumpUntil(const std::function<bool()>& done)
    {
        return QTest::qWaitFor(
            [&] {
                clock.advance(0.05);
                return done();
            },
            dial_test::kGuardMs);
    }
    int modemConnects() { return halvex.state().value_or(ns::Dictionary()).value("NdisConnects").intValue(); }
    bool connect()
    {
        dial().DialOption(nullptr);
        return pumpUntil([&] { return dial().connectStatus() == DialControlling::Connected; });
    }

    HalvexControl& halvex;
    ns::ManualClock clock;
    std::unique_ptr<DeviceApp> app;
    bool ready = false;
};

} // namespace

TEST(NdisConnection, ALinkCountsAndADropSavesItsTrueDuration)
{
    HalvexControl halvex;
    ASSERT_TRUE(halvex.start()) << halvex.errorOutput().toStdString();
    NdisApp run(halvex, ndisSettings());
    ASSERT_TRUE(run.ready);
    ASSERT_TRUE(run.connect());
    DialController& dial = run.dial();
    EXPECT_EQ(dial.recordInState(), "Record In Runing");
    ASSERT_TRUE(run.pumpUntil([&] { return dial.m_connecttime >= 3 && dial.m_receiveData > 0; }));
    EXPECT_EQ(dial.m_receiveSpeed, 16384);
    EXPECT_EQ(dial.statusDict_.value(QStringLiteral("localaddr")).toString(), "10.64.12.7");

    // A report of another length changes no counter.
    const float received = dial.m_receiveData;
    ASSERT_EQ(halvex.step(QStringLiteral("ndisrates"), {{"send", 0}, {"receive", 0}}), "");
    ASSERT_EQ(halvex.step(QStringLiteral("ndisreport"), {{"length", 100}}), "");
    const long later = dial.m_connecttime + 2;
    ASSERT_TRUE(run.pumpUntil([&] { return dial.m_connecttime >= later; }));
    EXPECT_EQ(dial.m_receiveData, received);

    ASSERT_EQ(halvex.step(QStringLiteral("ndisdrop")), "");
    ASSERT_TRUE(run.pumpUntil([&] { return dial.connectStatus() == DialControlling::Idle; }));
    const QDateTime start = dial.statusDict_.value(QStringLiteral("starttime")).toDate();
    const QDateTime end = dial.statusDict_.value(QStringLiteral("disconnecttime")).toDate();
    const long seconds = dial.statusDict_.value(QStringLiteral("connecttime")).longLongValue();
    EXPECT_GE(seconds, 3);
    EXPECT_EQ(start.secsTo(end), seconds);
    EXPECT_EQ(dial.recordInState(), "Record In Saved");
    EXPECT_EQ(dial.m_connecttime, 0);
}

TEST(NdisConnection, ALinkUpWhenTheProgramStartsIsTakenOver)
{
    HalvexControl halvex;
    ASSERT_TRUE(halvex.start()) << halvex.errorOutput().toStdString();
    {
        NdisApp first(halvex, ndisSettings());
        ASSERT_TRUE(first.ready);
        ASSERT_TRUE(first.connect());
    }
    NdisApp again(halvex, ndisSettings(), NdisApp::Again);
    ASSERT_TRUE(again.ready);
    DialController& dial = again.dial();
    ASSERT_TRUE(again.pumpUntil([&] { return dial.connectStatus() == DialControlling::Connected; }));
    EXPECT_EQ(dial.recordInState(), "Record In Runing");
    // Its clock runs, and no second connect was asked for.
    ASSERT_TRUE(again.pumpUntil([&] { return dial.m_connecttime >= 2; }));
    EXPECT_EQ(again.modemConnects(), 1);
}

TEST(NdisConnection, ADroppedLinkIsDialledAgainAfterTenSeconds)
{
    HalvexControl halvex;
    ASSERT_TRUE(halvex.start()) << halvex.errorOutput().toStdString();
    NdisApp run(halvex, ndisSettings({{"AutoReconnectForNdis", true},
                                      {"EnableAutoReconnectNotDependOnAutoConnectLable", true}}));
    ASSERT_TRUE(run.ready);
    ASSERT_TRUE(run.connect());
    DialController& dial = run.dial();
    ASSERT_EQ(halvex.step(QStringLiteral("ndisdrop")), "");
    ASSERT_TRUE(QTest::qWaitFor([&] {
        QCoreApplication::processEvents();
        run.clock.advance(0.001);
        return dial.connectStatus() == DialControlling::Idle;
    }));
    run.clock.advance(9.9);
    EXPECT_EQ(dial.reconnectTimes, 0);
    run.clock.advance(0.2);
    EXPECT_EQ(dial.reconnectTimes, 1);
    ASSERT_TRUE(run.pumpUntil([&] { return dial.connectStatus() == DialControlling::Connected; }));
    EXPECT_EQ(run.modemConnects(), 2);
}

TEST(NdisConnection, AFailedAttemptAlertsUnlessAutomaticOnesAfterTheSecondAreQuiet)
{
    struct Case {
        const char* name;
        bool quiet; // "DisableAlertWindowWhileAutoConnectFailed"
        int attempts;
        bool alerted;
    };
    for (const Case& c :
         {Case{"a user's attempt", true, 0, true}, Case{"the first automatic one", true, 1, true},
          Case{"the second automatic one", true, 2, false}, Case{"the second, alerts on", false, 2, true}}) {
        SCOPED_TRACE(c.name);
        DialApp app(
            withSettings({{"ConnectType", 1}}, {{"DisableAlertWindowWhileAutoConnectFailed", c.quiet}}));
        app.dial.reconnectTimes = c.attempts;
        app.dial.NDISDialConnect();
        AlertAnswerer answerer;
        app.dial.dealWithOfNDISDialConnectFailed();
        EXPECT_EQ(answerer.showed(Map_Name_Item_of_IndexString("NDIS Connection failed!")), c.alerted);
        EXPECT_EQ(app.dial.connectStatus(), DialControlling::Idle);
        // "Failed" gives way to the idle state's text as the display ends; the alert tells of it.
        EXPECT_EQ(app.dial.m_ConnectState->stringValue(), Map_Name_Item_of_IndexString("Idle"));
    }
}

TEST(NdisConnection, TheUpdateLinkHearsOfTheDeviceOnceFiveSecondsAfterTheFirstReport)
{
    HalvexControl halvex;
    ASSERT_TRUE(halvex.start()) << halvex.errorOutput().toStdString();
    NdisApp run(halvex, ndisSettings());
    ASSERT_TRUE(run.ready);
    FakeUpdateLink link;
    ASSERT_TRUE(run.connect());
    DialController& dial = run.dial();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        QCoreApplication::processEvents();
        run.clock.advance(0.001);
        return dial.m_receiveData > 0;
    }));
    run.clock.advance(4.9);
    EXPECT_FALSE(link.calls.contains("deviceReady"));
    run.clock.advance(0.2);
    EXPECT_EQ(link.calls.count("deviceReady"), 1);
    // A second connected report starts no second clock; later reports send no second notice.
    const long seconds = dial.m_connecttime;
    const _UI_MSG connected = makeUIMsg(kModuleDialUp, msg::connection::kNDISDialStatus.majorID,
                                        msg::connection::kNDISDialStatus.minorID, kTypeReport, kResultSuccess,
                                        PayloadWriter(4).setInt32(0, 1).bytes());
    ASSERT_EQ(halvex.inject(connected), "");
    const QDateTime from = run.clock.now();
    ASSERT_TRUE(run.pumpUntil([&] { return from.msecsTo(run.clock.now()) >= 10000; }));
    EXPECT_NEAR(dial.m_connecttime - seconds, 10, 1);
    EXPECT_EQ(link.calls.count("deviceReady"), 1);
}
