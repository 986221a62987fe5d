// The PPP status answers as the dial controller reads them: handed to it
// through a message center, with time on a manual clock and no device server.
#include "app/language/WordingOperation.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/UINotifications.h"
#include "connection/DialController.h"
#include "connection/StatisticsController/statisticSource.h"
#include "connection/StatisticsController/statisticsView.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/PPPConnectStatus.h"
#include "platform/ns/Clock.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"
#include "tests/connection/DialTestSupport.h"
#include "tests/device/DeviceTestSupport.h"

#include <gtest/gtest.h>

using namespace device_test;
using dial_test::translated;

namespace
{

ns::Dictionary withInternet(const ns::Dictionary& internet, const ns::Dictionary& top = ns::Dictionary())
{
    return dial_test::withSettings(top, internet);
}

// The controller with a connect under way; the device's answers are handed to it.
struct PPPApp : dial_test::DialApp {
    explicit PPPApp(const ns::Dictionary& settings) : DialApp(settings, Answers::Delivered) {}

    // A connect as the button starts it: the button is held until the status says.
    void connect()
    {
        dial.DialConnect();
        dial.setConnectBtnEnable(false);
    }
    // One status answer of the new form.
    void status(int code, const QString& address = QString(), double seconds = 0, float sent = 0,
                float received = 0)
    {
        PPPConnectStatus status;
        status.code = code;
        status.localAddress = address;
        status.seconds = seconds;
        status.sendBytes = sent;
        status.receiveBytes = received;
        deliver(msg::connection::kPPPConnectStatus, status.bytes());
    }
    QString text() const { return dial.m_ConnectState->stringValue(); }

    FakeUpdateLink updateLink;
    dial_test::FakeHistory records;
};

const ns::Dictionary kNewDial{{"NewDial", true}};

} // namespace

TEST(PPPStatus, FoldingLeavesOnlyTheConnectingTextAndNoCancelButton)
{
    struct Case {
        bool fold;
        QStringList texts; // after 1, 2, 4, 5, 7
        bool cancelButton;
    };
    for (const Case& c :
         {Case{false, {"Init", "Connecting......", "Establish", "Authenticate", "Create Network"}, true},
          Case{true,
               {"Init", "Connecting......", "Connecting...", "Connecting......", "Connecting..."},
               false}}) {
        SCOPED_TRACE(c.fold ? "folded" : "unfolded");
        PPPApp app(withInternet({{"noNeedMiddleStatus", c.fold}}, kNewDial));
        app.connect();
        QStringList texts;
        for (int code : {1, 2, 4, 5, 7}) {
            app.status(code);
            texts << app.text();
        }
        QStringList expected;
        for (const QString& key : c.texts)
            expected << translated(key.toLatin1().constData());
        EXPECT_EQ(texts, expected);
        EXPECT_EQ(app.dial.m_ConnectButton->isEnabled(), c.cancelButton);
        EXPECT_EQ(app.dial.m_ConnectButton->title() ==
                      WordingOperation::getDisplayWordingValueByWordingKey("Internet_btnConnect_Cancel"),
                  c.cancelButton);

        // 9 disables the button either way; folded it reads as 10.
        app.dial.setConnectBtnEnable(true);
        app.status(9);
        EXPECT_FALSE(app.dial.m_ConnectButton->isEnabled());
        EXPECT_EQ(app.text(), translated(c.fold ? "Disconnecting......" : "Terminate"));
    }
}

TEST(PPPStatus, TheWordingPaceChangesTheConnectingTextEveryThatManyAnswers)
{
    struct Case {
        ns::Dictionary internet;
        QList<int> changedAt; // answers (from 1) after which the text changed
    };
    for (const Case& c :
         {Case{{{"DialWordingSpeed", 3}}, {3, 6, 9}}, Case{{}, {1, 2, 3, 4, 5, 6, 7, 8, 9}}}) {
        SCOPED_TRACE(c.internet.isEmpty() ? "no pace" : "pace 3");
        PPPApp app(withInternet(c.internet, kNewDial));
        app.connect();
        QList<int> changedAt;
        QStringList shown;
        for (int answer = 1; answer <= 9; ++answer) {
            const QString before = app.text();
            app.status(2);
            if (app.text() != before) {
                changedAt << answer;
                shown << app.text();
            }
        }
        EXPECT_EQ(changedAt, c.changedAt);
        ASSERT_GE(shown.size(), 2);
        EXPECT_EQ(shown[0], translated("Connecting......"));
        EXPECT_EQ(shown[1], translated("Connecting..."));
    }
}

TEST(PPPStatus, ConnectedTakesTheFiguresAndFiltersAFailedLeaseAddress)
{
    struct Case {
        bool filter;
        QString shown;
    };
    for (const Case& c : {Case{true, QString()}, Case{false, QStringLiteral("169.254.7.9")}}) {
        SCOPED_TRACE(c.filter ? "filtered" : "shown");
        PPPApp app(withInternet({{"Internet_doNotDisplayIPAddress_whenDHCPFailed", c.filter}}, kNewDial));
        app.connect();
        app.status(8, QStringLiteral("169.254.7.9"), 12.9, 2048, 4096);
        EXPECT_EQ(app.dial.connectStatus(), DialControlling::Connected);
        EXPECT_EQ(app.dial.recordInState(), "Record In Runing");
        EXPECT_EQ(app.dial.m_connecttime, 12);
        EXPECT_EQ(app.dial.m_sendData, 2048);
        EXPECT_EQ(app.dial.m_receiveData, 4096);
        EXPECT_EQ(app.dial.m_IPAddress->stringValue(), c.shown);
        // The update link hears of the device once per run.
        app.status(8, QStringLiteral("169.254.7.9"), 13, 2048, 4096);
        EXPECT_EQ(app.updateLink.calls.count("deviceReady"), 1);
        // The record keeps the address the device gave.
        app.status(0);
        ASSERT_EQ(app.records.appended.size(), 1);
        EXPECT_EQ(app.records.appended[0].value("localaddr").toString(), "169.254.7.9");
    }
}

TEST(PPPStatus, TheOldFormAndItsAddressAnswerReachTheSameState)
{
    PPPApp app(withInternet({}));
    app.connect();
    PPPConnectStatus status;
    status.code = 8;
    status.seconds = 5;
    status.sendBytes = 100;
    status.receiveBytes = 300;
    app.deliver(msg::connection::kPPPConnectStatus, status.oldBytes());
    app.deliver(msg::connection::kPPPConnectOption, QByteArray::fromHex("0200400a")); // 10.64.0.2
    EXPECT_EQ(app.dial.connectStatus(), DialControlling::Connected);
    EXPECT_EQ(app.dial.m_connecttime, 5);
    EXPECT_EQ(app.dial.m_receiveData, 300);
    EXPECT_EQ(app.dial.m_IPAddress->stringValue(), "10.64.0.2");
    EXPECT_EQ(app.dial.statusDict_.value("localaddr").longLongValue(), 0x0A400002);
}

TEST(PPPStatus, TheEndOfALinkClearsTheDisplayAndIgnoresLateAnswers)
{
    struct Case {
        bool inKB;
        QString data, speed;
    };
    for (const Case& c : {Case{false, "_____", "_____"}, Case{true, "0.00 KB", "0.00 KBPS"}}) {
        SCOPED_TRACE(c.inKB ? "in KB" : "plain");
        PPPApp app(withInternet({{"InitDataWithKB", c.inKB}}, kNewDial));
        PostedNames posted({QStringLiteral("ConnectFailed"), kStartConnectionNotification});
        app.connect();
        app.status(8, QStringLiteral("10.1.2.3"), 30, 1000, 2000);
        EXPECT_EQ(app.text(), translated("Connected"));
        app.dial.DialOption(app.dial.m_ConnectButton);
        app.clock.advance(0.1); // the press goes through: the user disconnects
        EXPECT_EQ(app.dial.connectStatus(), DialControlling::Disconnecting);
        // The record goes before the device confirms, and only then.
        ASSERT_EQ(app.records.appended.size(), 1);
        const ns::Dictionary record = app.records.appended[0];
        EXPECT_EQ(record.value("disconnecttime").toDate(), record.value("starttime").toDate().addSecs(30));
        for (int code : {9, 10, 0})
            app.status(code);
        EXPECT_EQ(app.records.appended.size(), 1);

        EXPECT_EQ(app.dial.connectStatus(), DialControlling::Idle);
        EXPECT_EQ(app.text(), translated("Idle"));
        EXPECT_EQ(app.dial.m_TimerToGetConnectState, nullptr);
        EXPECT_EQ(app.dial.m_IPAddress->stringValue(), "0.0.0.0");
        EXPECT_EQ(app.dial.m_ConnectTime->stringValue(), "00:00:00");
        for (ns::TextField* field : {app.dial.m_FluxForSend, app.dial.m_FluxForReceive, app.dial.m_TotalData})
            EXPECT_EQ(field->stringValue(), c.data);
        for (ns::TextField* field : {app.dial.m_SpeedForSend, app.dial.m_SpeedForReceive})
            EXPECT_EQ(field->stringValue(), c.speed);
        EXPECT_TRUE(app.dial.m_DialConfigList->isEnabled());
        EXPECT_EQ(app.dial.m_connecttime, 0);
        EXPECT_TRUE(app.settings.calls.contains("settingButtons 1"));
        // A user's disconnect is no failure.
        EXPECT_EQ(posted.names, (QStringList{kStartConnectionNotification, kStartConnectionNotification}));

        // An answer after the poll ended changes nothing.
        app.status(8, QStringLiteral("10.1.2.3"), 31, 1000, 2000);
        EXPECT_EQ(app.dial.connectStatus(), DialControlling::Idle);
        EXPECT_EQ(app.dial.m_IPAddress->stringValue(), "0.0.0.0");
    }
}

TEST(PPPStatus, TheFiguresHideBetweenConnectionsOnlyWhenSoConfigured)
{
    for (bool autoHide : {false, true}) {
        SCOPED_TRACE(autoHide ? "AutoHideConnectState" : "always shown");
        PPPApp app(withInternet({}, {{"NewDial", true}, {"AutoHideConnectState", autoHide}}));
        const auto figuresHidden = [&] { return app.dial.m_ConnectTime->isHiddenOrHasHiddenAncestor(); };
        EXPECT_EQ(figuresHidden(), autoHide);
        app.connect();
        app.status(8, QStringLiteral("10.1.2.3"), 30, 1000, 2000);
        EXPECT_FALSE(figuresHidden());
        EXPECT_EQ(app.dial.m_ModemAndSimState->isHidden(), autoHide);
        app.status(0);
        EXPECT_EQ(figuresHidden(), autoHide);
        EXPECT_FALSE(app.dial.m_ModemAndSimState->isHidden());
    }
}

TEST(PPPStatus, TheStatisticsWindowShowsTheDurationAtADisconnect)
{
    PPPApp app(withInternet({{"DisplayStatisticsWin", true}}, kNewDial));
    app.connect();
    app.status(8, QStringLiteral("10.1.2.3"), 0, 0, 0);
    app.dial.statusDict_.setValue(QStringLiteral("connecttime"), ns::Value(qint64(443045)));
    app.dial.statusDict_.setValue(QStringLiteral("receivebyte"), QStringLiteral("1024.50"));
    app.dial.statusDict_.setValue(QStringLiteral("sendbyte"), QStringLiteral("512.25"));
    app.dial.DialDisconnect();
    ASSERT_NE(app.dial.wndStatisticsWin_, nullptr);
    EXPECT_TRUE(app.dial.wndStatisticsWin_->isVisible());
    EXPECT_EQ(app.dial.tfdDisplayDuration_->stringValue(), "123:04:05");
    // The kilobytes in the history's units.
    EXPECT_EQ(app.dial.tfdDisplayDownData_->stringValue(), "1024.5");
    EXPECT_EQ(app.dial.tfdDisplayUpData_->stringValue(), "512.25");
    EXPECT_EQ(app.dial.tfdDisplayTotalData_->stringValue(), "1536.75");
    app.dial.closeStatisticsWin(nullptr);
    EXPECT_FALSE(app.dial.wndStatisticsWin_->isVisible());
}

TEST(PPPStatus, ConnectedAnswersRunTheCountersAndTheSpeedUntilTheLinkEnds)
{
    PPPApp app(withInternet({}, kNewDial));
    dial_test::PostedInfo posted({QStringLiteral("ConnectStatistics")});
    app.connect();
    // A second of answers: 10 KB more sent and 20 KB more received each tenth of it.
    for (int i = 1; i <= 10; ++i)
        app.status(8, QStringLiteral("10.1.2.3"), 60 + i / 10.0, 10240.0f * i, 20480.0f * i);
    EXPECT_EQ(app.dial.m_ConnectTime->stringValue(), "00:01:01");
    EXPECT_EQ(app.dial.m_FluxForSend->stringValue(), "100.00 KB");
    EXPECT_EQ(app.dial.m_TotalData->stringValue(), "300.00 KB");
    EXPECT_EQ(app.dial.m_SpeedForReceive->stringValue(), "200.00 KB/s");
    EXPECT_EQ(app.dial.speedView->model().pointCount(), 2); // the graph counts two per sample
    // The statistics go out before the sample: the next answer carries it.
    app.status(8, QStringLiteral("10.1.2.3"), 61, 102400, 204800);
    const ns::Dictionary statistics = posted.last(QStringLiteral("ConnectStatistics"));
    EXPECT_EQ(statistics.value("ConnectTime").toString(), "00:01:01");
    EXPECT_EQ(statistics.value("DowloadData").toString(), "200.00 KB");
    EXPECT_EQ(statistics.value("UploadSpeed").toString(), "100.00 KB/s");

    app.status(0);
    ASSERT_EQ(app.records.appended.size(), 1);
    EXPECT_EQ(app.records.appended[0].value("connecttime").longLongValue(), 61);
    EXPECT_EQ(app.records.appended[0].value("sendbyte").toString(), "100.00");
    EXPECT_EQ(app.records.appended[0].value("receivebyte").toString(), "200.00");
    EXPECT_EQ(posted.last(QStringLiteral("ConnectStatistics")).value("ConnectTime").toString(), "00:00:00");
    EXPECT_EQ(app.dial.speedView->model().pointCount(), 0);
}

TEST(PPPStatus, TheMonthsDataCountsTheRunningConnectionOnce)
{
    for (const bool shown : {false, true}) {
        SCOPED_TRACE(shown);
        PPPApp app(withInternet({{"DisplayMonthlyData", shown}}, kNewDial));
        statisticSource statistics(app.store);
        statistics.awakeFromNib();
        app.records.monthReceivedKB = 1024;
        app.records.monthSentKB = 512;
        app.connect();
        app.status(8, QStringLiteral("10.1.2.3"), 60, 512 * 1024.0f, 1024 * 1024.0f);
        ASSERT_EQ(app.dial.monthlyData_ != nullptr, shown);
        if (shown) {
            EXPECT_EQ(app.dial.monthlyData_->stringValue(), "3.00 MB"); // 1.5 MB saved, 1.5 MB running
        }
        EXPECT_FLOAT_EQ(statistics.getMonthTotalData(), 3072);
        app.status(0);
        // The end of the link drops the running connection from the month.
        EXPECT_FLOAT_EQ(statistics.getMonthTotalData(), 1536);
        if (shown) {
            EXPECT_EQ(app.dial.monthlyData_->stringValue(), "_____");
        }
    }
}
