// The dial controller's connection states and the connect button's
// procedure, with the other wings faked and time on a manual clock.
#include "app/interfaces/InitControlling.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "connection/DialController.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/Clock.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/Workspace.h"
#include "tests/connection/DialTestSupport.h"

#include <gtest/gtest.h>

using namespace device_test;
using namespace dial_test;

TEST(DialState, OnlyIdleAndConnectedArePublished)
{
    DialApp app;
    QList<int> posted;
    ns::Object* observer = ns::NotificationCenter::defaultCenter().addObserverForName(
        kConnectStatusDidChangeNotification, nullptr, [&](const ns::Notification& notification) {
            posted << notification.userInfo().value(QStringLiteral("ConnectStatus")).intValue();
        });
    app.dial.setRuntimeObject(ns::Value(QStringLiteral("untouched")), kRTIsConnecttedFlag);
    for (int state : {1, 2})
        app.dial.setConnectStatus(state);
    EXPECT_TRUE(posted.isEmpty());
    EXPECT_EQ(app.dial.runtimeObjectForKey(kRTIsConnecttedFlag).toString(), "untouched");

    app.dial.setConnectStatus(3);
    EXPECT_TRUE(app.dial.runtimeObjectForKey(kRTIsConnecttedFlag).boolValue());
    app.dial.setConnectStatus(0);
    EXPECT_FALSE(app.dial.runtimeObjectForKey(kRTIsConnecttedFlag).boolValue());
    EXPECT_EQ(posted, (QList<int>{3, 0}));
    ns::NotificationCenter::defaultCenter().removeObserver(observer);
}

TEST(DialState, QueriesFollowTheState)
{
    struct Case {
        int state;
        bool closing;
        bool doing, dialNow, inUse;
    };
    DialApp app;
    for (const Case& c : {Case{0, false, false, false, false}, Case{1, false, true, true, true},
                          Case{2, false, true, true, true}, Case{3, false, false, true, true},
                          Case{3, true, false, false, true}}) {
        SCOPED_TRACE(testing::Message() << "state " << c.state << " closing " << c.closing);
        app.dial.setConnectStatus(c.state);
        app.dial.setAppWillClose(c.closing);
        EXPECT_EQ(app.dial.isDoingConnect(), c.doing);
        EXPECT_EQ(app.dial.GetisDialNow(), c.dialNow);
        EXPECT_EQ(app.dial.isDataServicesInUsage(), c.inUse);
    }
}

TEST(DialState, APressActsByConnectionTypeAndStateAndDisablesTheButton)
{
    struct Case {
        int type, state;
        int after;
        bool manualDisconnect;
    };
    for (const Case& c :
         {Case{0, 0, 1, false}, Case{0, 1, 2, true}, Case{0, 2, 2, false}, Case{0, 3, 2, true},
          Case{1, 0, 1, false}, Case{1, 1, 1, false}, Case{1, 2, 2, false}, Case{1, 3, 2, true}}) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " state " << c.state);
        DialApp app(withSettings({{"ConnectType", c.type}}));
        app.dial.setConnectStatus(c.state);
        app.enableButtons();
        app.dial.m_ConnectButton->performClick(nullptr);
        // Nothing happens until the click has finished.
        EXPECT_EQ(app.dial.connectStatus(), c.state);
        EXPECT_TRUE(app.dial.m_ConnectButton->isEnabled());
        app.settle();
        EXPECT_EQ(app.dial.connectStatus(), c.after);
        EXPECT_EQ(app.dial.manualDisconnectFlag, c.manualDisconnect);
        EXPECT_FALSE(app.dial.m_ConnectButton->isEnabled());
        EXPECT_EQ(app.dial.hadDoManualDisconnect(), c.state == 3);
    }
}

TEST(DialState, TheDeviceLockGuardsOnlyTheMainButtonAndProgrammaticConnects)
{
    DialApp app(withSettings({{"DeviceLockDialFunction", true}}));
    app.settings.deviceUnlockCodeState = true;
    struct Case {
        const char* name;
        ns::Object* sender;
        bool guarded;
    };
    for (const Case& c : {Case{"programmatic", nullptr, true}, Case{"main", app.dial.m_ConnectButton, true},
                          Case{"simple", &app.simpleButton, false}}) {
        SCOPED_TRACE(c.name);
        app.dial.setConnectStatus(0);
        app.init.unlockWindows = 0;
        app.dial.DialOption(c.sender);
        app.settle();
        EXPECT_EQ(app.init.unlockWindows, c.guarded ? 1 : 0);
        EXPECT_EQ(app.dial.connectStatus(), c.guarded ? 0 : 1);
    }
    EXPECT_EQ(app.init.lockModule, 0);

    // Without a code in force the lock lets every connect through.
    app.settings.deviceUnlockCodeState = false;
    app.dial.setConnectStatus(0);
    app.dial.DialOption(nullptr);
    app.settle();
    EXPECT_EQ(app.dial.connectStatus(), 1);
}

TEST(DialState, SleepEndsOnlyAnNdisConnectionAndAlwaysMarksTheEndManual)
{
    struct Case {
        int type, state;
        int after;
        bool buttonEnabled;
    };
    for (const Case& c :
         {Case{0, 3, 3, true}, Case{0, 1, 1, true}, Case{1, 3, 2, false}, Case{1, 0, 0, true}}) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " state " << c.state);
        DialApp app(withSettings({{"ConnectType", c.type}}));
        app.dial.setConnectStatus(c.state);
        app.enableButtons();
        ns::NotificationCenter::defaultCenter().postNotificationName(ns::kWorkspaceWillSleepNotification,
                                                                     nullptr);
        EXPECT_TRUE(app.dial.manualDisconnectFlag);
        EXPECT_EQ(app.dial.connectStatus(), c.after);
        EXPECT_EQ(app.dial.m_ConnectButton->isEnabled(), c.buttonEnabled);
    }
}

TEST(DialState, ARequestByNotificationIsOneConnectFromTheMainButton)
{
    {
        DialApp app;
        app.enableButtons();
        ns::NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("dialOption"), nullptr);
        app.settle();
        // A second action would have cancelled the first.
        EXPECT_EQ(app.dial.connectStatus(), 1);
        EXPECT_TRUE(app.dial.isManalConnect());
    }
    // A call on a 2G network keeps the line: the user is told, nothing else.
    DialApp calling;
    calling.call.stage = 1;
    calling.dial.setIs2GNetWork(true);
    AlertAnswerer answerer;
    ns::NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("dialOption"), nullptr);
    calling.settle();
    EXPECT_TRUE(answerer.showed("Please disconnet the calliing first!"));
    EXPECT_EQ(calling.dial.connectStatus(), 0);
}

TEST(DialState, ARefusedRoamingPromptStopsTheConnectForGood)
{
    struct Case {
        const char* button;
        int after;
        bool manualDisconnect;
    };
    for (const Case& c : {Case{"Cancel", 0, true}, Case{"OK", 1, false}}) {
        SCOPED_TRACE(c.button);
        DialApp app;
        app.init.roamStatus = 0;
        AlertAnswerer answerer(QString::fromLatin1(c.button));
        app.dial.DialOption(app.dial.m_ConnectButton);
        app.settle();
        EXPECT_TRUE(answerer.showed("Cost will be increased at roaming status"));
        EXPECT_EQ(app.dial.connectStatus(), c.after);
        EXPECT_EQ(app.dial.manualDisconnectFlag, c.manualDisconnect);
        EXPECT_EQ(app.dial.statusDict_.value(QStringLiteral("roaming")).intValue(), c.after);
    }
}

TEST(DialState, AReachedTimeLimitAsksAndCancelKeepsTheConnectionUncut)
{
    // Limits count while the records are reset on a schedule.
    ns::Dictionary record{{"recordTimeLimit", 1}, {"IfSetRecordResetFrequence", true}};
    DialApp app(withSettings({{"Record", record}}, {{"timeLimitWarning", true}}));
    app.dial.m_connecttime = 3600;
    AlertAnswerer answerer(QStringLiteral("Cancel"));
    app.dial.DialOption(app.dial.m_ConnectButton);
    app.settle();
    EXPECT_TRUE(answerer.showed("Pre-set limit has been reached. Do you want to connect anyway?"));
    EXPECT_EQ(app.dial.connectStatus(), 0);
    EXPECT_FALSE(app.dial.autoDisconnectFlag);

    // Under the limit nothing is asked.
    app.dial.m_connecttime = 3599;
    AlertAnswerer none;
    app.dial.DialOption(app.dial.m_ConnectButton);
    app.settle();
    EXPECT_TRUE(none.alerts.isEmpty());
    EXPECT_EQ(app.dial.connectStatus(), 1);
}

TEST(DialState, TheNetworkStatusTellsTwoGAndUsability)
{
    struct Case {
        const char* status;
        bool is2G, usable;
    };
    DialApp app(withSettings({{"EnableConnectByNetStatus", true}}));
    for (const Case& c :
         {Case{"EDGE", true, true}, Case{"GPRS", true, true}, Case{"HSDPA", false, true},
          Case{"No Service", false, false}, Case{"Limited Service", false, false}, Case{"", false, false}}) {
        SCOPED_TRACE(c.status);
        app.settings.calls.clear();
        ns::NotificationCenter::defaultCenter().postNotificationName(
            QStringLiteral("init_NetworkStatus"), nullptr,
            {{"init_NetworkStatus", QString::fromLatin1(c.status)}});
        EXPECT_EQ(app.dial.is2GNetWork(), c.is2G);
        EXPECT_EQ(app.settings.calls, QStringList{QStringLiteral("autoConnect %1").arg(c.usable)});
    }
}

TEST(DialState, RemovalLeavesTheControllerIdleAndWaitingForADevice)
{
    DialApp app(withSettings({{"ShowModemAndSimStateBasisDeviceStateWhenR27C", true}}));
    app.dial.isDeviceRemoved = false;
    app.dial.setConnectStatus(3);
    app.enableButtons();
    app.dial.deviceRemoved(nullptr);
    EXPECT_TRUE(app.dial.isDeviceRemoved);
    EXPECT_EQ(app.dial.connectStatus(), 0);
    EXPECT_FALSE(app.dial.m_ConnectButton->isEnabled());
    EXPECT_FALSE(app.dial.manualDisconnectFlag);
    // Without a device the packet domain is gone too: no state is shown.
    EXPECT_EQ(app.dial.m_ConnectState->stringValue(), "");
    EXPECT_EQ(app.dial.m_ModemAndSimState->stringValue(),
              Map_Name_Item_of_IndexString("Dial_tfdDeviceNotDetected"));
}

TEST(PSDomainStatus, ADetachWhileIdleTakesTheButtonUnlessConfiguredToKeepIt)
{
    const struct {
        const char* name;
        bool keep; // Internet/"DoNotCheckPSDomainWhileAutoConnect"
        bool enabledBefore;
        bool removed;
        bool enabledAfter;
    } cases[] = {
        {"plain", false, true, false, false},
        {"kept", true, true, false, true},
        {"kept and given back", true, false, false, true},
        {"no device: not given back", true, false, true, false},
        {"plain: not given back", false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DialApp app(withSettings({}, {{"DoNotCheckPSDomainWhileAutoConnect", c.keep}}));
        app.dial.isDeviceRemoved = c.removed;
        app.dial.setConnectBtnEnable(c.enabledBefore);
        app.dial.m_ConnectState->setStringValue("Idle");
        app.dial.setPSDomainStatus(false);
        EXPECT_EQ(app.dial.m_ConnectButton->isEnabled(), c.enabledAfter);
        EXPECT_EQ(app.dial.m_ConnectState->stringValue(), "");
    }
}
