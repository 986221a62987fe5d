#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/DialParams.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/NDISTransferReport.h"
#include "jCommon/PPPConnectStatus.h"
#include "jCommon/PayloadReader.h"
#include "jCommon/PayloadWriter.h"
#include "platform/ns/Clock.h"
#include "tests/halvex/HalvexTestSupport.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace halvextest;

namespace
{

// A modem on a manual clock whose records land in sent while the manager is
// there.
class ModemTest : public ::testing::Test
{
protected:
    ModemTest() { ns::Clock::setCurrent(&clock); }
    ~ModemTest() override { ns::Clock::setCurrent(nullptr); }

    std::unique_ptr<halvex::Modem> makeModem(const ns::Dictionary& dictionary)
    {
        QString error;
        const std::optional<halvex::Scenario> scenario = halvex::Scenario::fromDictionary(dictionary, &error);
        EXPECT_TRUE(scenario) << error.toStdString();
        return std::make_unique<halvex::Modem>(scenario.value_or(halvex::Scenario()),
                                               [this](const _UI_MSG& record) {
                                                   if (!managerThere) {
                                                       ++missed;
                                                       return halvex::Delivery::ClientAbsent;
                                                   }
                                                   sent.push_back(record);
                                                   sentAt.push_back(clock.now());
                                                   return halvex::Delivery::Delivered;
                                               });
    }

    static _UI_MSG request(MessageID id, const QByteArray& payload = QByteArray())
    {
        return halvex::makeRecord(id, kTypeReport, kResultSuccess, payload);
    }

    static _UI_MSG pukCheck(const QString& newPin, const QString& puk)
    {
        return request(msg::device::kCheckoutPuk, PayloadWriter(2 * FieldWidth::kCode)
                                                      .setText(0, FieldWidth::kCode, newPin)
                                                      .setText(FieldWidth::kCode, FieldWidth::kCode, puk)
                                                      .bytes());
    }

    // The records of one message sent since the first given.
    std::vector<_UI_MSG> sentOf(MessageID id, size_t first) const
    {
        std::vector<_UI_MSG> found;
        for (size_t i = first; i < sent.size(); ++i)
            if (MessageID{sent[i].majorID, sent[i].minorID} == id)
                found.push_back(sent[i]);
        return found;
    }

    QList<int> ndisStatusesSince(size_t first) const
    {
        QList<int> found;
        for (const _UI_MSG& record : sentOf(msg::connection::kNDISDialStatus, first))
            found << payloadInt32(record, 0);
        return found;
    }

    QStringList sentSince(size_t first) const
    {
        return names(std::vector<_UI_MSG>(sent.begin() + qsizetype(first), sent.end()));
    }

    ns::ManualClock clock{QDateTime(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc())};
    bool managerThere = true;
    int missed = 0;
    std::vector<_UI_MSG> sent;
    std::vector<QDateTime> sentAt;
};

} // namespace

TEST_F(ModemTest, TheStartSequenceWaitsForTheManagerThenTakesAboutASecond)
{
    auto modem = makeModem(scenarioWith({{"Timing", ns::Value()}})); // the default pace
    managerThere = false;
    modem->powerOn();
    clock.advance(20); // long enough for the signal to have changed twice
    EXPECT_TRUE(sent.empty());
    EXPECT_GE(missed, 19); // the handshake is tried again and again, nothing behind it goes

    managerThere = true;
    clock.advance(2);
    ASSERT_EQ(sentSince(0), readyStartSequence());
    const double span = sentAt.front().msecsTo(sentAt.back()) / 1000.0;
    EXPECT_GE(span, 0.5);
    EXPECT_LE(span, 1.5);
}

TEST_F(ModemTest, RecordsTheManagerMissesAreDroppedNotHeld)
{
    const QDateTime start = clock.now();
    auto modem = makeModem(scenarioWith());
    modem->powerOn();
    clock.advance(0.026); // the handshake and a few reports are out
    ASSERT_GE(sent.size(), 3u);

    managerThere = false;
    clock.advance(0.02);
    ASSERT_GT(missed, 0);
    managerThere = true;
    clock.advance(1);
    EXPECT_EQ(int(sent.size()) + missed, readyStartSequence().size());
    EXPECT_EQ(modem->state().value("PendingRecords").intValue(), 0);

    // The sent log holds the whole sequence in order, the missed records
    // marked dropped, the others at the time they went.
    const std::vector<halvex::LoggedRecord> log = modem->conversation().sent().after(0, 100);
    ASSERT_EQ(names(log), readyStartSequence());
    std::vector<_UI_MSG> delivered;
    int dropped = 0;
    for (const halvex::LoggedRecord& entry : log) {
        if (entry.dropped) {
            ++dropped;
            continue;
        }
        EXPECT_EQ(entry.msecs, start.msecsTo(sentAt.at(delivered.size())));
        delivered.push_back(entry.record());
    }
    EXPECT_EQ(dropped, missed);
    EXPECT_EQ(names(delivered), names(sent));
    EXPECT_EQ(std::adjacent_find(log.begin(), log.end(),
                                 [](const auto& a, const auto& b) { return a.number >= b.number; }),
              log.end());
}

TEST_F(ModemTest, AHandshakeMidWayDropsWhatWasPendingAndStartsOver)
{
    auto modem = makeModem(scenarioWith());
    modem->powerOn();
    clock.advance(0.026);
    const size_t beforeHandshake = sent.size();
    ASSERT_GE(beforeHandshake, 3u);
    modem->receive(halvex::makeRecord(msg::device::kHandShake, kTypeRequest, kResultSuccess));
    clock.advance(1);
    EXPECT_EQ(sentSince(beforeHandshake), readyStartSequence());
}

TEST_F(ModemTest, TheSignalDriftsOneLevelNowAndThenWhileRegistered)
{
    auto modem = makeModem(scenarioWith({{"Timing/SignalChangeInterval", 5}, {"Network/SignalLevel", 3}}));
    modem->powerOn();
    clock.advance(4.9);
    ASSERT_EQ(sentSince(0), readyStartSequence());

    int previous = managerSignalLevel(sent.at(size_t(readyStartSequence().indexOf("7/55"))));
    EXPECT_EQ(previous, 3);
    const size_t startCount = sent.size();
    clock.advance(100);
    ASSERT_EQ(sent.size(), startCount + 20);
    for (size_t i = startCount; i < sent.size(); ++i) {
        ASSERT_EQ(recordName(sent[i]), "7/55");
        const int level = managerSignalLevel(sent[i]);
        EXPECT_NE(level, previous);
        EXPECT_GE(level, 2);
        EXPECT_LE(level, 4);
        previous = level;
    }

    // Pulled out: no more signal.
    EXPECT_EQ(modem->runStep("remove", {}), "");
    clock.advance(100);
    EXPECT_EQ(sentSince(startCount + 20), QStringList{"8/58"});
}

TEST_F(ModemTest, ABlockedSimRefusesEveryCode)
{
    auto modem = makeModem(
        scenarioWith({{"SIM/State", "PukLocked"}, {"SIM/PinAttemptsLeft", 0}, {"SIM/PukAttemptsLeft", 1}}));
    modem->powerOn();
    clock.advance(1);
    ASSERT_EQ(sentSince(0), (deviceReports() + QStringList{"4/10", "4/8"}));

    const auto attemptsAfter = [&](const _UI_MSG& code) {
        const size_t first = sent.size();
        modem->receive(code);
        clock.advance(1);
        EXPECT_EQ(sentSince(first), (QStringList{"4/10", "4/8"}));
        EXPECT_EQ(sent[first].result, kResultFailure);
        return std::pair{payloadInt32(sent.back(), 0), payloadInt32(sent.back(), 4)};
    };
    EXPECT_EQ(attemptsAfter(pukCheck("1111", "00000000")), std::pair(0, 0));
    EXPECT_EQ(modem->state().value("SimStatus").toString(), "Blocked");
    EXPECT_EQ(attemptsAfter(pukCheck("1111", "87654321")), std::pair(0, 0)); // the right PUK, too late
    EXPECT_EQ(attemptsAfter(
                  request(msg::device::kCheckoutPin,
                          PayloadWriter(FieldWidth::kCode).setText(0, FieldWidth::kCode, "4321").bytes())),
              std::pair(0, 0));
    EXPECT_EQ(modem->state().value("SimStatus").toString(), "Blocked");
}

TEST_F(ModemTest, GoesOffLineAndOnLineOnRequest)
{
    auto modem = makeModem(scenarioWith());
    modem->powerOn();
    clock.advance(1);
    EXPECT_TRUE(modem->state().value("Online").boolValue());

    const std::pair<MessageID, bool> requests[] = {{msg::device::kStopWork, false},
                                                   {msg::device::kStartWork, true}};
    for (const auto& [id, online] : requests) {
        const size_t first = sent.size();
        modem->receive(halvex::makeRecord(id, kTypeRequest, kResultSuccess));
        clock.advance(1);
        const QString name = QStringLiteral("%1/%2").arg(id.majorID).arg(id.minorID);
        ASSERT_EQ(sentSince(first).count(name), 1) << qPrintable(name);
        const auto reply = std::find_if(sent.begin() + qsizetype(first), sent.end(),
                                        [&](const _UI_MSG& record) { return recordName(record) == name; });
        EXPECT_EQ(reply->type, kTypeReport);
        EXPECT_EQ(reply->result, kResultSuccess);
        EXPECT_EQ(modem->state().value("Online").boolValue(), online);
    }
}

TEST_F(ModemTest, KeepsTheLastDialParametersAndAcknowledgesEach)
{
    auto modem = makeModem(scenarioWith());
    modem->powerOn();
    clock.advance(1);
    DialParams params;
    params.apn = "internet";
    params.userName = "alice";
    params.authentication = 1;
    params.pdpType = 2;
    params.connectType = 1;
    const MessageID id = msg::connection::kSetDialParams;
    for (const char* apn : {"first", "internet"}) {
        params.apn = apn;
        const size_t first = sent.size();
        modem->receive(makeUIMsg(kModuleDialUp, id.majorID, id.minorID, kTypeRequest, kResultSuccess,
                                 dialParamsBytes(params)));
        clock.advance(1);
        ASSERT_EQ(sentSince(first), QStringList{"257/60"});
        EXPECT_EQ(sent.back().moduleID, kModuleDialUp);
    }
    const ns::Dictionary state = modem->state().value("DialParams").toDictionary();
    EXPECT_EQ(modem->state().value("DialParamsCount").intValue(), 2);
    EXPECT_EQ(state.value("APN").toString(), "internet");
    EXPECT_EQ(state.value("User").toString(), "alice");
    EXPECT_EQ(state.value("Authentication").intValue(), 1);
    EXPECT_EQ(state.value("PdpType").intValue(), 2);
    EXPECT_EQ(state.value("ConnectType").intValue(), 1);
}

TEST_F(ModemTest, AnNdisLinkComesUpReportsEachSecondAndOutlivesTheManager)
{
    auto modem =
        makeModem(scenarioWith({{"Connection", ns::Dictionary{{"SendRate", 1000}, {"ReceiveRate", 4000}}}}));
    modem->powerOn();
    clock.advance(2);
    const auto ask = [&](MessageID id) {
        modem->receive(makeUIMsg(kModuleDialUp, id.majorID, id.minorID, kTypeRequest, kResultSuccess));
    };
    size_t first = sent.size();
    ask(msg::connection::kNDISDialConnect);
    clock.advance(3.5);
    EXPECT_EQ(ndisStatusesSince(first), (QList<int>{2, 1}));
    // Three reports with the counters at the scenario's rates.
    const std::vector<_UI_MSG> reports = sentOf(msg::connection::kNDISDialTransferData, first);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(NDISTransferReport::fromRecord(reports.back()),
              (NDISTransferReport{QStringLiteral("10.64.12.7"), 3000, 12000, 1000, 4000}));

    // A manager that starts again finds the link up.
    modem->playStartSequence();
    first = sent.size();
    ask(msg::connection::kNDISDialIsConnected);
    clock.advance(1);
    const std::vector<_UI_MSG> answers = sentOf(msg::connection::kNDISDialIsConnected, first);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers.front().result, kResultSuccess);
    EXPECT_TRUE(modem->state().value("NdisLinkUp").boolValue());

    first = sent.size();
    ask(msg::connection::kNDISDialDisconnect);
    clock.advance(3);
    EXPECT_EQ(ndisStatusesSince(first), QList<int>{0});
    EXPECT_EQ(sentSince(first).count("258/73"), 0);
    first = sent.size();
    ask(msg::connection::kNDISDialIsConnected);
    clock.advance(1);
    ASSERT_EQ(sentSince(first), QStringList{"258/72"});
    EXPECT_EQ(sent.back().result, kResultFailure);
}

TEST_F(ModemTest, APPPLinkWalksItsStatusesByTheAPNsOutcomeOverThePolls)
{
    struct Case {
        const char* apn;
        QList<int> codes; // one answer each, then a disconnect
    };
    for (const Case& c : {Case{"internet", {1, 2, 4, 5, 7, 8, 8, 9, 10, 0, 0}},
                          Case{"broken", {1, 2, 4, 5, 10, 0, 0, 9, 10, 0, 0}},
                          Case{"silent", {1, 1, 1, 1, 1, 1, 1, 9, 10, 0, 0}}}) {
        SCOPED_TRACE(c.apn);
        auto modem = makeModem(scenarioWith(
            {{"Connection", ns::Dictionary{{"PPPForm", "New"},
                                           {"PPPAnswersPerStatus", 1},
                                           {"Outcomes", ns::Dictionary{{"broken", "FailsBeforeConnecting"},
                                                                       {"silent", "NeverAnswers"}}}}}}));
        modem->powerOn();
        clock.advance(2);
        DialParams params;
        params.apn = QString::fromLatin1(c.apn);
        const auto ask = [&](MessageID id, const QByteArray& payload = QByteArray()) {
            modem->receive(
                makeUIMsg(kModuleDialUp, id.majorID, id.minorID, kTypeRequest, kResultSuccess, payload));
            clock.advance(0.1);
        };
        ask(msg::connection::kSetDialParams, dialParamsBytes(params));
        ask(msg::connection::kDialConnect);
        QList<int> codes;
        for (int poll = 0; poll < c.codes.size(); ++poll) {
            if (poll == 7)
                ask(msg::connection::kDialDisconnect);
            ask(msg::connection::kPPPConnectStatus);
            codes << PPPConnectStatus::fromRecord(sent.back()).code;
        }
        EXPECT_EQ(codes, c.codes);
    }
}

TEST_F(ModemTest, APPPLinksCountersRiseAtTheRatesAndTheStepsDropAndTurnThemBack)
{
    auto modem = makeModem(scenarioWith({{"Connection", ns::Dictionary{{"PPPForm", "New"},
                                                                       {"PPPAnswersPerStatus", 1},
                                                                       {"SendRate", 1000},
                                                                       {"ReceiveRate", 4000},
                                                                       {"AttachResult", 255}}}}));
    modem->powerOn();
    clock.advance(2);
    const auto ask = [&](MessageID id, const QByteArray& payload = QByteArray()) {
        modem->receive(
            makeUIMsg(kModuleDialUp, id.majorID, id.minorID, kTypeRequest, kResultSuccess, payload));
        clock.advance(0.1);
        return sent.back();
    };
    // The attach is answered with the scenario's result and leaves the domain as it was.
    const _UI_MSG attach =
        ask(msg::connection::kAttachPS, PayloadWriter(8).setInt32(0, 5).setInt32(4, 2).bytes());
    EXPECT_EQ(recordName(attach), "258/64");
    EXPECT_EQ(attach.result, kResultFailure);
    EXPECT_FALSE(modem->state().value("PSAttached").boolValue());
    EXPECT_EQ(modem->state().value("PSAttachMode").intValue(), 5);

    ask(msg::connection::kDialConnect);
    PPPConnectStatus status;
    for (int poll = 0; poll < 15; ++poll) // five on the way, ten connected
        status = PPPConnectStatus::fromRecord(ask(msg::connection::kPPPConnectStatus));
    EXPECT_EQ(status.code, 8);
    EXPECT_NEAR(status.seconds, 1.0, 1e-9);
    EXPECT_FLOAT_EQ(status.sendBytes, 1000);
    EXPECT_FLOAT_EQ(status.receiveBytes, 4000);
    EXPECT_EQ(status.localAddress, "10.64.12.7");

    EXPECT_EQ(modem->runStep("pppcounterback", {{"bytes", 2500}}), "");
    status = PPPConnectStatus::fromRecord(ask(msg::connection::kPPPConnectStatus));
    EXPECT_FLOAT_EQ(status.sendBytes, 100);
    EXPECT_FLOAT_EQ(status.receiveBytes, 1900);

    EXPECT_EQ(modem->runStep("pppdrop", {}), "");
    QList<int> codes;
    for (int poll = 0; poll < 3; ++poll)
        codes << PPPConnectStatus::fromRecord(ask(msg::connection::kPPPConnectStatus)).code;
    EXPECT_EQ(codes, (QList<int>{10, 0, 0}));
}

TEST_F(ModemTest, AnNdisConnectGoesAsTheOutcomeOfItsApnSays)
{
    const struct {
        const char* outcome;
        QList<int> statuses;
    } cases[] = {{"Connects", {2, 1}}, {"FailsBeforeConnecting", {2, 3}}, {"NeverAnswers", {2}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.outcome);
        auto modem = makeModem(scenarioWith(
            {{"Connection", ns::Dictionary{{"DefaultOutcome", QString::fromLatin1(c.outcome)}}}}));
        modem->powerOn();
        clock.advance(2);
        const size_t first = sent.size();
        const MessageID id = msg::connection::kNDISDialConnect;
        modem->receive(makeUIMsg(kModuleDialUp, id.majorID, id.minorID, kTypeRequest, kResultSuccess));
        clock.advance(3.5);
        EXPECT_EQ(ndisStatusesSince(first), c.statuses);
        EXPECT_EQ(modem->state().value("NdisLinkUp").boolValue(), c.statuses.endsWith(1));
    }
}
