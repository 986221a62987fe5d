// The running connection's traffic: speed sampling, the time, data and speed
// fields, the record's fields, the speed graph and the statistics notifications.
#include "connection/DialController.h"
#include "connection/StatisticsController/statisticsView.h"
#include "platform/ns/appkit/TextField.h"
#include "tests/connection/DialTestSupport.h"

#include <gtest/gtest.h>

using namespace dial_test;
using device_test::plainSettings;

namespace
{

const QStringList kTrafficNotifications{"ConnectStatistics", "currentReceiveDataAndSendData",
                                        "SendSpeedData"};

// The texts the view's traffic fields show.
QStringList trafficTexts(const DialController& dial)
{
    QStringList texts;
    for (ns::TextField* field : {dial.m_ConnectTime, dial.m_FluxForSend, dial.m_FluxForReceive,
                                 dial.m_TotalData, dial.m_SpeedForSend, dial.m_SpeedForReceive})
        texts << field->stringValue();
    return texts;
}

// Ten replies: the tenth takes a speed sample.
void tenReplies(DialController& dial)
{
    for (int i = 0; i < 10; ++i)
        dial.calculateTransferSpeed();
}

} // namespace

TEST(Traffic, EveryTenthReplySamplesTheSpeedAndACounterGoingBackGivesNone)
{
    DialApp app;
    PostedInfo posted(kTrafficNotifications);
    DialController& dial = app.dial;
    dial.setConnectStatus(3);
    dial.m_sendData = 2048;
    dial.m_receiveData = 4096;
    for (int i = 0; i < 9; ++i)
        dial.calculateTransferSpeed();
    EXPECT_EQ(dial.m_sendSpeed, 0);
    EXPECT_EQ(dial.speedView->model().pointCount(), 0);
    dial.calculateTransferSpeed();
    EXPECT_EQ(dial.m_sendSpeed, 2048);
    EXPECT_EQ(dial.m_receiveSpeed, 4096);
    EXPECT_EQ(dial.m_SpeedForSend->stringValue(), "2.00 KB/s");
    EXPECT_EQ(dial.m_SpeedForReceive->stringValue(), "4.00 KB/s");
    EXPECT_EQ(posted.last("SendSpeedData").value("UpSpeed").toString(), "16.00 Kbps");
    EXPECT_EQ(posted.last("SendSpeedData").value("DownSpeed").toString(), "32.00 Kbps");

    // The server reset its send counter; the receive counter stood still.
    dial.m_sendData = 1024;
    tenReplies(dial);
    EXPECT_EQ(dial.m_sendSpeed, 0);
    EXPECT_EQ(dial.m_receiveSpeed, 0);
    EXPECT_EQ(dial.m_SpeedForSend->stringValue(), "0.00 KB/s");
    dial.m_sendData = 3072;
    tenReplies(dial);
    EXPECT_EQ(dial.m_sendSpeed, 2048); // measured from where the counter went back to
}

TEST(Traffic, TheSpeedGraphGetsKilobytesOrKilobitsPerSecond)
{
    struct Case {
        const char* key;
        float up, down;
    };
    for (const Case& c : {Case{"", 2, 4}, Case{"SpeedUnitKBit", 16, 32}, Case{"SpeedUnitOnlyKBit", 16, 32}}) {
        SCOPED_TRACE(c.key);
        DialApp app(withSettings({}, {{c.key, true}}));
        app.dial.setConnectStatus(3);
        app.dial.m_sendSpeed = 2048;
        app.dial.m_receiveSpeed = 4096;
        app.dial.setSpeedInfo();
        ASSERT_EQ(app.dial.speedView->model().pointCount(), 2); // the graph counts two per sample
        EXPECT_EQ(app.dial.speedView->model().upSpeed(0), c.up);
        EXPECT_EQ(app.dial.speedView->model().downSpeed(0), c.down);
    }
}

TEST(Traffic, AConnectedUpdateFillsTheViewTheRecordAndTheStatistics)
{
    DialApp app;
    PostedInfo posted(kTrafficNotifications);
    DialController& dial = app.dial;
    dial.setConnectStatus(3);
    dial.m_connecttime = 3725;
    dial.m_sendData = 1048576;
    dial.m_receiveData = 1048575;
    dial.m_sendSpeed = 512;
    dial.m_receiveSpeed = 1536;
    dial.setConnectTimeInfo();
    dial.setTransferDataInfo();
    dial.setSpeedInfo();
    dial.sendStatisticsNotification();

    EXPECT_EQ(trafficTexts(dial),
              (QStringList{"01:02:05", "1.00 MB", "1024.00 KB", "2.00 MB", "0.50 KB/s", "1.50 KB/s"}));
    EXPECT_EQ(dial.statusDict_.value("connecttime").longLongValue(), 3725);
    EXPECT_EQ(dial.statusDict_.value("sendbyte").toString(), "1024.00");
    EXPECT_EQ(dial.statusDict_.value("receivebyte").toString(), "1024.00");

    const ns::Dictionary current = posted.last("currentReceiveDataAndSendData");
    EXPECT_EQ(current.value("currentSendData").doubleValue(), 1048576);
    EXPECT_EQ(current.value("currentReceiveData").doubleValue(), 1048575);
    const ns::Dictionary statistics = posted.last("ConnectStatistics");
    EXPECT_EQ(statistics, (ns::Dictionary{{"ConnectTime", "01:02:05"},
                                          {"UploadData", "1.00 MB"},
                                          {"DowloadData", "1024.00 KB"},
                                          {"UploadDataUnitWithKB", "1024.000000"},
                                          {"DowloadDataUnitWithKB", "1023.999023"},
                                          {"UploadSpeed", "0.50 KB/s"},
                                          {"DowloadSpeed", "1.50 KB/s"}}));
}

TEST(Traffic, TheQuarterHourModeRaisesTheShownAndRecordedTime)
{
    DialApp app(plainSettings({{"Record", ns::Dictionary{{"connectTimeincreaseState", true}}}}));
    DialController& dial = app.dial;
    dial.setConnectStatus(3);
    for (auto [seconds, shown, kept] : {std::tuple{1L, "00:15:00", 900L}, {900L, "00:30:00", 1800L}}) {
        dial.m_connecttime = seconds;
        dial.setConnectTimeInfo();
        EXPECT_EQ(dial.m_ConnectTime->stringValue(), shown);
        EXPECT_EQ(dial.statusDict_.value("connecttime").longLongValue(), kept);
        EXPECT_EQ(dial.connectTime15, kept);
    }
}

TEST(Traffic, NothingChangesOutsideTheConnectedState)
{
    for (int state : {0, 1, 2}) {
        SCOPED_TRACE(state);
        DialApp app;
        PostedInfo posted(kTrafficNotifications);
        DialController& dial = app.dial;
        const QStringList before = trafficTexts(dial);
        dial.setConnectStatus(state);
        dial.m_connecttime = 60;
        dial.m_sendData = 4096;
        dial.m_sendSpeed = 1024;
        dial.statisticsInfo_.setValue("ConnectTime", "00:00:59");
        dial.setConnectTimeInfo();
        dial.setTransferDataInfo();
        dial.setSpeedInfo();
        dial.sendStatisticsNotification();
        EXPECT_EQ(trafficTexts(dial), before);
        EXPECT_TRUE(dial.statusDict_.isEmpty());
        EXPECT_EQ(dial.speedView->model().pointCount(), 0);
        EXPECT_EQ(dial.statisticsInfo_.count(), 1);
        EXPECT_TRUE(posted.seen.empty());
    }
}

TEST(Traffic, TheResetStatisticsCarryZeroTextsInTheSettingsUnits)
{
    DialApp app(withSettings({}, {{"dataType", "Kb"}, {"SpeedUnitOnlyKBit", true}}));
    PostedInfo posted(kTrafficNotifications);
    app.dial.sendResetStatisticsNotification();
    EXPECT_EQ(posted.last("ConnectStatistics"), (ns::Dictionary{{"ConnectTime", "00:00:00"},
                                                                {"UploadData", "0.00 Kb"},
                                                                {"DowloadData", "0.00 Kb"},
                                                                {"UploadDataUnitWithKB", "0.00 Kb"},
                                                                {"DowloadDataUnitWithKB", "0.00 Kb"},
                                                                {"UploadSpeed", "0.00 Kbit/s"},
                                                                {"DowloadSpeed", "0.00 Kbit/s"}}));
}
