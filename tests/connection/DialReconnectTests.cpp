// Automatic reconnection: when, how often and after which delays the dial
// controller connects again by itself after the device reports an NDIS link
// down, with time on a manual clock.
#include "app/ui/controller/RuntimeKeys.h"
#include "connection/DialController.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/NDISTransferReport.h"
#include "jCommon/PayloadWriter.h"
#include "tests/connection/DialTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace device_test;
using namespace dial_test;

namespace
{

// Plain settings over NDIS, reconnecting after NDIS ends, with these entries added.
ns::Dictionary ndisSettings(const ns::Dictionary& top, const ns::Dictionary& internet)
{
    ns::Dictionary topLevel = top.copy();
    topLevel.setValue(QStringLiteral("ConnectType"), 1);
    ns::Dictionary module = internet.copy();
    module.setValue(QStringLiteral("AutoReconnectForNdis"), true);
    return withSettings(topLevel, module);
}

// A device is there, the settings page lets the program reconnect, and the
// device's NDIS statuses are handed to the controller.
struct ReconnectApp : DialApp {
    explicit ReconnectApp(const ns::Dictionary& internet = ns::Dictionary(),
                          const ns::Dictionary& top = ns::Dictionary())
        : DialApp(ndisSettings(top, internet), Answers::Delivered)
    {
        dial.isDeviceRemoved = false;
        settings.autoReconnect = true;
    }

    void status(int status)
    {
        deliver(msg::connection::kNDISDialStatus, PayloadWriter(4).setInt32(0, status).bytes());
    }
    // The link comes up and carries its first transfer report.
    void linkComesUp()
    {
        status(1);
        deliver(msg::connection::kNDISDialTransferData,
                NDISTransferReport{QStringLiteral("10.0.0.2"), 100, 200, 10, 20}.bytes());
    }
    // The device reports the link down, without the user.
    void linkEnds() { status(0); }

    // Lets time run second by second, ending every attempt as soon as it
    // connects; answers the delay of each attempt after the end before it.
    QList<int> delaysOfAttempts(int seconds)
    {
        QList<int> delays;
        int endedAt = 0;
        int attempts = dial.reconnectTimes;
        for (int t = 1; t <= seconds; ++t) {
            clock.advance(1.0);
            if (dial.reconnectTimes != attempts) {
                attempts = dial.reconnectTimes;
                delays << t - endedAt;
            }
            if (dial.connectStatus() == 1) {
                endedAt = t;
                linkEnds();
            }
        }
        return delays;
    }
};

} // namespace

TEST(AutoReconnect, AttemptsFollowTheConfiguredDelaysAndMaximum)
{
    struct Case {
        const char* name;
        ns::Dictionary internet;
        ns::Dictionary top;
        QList<int> delays; // of every attempt, or of the first ones of an endless series
        bool stops;
    };
    for (const Case& c : {
             Case{"all keys missing", {}, {}, {10, 10, 10}, true},
             Case{"maximum 2, then every 30 s for ever",
                  {{"MaxReconnectTimes", 2}, {"ContinueAutoConnect", true}, {"ContinueAutoConnectTime", 30}},
                  {},
                  {10, 10, 30, 30, 30},
                  false},
             Case{"first and further delays",
                  {{"AutoReconnectStartTimeAfterDisconnect", 4}},
                  {{"AutoConnectDelayTime", 7}},
                  {4, 7, 7},
                  true},
             Case{"the settings' extra delay from the second attempt on",
                  {},
                  {{"autoReConnectdelayTimeAfterAutoDisconnect", 5}},
                  {10, 15, 15},
                  true},
         }) {
        SCOPED_TRACE(c.name);
        ReconnectApp app(c.internet, c.top);
        app.linkEnds();
        const QList<int> delays = app.delaysOfAttempts(1200);
        if (c.stops) {
            EXPECT_EQ(delays, c.delays);
            EXPECT_EQ(app.dial.reconnectTimes, c.delays.size());
        } else {
            EXPECT_EQ(delays.mid(0, c.delays.size()), c.delays);
            EXPECT_GT(delays.size(), 30);
            EXPECT_EQ(delays.mid(2), QList<int>(delays.size() - 2, 30));
        }
    }
}

TEST(AutoReconnect, NothingIsAttemptedWhileAGiveUpConditionHolds)
{
    struct Case {
        const char* name;
        ns::Dictionary internet;
        std::function<void(ReconnectApp&)> arrange;
    };
    for (const Case& c : {
             Case{"no device", {}, [](ReconnectApp& app) { app.dial.isDeviceRemoved = true; }},
             Case{"the user disconnected", {}, [](ReconnectApp& app) { app.dial.setManualDisconnect(true); }},
             Case{"the settings page forbids it",
                  {},
                  [](ReconnectApp& app) { app.settings.autoReconnect = false; }},
             Case{"about to connect", {}, [](ReconnectApp& app) { app.dial.willConnectToInternet_ = true; }},
             Case{"operator selection open",
                  {},
                  [](ReconnectApp& app) { app.settings.operatorSelection = true; }},
             Case{"abroad",
                  {{"NotAutoConnectForInterRoam", true}},
                  [](ReconnectApp& app) { app.dial.setRuntimeObject(ns::Value(false), kRTIsSameMCC); }},
             Case{"roaming",
                  {{"noAutoConnectWhenInRoam", true}},
                  [](ReconnectApp& app) { app.init.roamStatus = 0; }},
         }) {
        SCOPED_TRACE(c.name);
        ReconnectApp app(c.internet);
        app.dial.setRuntimeObject(ns::Value(true), kRTIsSameMCC);
        c.arrange(app);
        app.dial.reconnectAfterAutoDisconnect();
        app.clock.advance(120);
        EXPECT_EQ(app.dial.reconnectTimes, 0);
        EXPECT_EQ(app.dial.connectStatus(), 0);
    }
}

TEST(AutoReconnect, ABusyDeviceIsTriedAgainEveryTenSecondsWithoutCounting)
{
    ReconnectApp app;
    app.settings.sheetOpen = true;
    app.init.psDomain = false;
    app.dial.reconnect(false);
    app.clock.advance(10);
    app.settings.sheetOpen = false;
    app.clock.advance(10);
    EXPECT_EQ(app.dial.reconnectTimes, 0);
    // A connection in progress is busy too.
    app.init.psDomain = true;
    app.dial.setConnectStatus(2);
    app.clock.advance(10);
    EXPECT_EQ(app.dial.reconnectTimes, 0);
    app.dial.setConnectStatus(0);
    app.clock.advance(9.9);
    EXPECT_EQ(app.dial.reconnectTimes, 0);
    app.clock.advance(0.2);
    EXPECT_EQ(app.dial.reconnectTimes, 1);
    EXPECT_EQ(app.dial.connectStatus(), 1);
}

TEST(AutoReconnect, WhatTheUserDidDecidesWhetherAnEndedLinkIsDialledAgain)
{
    struct Case {
        const char* name;
        ns::Dictionary internet;
        bool linkCameUp; // the user's connection was up before it ended
        bool userEndsIt; // the user pressed Disconnect
        bool dialledAgain;
    };
    const ns::Dictionary notForFailed{{"NotAutoConnectForPPPFailed", true}};
    for (const Case& c : {
             Case{"a user disconnect", {}, true, true, false},
             Case{"a dropped user connection", {}, true, false, true},
             Case{"a failed user connect", {}, false, false, true},
             Case{"a dropped user connection, not for failed", notForFailed, true, false, true},
             Case{"a failed user connect, not for failed", notForFailed, false, false, false},
         }) {
        SCOPED_TRACE(c.name);
        ReconnectApp app(c.internet);
        app.enableButtons();
        app.dial.m_ConnectButton->performClick(nullptr);
        app.settle();
        ASSERT_EQ(app.dial.connectStatus(), 1);
        if (c.linkCameUp) {
            app.linkComesUp();
            ASSERT_EQ(app.dial.connectStatus(), 3);
        }
        if (c.userEndsIt) {
            app.enableButtons();
            app.dial.m_ConnectButton->performClick(nullptr);
            app.settle();
        }
        app.linkEnds();
        app.clock.advance(60);
        EXPECT_EQ(app.dial.reconnectTimes, c.dialledAgain ? 1 : 0);
    }
}

TEST(AutoReconnect, WakeStartsAFreshSeriesUnlessAutoConnectIsOffForFailedConnects)
{
    struct Case {
        const char* name;
        ns::Dictionary internet;
        ns::Dictionary top;
        bool dialled;
    };
    for (const Case& c : {Case{"plain", {}, {}, true},
                          Case{"not for failed, auto connect off",
                               {{"NotAutoConnectForPPPFailed", true}},
                               {{"AutoConnect", false}},
                               false},
                          Case{"not for failed, auto connect on",
                               {{"NotAutoConnectForPPPFailed", true}},
                               {{"AutoConnect", true}},
                               true}}) {
        SCOPED_TRACE(c.name);
        ReconnectApp app(c.internet, c.top);
        // Sleep marked the end manual, and the series had run out.
        app.dial.setManualDisconnect(true);
        app.dial.reconnectTimes = 3;
        app.dial.machineDidWake(nullptr);
        app.clock.advance(10.1);
        EXPECT_EQ(app.dial.reconnectTimes, c.dialled ? 1 : 3);
        EXPECT_EQ(app.dial.connectStatus(), c.dialled ? 1 : 0);
    }
}

TEST(AutoReconnect, TheSettingsPageAllowsItByTheStoredCheckBoxOrTheOverride)
{
    struct Case {
        const char* name;
        ns::Dictionary top;
        ns::Dictionary internet;
        bool enabled;
        bool allowed;
    };
    for (const Case& c : {
             Case{"no check box", {}, {{"DefaultAutoConnect", true}}, true, false},
             Case{"checked", {{"AutoConnect", true}}, {}, true, true},
             Case{"checked but disabled", {{"AutoConnect", true}}, {}, false, false},
             Case{"unchecked", {{"AutoConnect", false}}, {}, true, false},
             Case{"unchecked, override",
                  {{"AutoConnect", false}},
                  {{"EnableAutoReconnectNotDependOnAutoConnectLable", true}},
                  true,
                  true},
         }) {
        SCOPED_TRACE(c.name);
        DeviceApp app(withSettings(c.top, c.internet));
        ASSERT_TRUE(g_SettingController);
        g_SettingController->setAutoConnectBtnEnable(c.enabled);
        EXPECT_EQ(g_SettingController->allowAutoReconnect(), c.allowed);
    }
}
