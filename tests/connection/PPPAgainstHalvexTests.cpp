// PPP connections of the main nib against the simulated modem, with
// Trelvan's time on a manual clock.
#include "app/ui/controller/UINotifications.h"
#include "connection/DialController.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/PayloadReader.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/Clock.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/TextField.h"
#include "tests/connection/DialTestSupport.h"

#include <gtest/gtest.h>

using namespace device_test;
using namespace dial_test;

namespace
{

QStringList translated(const QStringList& keys)
{
    QStringList texts;
    for (const QString& key : keys)
        texts << Map_Name_Item_of_IndexString(key);
    return texts;
}

} // namespace

TEST(PPPAgainstHalvex, ConnectsWithItsTextsInOrderAndSavesTheRecordWhenTheUserDisconnects)
{
    PPPSession session(std::vector<std::pair<QString, ns::Value>>{});
    ASSERT_TRUE(session.started) << session.halvex.errorOutput().toStdString();
    ASSERT_TRUE(session.ready);
    DialController& dial = session.dial();
    session.texts.clear();
    dial.DialOption(nullptr);
    ASSERT_TRUE(session.runUntil([&] { return dial.connectStatus() == DialControlling::Connected; }));
    EXPECT_EQ(session.texts.mid(1), translated({"Init", "Connecting......", "Connecting...", "Establish",
                                                "Authenticate", "Create Network", "Connected"}));
    EXPECT_EQ(dial.m_IPAddress->stringValue(), "10.64.12.7");

    // The counters run at the modem's rates.
    const float sent = dial.m_sendData;
    const long seconds = dial.m_connecttime;
    ASSERT_TRUE(session.runUntil([&] { return dial.m_connecttime >= seconds + 2; }));
    EXPECT_GT(dial.m_sendData, sent);
    EXPECT_GT(dial.m_receiveData, dial.m_sendData);

    // The user's disconnect saves the record at once, before the modem's 0.
    dial.DialOption(dial.m_ConnectButton);
    ASSERT_TRUE(session.runUntil([&] { return dial.connectStatus() == DialControlling::Disconnecting; }));
    EXPECT_EQ(dial.recordInState(), "Record In Saved");
    EXPECT_EQ(dial.statusDict_.value("disconnecttime").toDate(),
              dial.statusDict_.value("starttime").toDate().addSecs(dial.m_connecttime));
    ASSERT_TRUE(session.runUntil([&] { return dial.connectStatus() == DialControlling::Idle; }));
    EXPECT_FALSE(session.posted.contains("ConnectFailed"));
    EXPECT_EQ(session.halvex.state().value_or(ns::Dictionary()).value("PPPDisconnects").intValue(), 1);
    // The history tab shows the one new record.
    const ns::Array shown = session.app->nib.dialRecordController().recordList();
    ASSERT_EQ(shown.count(), 1);
    EXPECT_GE(shown.at(0).toDictionary().value("connecttime").intValue(), 2);
}

TEST(PPPAgainstHalvex, ALinkThatFailsBeforeConnectingPostsConnectFailedAndKeepsNoRecord)
{
    PPPSession session(
        {{QStringLiteral("Connection/DefaultOutcome"), QStringLiteral("FailsBeforeConnecting")}});
    ASSERT_TRUE(session.started && session.ready);
    DialController& dial = session.dial();
    dial.DialOption(nullptr);
    ASSERT_TRUE(session.runUntil([&] { return session.posted.contains("ConnectFailed"); }));
    EXPECT_EQ(dial.connectStatus(), DialControlling::Idle);
    EXPECT_EQ(dial.recordInState(), "Record In Create");
    EXPECT_EQ(dial.m_TimerToGetConnectState, nullptr);
    EXPECT_TRUE(session.app->nib.dialRecordController().recordList().isEmpty());
}

TEST(PPPAgainstHalvex, TheAttachGoesFirstAndARefusedOneLeavesTheStateIdle)
{
    for (int result : {0, 255}) {
        SCOPED_TRACE(result);
        PPPSession session({{QStringLiteral("Connection/AttachResult"), result}},
                           {{"PSDomainSettings", true}, {"AttachPSInterval", 0.5}});
        ASSERT_TRUE(session.started && session.ready);
        DialController& dial = session.dial();
        dial.DialOption(nullptr);
        ASSERT_TRUE(session.runUntil([&] { return session.received(msg::connection::kAttachPS); }));
        ASSERT_TRUE(session.runUntil([&] { return !dial.willConnectToInternet_; }));
        _UI_MSG attach{};
        session.received(msg::connection::kAttachPS, &attach);
        EXPECT_EQ(payloadInt32(attach, 4), 2);
        if (result != 0) {
            EXPECT_EQ(dial.connectStatus(), DialControlling::Idle);
            EXPECT_FALSE(session.received(msg::connection::kDialConnect));
            EXPECT_TRUE(dial.m_DialConfigList->isEnabled());
            EXPECT_TRUE(dial.m_ConnectButton->isEnabled());
            continue;
        }
        ASSERT_TRUE(session.runUntil([&] { return dial.connectStatus() == DialControlling::Connected; }));
        EXPECT_TRUE(session.halvex.state().value_or(ns::Dictionary()).value("PSAttached").boolValue());
        // The end of the connection detaches again.
        dial.DialOption(dial.m_ConnectButton);
        ASSERT_TRUE(session.runUntil([&] { return dial.connectStatus() == DialControlling::Idle; }));
        ASSERT_TRUE(session.runUntil([&] {
            return !session.halvex.state().value_or(ns::Dictionary()).value("PSAttached").boolValue();
        }));
    }
}

TEST(PPPAgainstHalvex, ALinkTheModemDropsIsDialledAgainTenSecondsLater)
{
    PPPSession session(std::vector<std::pair<QString, ns::Value>>{}, ns::Dictionary(),
                       {{"AutoConnect", true}});
    ASSERT_TRUE(session.started && session.ready);
    DialController& dial = session.dial();
    dial.DialOption(dial.m_ConnectButton);
    ASSERT_TRUE(session.runUntil([&] { return dial.connectStatus() == DialControlling::Connected; }));

    EXPECT_EQ(session.halvex.step(QStringLiteral("pppdrop")), "");
    ASSERT_TRUE(session.runUntil([&] { return session.posted.contains("ConnectFailed"); }));
    EXPECT_EQ(dial.connectStatus(), DialControlling::Idle);
    EXPECT_EQ(dial.recordInState(), "Record In Saved");
    const QDateTime dropped = session.clock.now();
    ASSERT_TRUE(session.runUntil([&] { return dial.connectStatus() != DialControlling::Idle; }));
    const qint64 waited = dropped.msecsTo(session.clock.now());
    EXPECT_GE(waited, 10000);
    EXPECT_LT(waited, 10500);
    ASSERT_TRUE(session.runUntil([&] { return dial.connectStatus() == DialControlling::Connected; }));
    EXPECT_EQ(session.halvex.state().value_or(ns::Dictionary()).value("PPPConnects").intValue(), 2);
}

TEST(PPPAgainstHalvex, ALinkThatNeverAnswersWaitsInInitUntilTheUserCancels)
{
    // The profile in use asks for no APN of its own: not one the scenario lists.
    PPPSession session({{QStringLiteral("Connection/DefaultOutcome"), QStringLiteral("NeverAnswers")},
                        {QStringLiteral("Connection/Outcomes"), ns::Dictionary{{"web.halvex", "Connects"}}}});
    ASSERT_TRUE(session.started && session.ready);
    DialController& dial = session.dial();
    dial.DialOption(nullptr);
    const QString init = Map_Name_Item_of_IndexString("Init");
    ASSERT_TRUE(session.runUntil([&] { return dial.m_ConnectState->stringValue() == init; }));
    const QDateTime started = session.clock.now();
    ASSERT_TRUE(session.runUntil([&] { return started.msecsTo(session.clock.now()) >= 3000; }));
    EXPECT_EQ(dial.connectStatus(), DialControlling::Connecting);
    EXPECT_EQ(session.texts.last(), init);

    dial.DialOption(dial.m_ConnectButton);
    ASSERT_TRUE(session.runUntil([&] { return dial.connectStatus() == DialControlling::Idle; }));
    EXPECT_TRUE(dial.manualDisconnectFlag);
    EXPECT_FALSE(session.posted.contains("ConnectFailed"));
    EXPECT_EQ(dial.recordInState(), "Record In Create");
}
