// The APN cycle and the packet-domain status in the main nib against the
// simulated modem, time on a manual clock.
#include "connection/DialController.h"
#include "connection/DialProfile.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TextField.h"
#include "tests/connection/DialTestSupport.h"

#include <gtest/gtest.h>

using namespace device_test;
using namespace dial_test;

namespace
{

const QString kNetworkStatus = QStringLiteral("init_NetworkStatus");

// The profile file's profiles; with no operator table they stay as they are.
ns::Array threeProfiles()
{
    ns::Array profiles;
    for (const char* name : {"first", "second", "third"})
        profiles.append(ns::Dictionary{{DialProfile::kProvider, QString::fromLatin1(name)},
                                       {DialProfile::kApnName, QString::fromLatin1(name) + ".apn"}});
    return profiles;
}

int modemConnects(PPPSession& session)
{
    return session.halvex.state().value_or(ns::Dictionary()).value("PPPConnects").intValue();
}

// The network the modem reports (type 0 no service, 4 UMTS, 5 HSDPA; domain
// 3 both), and the network status that follows from it.
bool reportNetwork(PPPSession& session, const Posted& statuses, int type, int domain = 3)
{
    const qsizetype before = statuses.of(kNetworkStatus).size();
    return session.halvex.step("network", {{"type", type}, {"domain", domain}}).isEmpty() &&
           session.runUntil([&] { return statuses.of(kNetworkStatus).size() > before; });
}

// Lets a minute pass while the modem answers.
void letAMinutePass(PPPSession& session)
{
    for (int step = 0; step < 240; ++step) {
        session.clock.advance(0.25);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

// The packet domain follows the network status; automatic connection is on.
const ns::Dictionary kConnectByNetStatus{{"EnableConnectByNetStatus", true}, {"AutoConnect", true}};

} // namespace

TEST(ApnCycleAgainstHalvex, ARefusedProfileIsFollowedByTheNextUntilOneConnectsOrNoneIsLeft)
{
    struct Case {
        const char* name;
        QStringList refused;
        int connects;
        bool connected;
        int profileEntry; // selected in the profile box at the end
    };
    for (const Case& c : {Case{"first refused", {"first.apn"}, 2, true, 2},
                          Case{"all refused", {"first.apn", "second.apn", "third.apn"}, 3, false, 3}}) {
        SCOPED_TRACE(c.name);
        ns::Dictionary outcomes;
        for (const QString& apn : c.refused)
            outcomes.setValue(apn, QStringLiteral("FailsBeforeConnecting"));
        PPPSession session({{QStringLiteral("Connection/Outcomes"), outcomes}},
                           {{"apnCycle", true}, {"apnCycleTotal", 3}},
                           {{"IMSI2DialConfigIdx", ns::Dictionary()}}, threeProfiles());
        ASSERT_TRUE(session.started && session.ready) << session.halvex.errorOutput().toStdString();
        DialController& dial = session.dial();

        dial.DialOption(dial.m_ConnectButton);
        ASSERT_TRUE(session.runUntil([&] {
            return dial.connectStatus() == DialControlling::Connected ||
                   session.posted.contains("ConnectFailed");
        }));
        EXPECT_EQ(dial.connectStatus() == DialControlling::Connected, c.connected);
        EXPECT_EQ(modemConnects(session), c.connects);
        EXPECT_EQ(dial.m_IndexOfComboBoxSelectionNow, c.profileEntry);
        EXPECT_EQ(session.posted.of("ConnectFailed").size(), c.connected ? 0 : 1);
        // The profile that connected stays: no cycle is left over for a later drop.
        EXPECT_EQ(dial.apnCycleArray.isEmpty(), c.connected);
    }
}

TEST(PSDomainAgainstHalvex, AnAttachAfterAnAttachStartsNoSecondAutomaticConnection)
{
    PPPSession session({}, ns::Dictionary(), kConnectByNetStatus);
    ASSERT_TRUE(session.started && session.ready) << session.halvex.errorOutput().toStdString();
    DialController& dial = session.dial();
    Posted statuses({kNetworkStatus});

    // The network at start-up was the first attach: it connects by itself.
    ASSERT_TRUE(session.runUntil([&] { return dial.connectStatus() == DialControlling::Connected; }));
    EXPECT_EQ(modemConnects(session), 1);
    dial.DialOption(dial.m_ConnectButton);
    ASSERT_TRUE(session.runUntil([&] { return dial.connectStatus() == DialControlling::Idle; }));

    // Attached again, on another network: the user's disconnect holds.
    ASSERT_TRUE(reportNetwork(session, statuses, 5));
    letAMinutePass(session);
    EXPECT_EQ(modemConnects(session), 1);
    EXPECT_TRUE(dial.m_ConnectButton->isEnabled());

    // Detached, the idle controls go; attached after that, it connects again.
    ASSERT_TRUE(reportNetwork(session, statuses, 0, 0));
    EXPECT_FALSE(dial.m_ConnectButton->isEnabled());
    EXPECT_EQ(dial.m_ConnectState->stringValue(), "");
    ASSERT_TRUE(reportNetwork(session, statuses, 4));
    EXPECT_TRUE(dial.m_ConnectButton->isEnabled());
    ASSERT_TRUE(session.runUntil([&] { return dial.connectStatus() == DialControlling::Connected; }));
    EXPECT_EQ(modemConnects(session), 2);
}

TEST(PSDomainAgainstHalvex, ADetachWhileConnectedLeavesTheConnectButton)
{
    PPPSession session({}, ns::Dictionary(), {{"EnableConnectByNetStatus", true}});
    ASSERT_TRUE(session.started && session.ready) << session.halvex.errorOutput().toStdString();
    DialController& dial = session.dial();
    Posted statuses({kNetworkStatus});
    dial.DialOption(dial.m_ConnectButton);
    ASSERT_TRUE(session.runUntil([&] { return dial.connectStatus() == DialControlling::Connected; }));
    const QString title = dial.m_ConnectButton->title();
    const QString state = dial.m_ConnectState->stringValue();

    ASSERT_TRUE(reportNetwork(session, statuses, 0, 0));
    EXPECT_TRUE(dial.m_ConnectButton->isEnabled());
    EXPECT_EQ(dial.m_ConnectButton->title(), title);
    EXPECT_EQ(dial.m_ConnectState->stringValue(), state);
}
