// The usage limits while a connection runs: the 80 % warning, the limit
// action, and the windows they show. The connection polls on the manual
// clock; the saved history is a fake with the totals each case needs.
#include "connection/DialController.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/NDISTransferReport.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"
#include "tests/connection/DialTestSupport.h"
#include "tests/support/AlertAnswering.h"
#include "tests/support/AppKitTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

using namespace dial_test;
using appkit_test::AlertAnswerer;

namespace
{

// The dictionary with the changes made; a null value takes the key out.
ns::Dictionary changed(const ns::Dictionary& base, const ns::Dictionary& changes)
{
    ns::Dictionary result = base.copy();
    for (const auto& [key, value] : changes)
        if (value.isNull())
            result.remove(key);
        else
            result.setValue(key, value);
    return result;
}

// The "Record" settings as the Limits window stores them: the switches as
// the strings "1" and "0", the records reset every month, a disconnect at the limit.
ns::Dictionary limits(const ns::Dictionary& changes)
{
    return changed(
        {{"IfSetRecordResetFrequence", "1"}, {"recordLimitWarn", "1"}, {"recordLimitDisconnect", "1"}},
        changes);
}

const ns::Dictionary kData100MB{{"recordLimitState", "1"}, {"recordDataLimit", 100}};
const ns::Dictionary kAskAt100MB{
    {"recordLimitState", "1"}, {"recordDataLimit", 100}, {"recordLimitDisconnect", "0"}};
const ns::Dictionary kTime1Hour{{"recordLimitState", "0"}, {"recordTimeLimit", 1}};

// A PPP connection that is up, its poll running on the manual clock.
struct LimitApp {
    explicit LimitApp(const ns::Dictionary& record, const ns::Dictionary& internet = ns::Dictionary())
        : app(withSettings({{"Record", record}}, internet))
    {
        app.dial.DialConnect();
        app.dial.setDialBtnWithStatus(true);
    }
    // The traffic so far: part saved in earlier records, the rest in this connection.
    void dataUsed(double kilobytes, double running = 1000)
    {
        saved.kilobytes = float(kilobytes - running);
        app.dial.m_sendData = app.dial.m_receiveData = float(running * 1024 / 2);
    }
    void timeUsed(long seconds, long running = 600)
    {
        saved.seconds = seconds - running;
        app.dial.m_connecttime = running;
    }
    // One status poll, then time for a connect-button action it asked for.
    void poll()
    {
        app.clock.advance(0.1);
        app.settle();
    }
    bool warningShown() const { return app.dial.wndLimitWarning_ && app.dial.wndLimitWarning_->isVisible(); }
    QString warningText() const { return app.dial.labelLimitWarningMsg_->stringValue(); }
    bool reachWindowShown() const { return app.dial.reachLimitsMsg && app.dial.reachLimitsMsg->isVisible(); }

    DialApp app;
    FakeHistory saved;
};

} // namespace

TEST(UsageLimits, DataWarnsOnceStrictlyPastEightyPercentAndActsAtTheLimit)
{
    struct Case {
        double kilobytes;
        bool warns, acts;
    };
    // 100 MB: 81,920 KB is exactly 80 % and 102,400 KB the limit.
    for (const Case& c : {Case{82944, true, false}, Case{81920, false, false}, Case{81921, true, false},
                          Case{102399, true, false}, Case{102400, false, true}, Case{150000, false, true}}) {
        SCOPED_TRACE(c.kilobytes);
        LimitApp limit(limits(kData100MB));
        limit.dataUsed(c.kilobytes);
        limit.poll();
        EXPECT_EQ(limit.warningShown(), c.warns);
        if (c.warns) {
            EXPECT_EQ(limit.warningText(), translated("Total Data is reaching 80 percent of the limit"));
        }
        EXPECT_EQ(limit.reachWindowShown(), c.acts);
        EXPECT_EQ(limit.app.dial.connectStatus(), c.acts ? 2 : 3);

        // The warning is given once per connection, whatever the next polls find.
        limit.app.dial.closeLimitWarningPanel(nullptr);
        limit.poll();
        EXPECT_FALSE(limit.warningShown());
    }
}

TEST(UsageLimits, TimeWarnsFromEightyPercentAndActsTheDelayEarly)
{
    struct Case {
        long seconds;
        bool warns, acts;
    };
    // 1 h with a delay of 60 s: 2,880 s is 80 %, the action comes at 3,540 s.
    for (const Case& c : {Case{2880, false, false}, Case{2881, true, false}, Case{3539, true, false},
                          Case{3540, false, true}, Case{4000, false, true}}) {
        SCOPED_TRACE(c.seconds);
        LimitApp limit(limits(kTime1Hour), {{"LimitDisconnectDelay", 60}});
        limit.timeUsed(c.seconds);
        limit.poll();
        EXPECT_EQ(limit.warningShown(), c.warns);
        if (c.warns) {
            EXPECT_EQ(limit.warningText(), translated("Total Time is reaching 80 percent of the limit"));
        }
        EXPECT_EQ(limit.reachWindowShown(), c.acts);
        EXPECT_EQ(limit.app.dial.connectStatus(), c.acts ? 2 : 3);
    }
}

TEST(UsageLimits, NothingIsCheckedWithoutAResetOrWithASwitchOff)
{
    struct Case {
        const char* name;
        ns::Dictionary changes;
        bool refreshes, warns, acts;
    };
    const ns::Value absent;
    for (const Case& c : {
             Case{"no reset", {{"IfSetRecordResetFrequence", "0"}}, false, false, false},
             Case{"reset every few days",
                  {{"IfSetRecordResetFrequence", absent}, {"IfSetRecordResetEveryDays", true}},
                  true,
                  true,
                  true},
             Case{"warning off", {{"recordLimitWarn", "0"}}, true, false, true},
             Case{"warning absent", {{"recordLimitWarn", absent}}, true, false, true},
             Case{"action absent", {{"recordLimitDisconnect", absent}}, true, true, false},
             Case{"unknown action", {{"recordLimitDisconnect", "2"}}, true, true, false},
             Case{"no limit", {{"recordDataLimit", 0}}, true, false, false},
         }) {
        SCOPED_TRACE(c.name);
        LimitApp limit(changed(limits(kData100MB), c.changes));
        // Past 80 % of 100 MB, then past the limit.
        limit.dataUsed(90000, 90000);
        limit.poll();
        EXPECT_EQ(limit.saved.updates > 0, c.refreshes);
        EXPECT_EQ(limit.warningShown(), c.warns);
        limit.dataUsed(200000, 200000);
        limit.poll();
        EXPECT_EQ(limit.app.dial.connectStatus(), c.acts ? 2 : 3);
    }
}

TEST(UsageLimits, AskingCancelKeepsTheLinkAndAsksNoMoreOkDisconnectsOnce)
{
    const QString question = translated("Preset limit has been reached. Do you want to disconnect?");
    {
        LimitApp limit(limits(kAskAt100MB));
        limit.dataUsed(102400);
        AlertAnswerer cancel(QStringLiteral("Cancel"));
        limit.poll();
        limit.poll();
        ASSERT_EQ(cancel.alerts.size(), 1);
        EXPECT_TRUE(cancel.showed(question));
        EXPECT_EQ(limit.app.dial.connectStatus(), 3);
        EXPECT_FALSE(limit.reachWindowShown());
    }
    {
        // Both connect buttons, and a question before every disconnect: one
        // action for the request, so the user is asked once.
        LimitApp limit(limits(kAskAt100MB), {{"PopUpDisconnectWaring", true}});
        ASSERT_NE(limit.app.dial.btnConnectSimple, nullptr);
        limit.dataUsed(102400);
        AlertAnswerer ok;
        limit.poll();
        limit.poll();
        ASSERT_EQ(ok.alerts.size(), 2);
        EXPECT_TRUE(ok.alerts[0].contains(question));
        EXPECT_TRUE(ok.alerts[1].contains(translated("Do you want to terminate current connection?")));
        EXPECT_EQ(limit.app.dial.connectStatus(), 2);
        EXPECT_TRUE(limit.app.dial.hadDoManualDisconnect());
    }
}

TEST(UsageLimits, AnAnswerAfterTheLinkEndedConnectsNothing)
{
    LimitApp limit(limits(kAskAt100MB));
    limit.dataUsed(102400);
    // The link ends while the question is open; then the user says OK.
    appkit_test::whenRunning([&] { limit.app.dial.StopTimerOfGetConnectState(); });
    appkit_test::AlertSeen seen;
    appkit_test::answerNextAlert(QStringLiteral("OK"), &seen);
    limit.poll();
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(limit.app.dial.connectStatus(), 0);
}

TEST(UsageLimits, TheWarningStaysInFrontWithoutTakingTheKeyboard)
{
    LimitApp limit(limits(kData100MB));
    std::unique_ptr<ns::Window> main = appkit_test::shownWindow();
    main->makeKeyAndOrderFront(nullptr);
    QCoreApplication::processEvents();
    limit.dataUsed(90000);
    limit.poll();
    QCoreApplication::processEvents();
    ns::Window* warning = limit.app.dial.wndLimitWarning_.get();
    ASSERT_TRUE(limit.warningShown());
    EXPECT_EQ(warning->level(), ns::ModalPanelWindowLevel);
    EXPECT_EQ(ns::Application::sharedApplication().keyWindow(), main.get());
    EXPECT_EQ(limit.app.dial.labelLimitWarning_->stringValue(), translated("Warning!"));
    EXPECT_EQ(limit.app.dial.btnLimintPanelOK_->title(), translated("OK"));

    appkit_test::click(limit.app.dial.btnLimintPanelOK_);
    EXPECT_FALSE(limit.warningShown());
}

TEST(UsageLimits, TheReachLimitsWindowClosesWithItsButton)
{
    LimitApp limit(limits(kData100MB));
    limit.dataUsed(102400);
    limit.poll();
    ASSERT_TRUE(limit.reachWindowShown());
    EXPECT_EQ(limit.app.dial.reachLimitsMsg->level(), ns::ModalPanelWindowLevel);
    ns::Button* ok = appkit_test::findWidget<ns::Button>(limit.app.dial.reachLimitsMsg.get());
    ASSERT_NE(ok, nullptr);
    appkit_test::click(ok);
    EXPECT_FALSE(limit.reachWindowShown());
}

TEST(UsageLimits, ResettingTheDataUsageRestartsTheRunningCounts)
{
    LimitApp limit(limits(kData100MB));
    limit.dataUsed(102400, 102400);
    ns::NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("btnDatausageRestCliked"),
                                                                 nullptr);
    EXPECT_EQ(limit.app.dial.getCurrentTotalData(), 0);
    limit.poll();
    EXPECT_EQ(limit.app.dial.connectStatus(), 3);
}

TEST(UsageLimits, AnNdisTransferReportChecksTheLimitsToo)
{
    DialApp app(withSettings({{"ConnectType", 1}, {"Record", limits(kData100MB)}}),
                DialApp::Answers::Delivered);
    FakeHistory saved;
    app.dial.isDeviceRemoved = false;
    app.dial.NDISDialConnect();
    app.dial.setDialBtnWithStatus(true);
    NDISTransferReport report;
    report.localAddress = QStringLiteral("10.64.12.7");
    report.sendBytes = report.receiveBytes = 50 * 1024 * 1024;
    app.deliver(msg::connection::kNDISDialTransferData, report.bytes());
    app.settle();
    ASSERT_TRUE(app.dial.reachLimitsMsg);
    EXPECT_TRUE(app.dial.reachLimitsMsg->isVisible());
    EXPECT_EQ(app.dial.connectStatus(), 2);
}
