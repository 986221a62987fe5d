#include "halvex/features/ConnectionPPP.h"

#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "halvex/StepTable.h"
#include "halvex/features/Connection.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/PPPConnectStatus.h"
#include "jCommon/PayloadReader.h"
#include "jCommon/PayloadWriter.h"
#include "platform/ns/Value.h"

#include <algorithm>

namespace halvex
{

namespace
{

// A poll stands for this much link time.
constexpr double kPollSeconds = 0.1;

using enum PPPConnectStatus::Code;

// The scenario's dotted address (checked when it was read) as one number,
// most significant byte first.
uint32_t addressNumber(const QString& dotted)
{
    uint32_t number = 0;
    for (const QString& part : dotted.split(QLatin1Char('.')))
        number = number << 8 | (part.toUInt() & 0xFF);
    return number;
}

struct HandlerRow {
    MessageID id;
    void (ConnectionPPP::*handler)(const _UI_MSG& request);
};

} // namespace

ConnectionPPP::ConnectionPPP(Modem& modem, const Connection& connection)
    : Feature(modem), connection_(connection), form_(modem.scenario().connection.pppForm),
      sendRate_(modem.scenario().connection.sendRate), receiveRate_(modem.scenario().connection.receiveRate)
{
}

void ConnectionPPP::registerMessages(MessageRouter& router)
{
    static const HandlerRow rows[] = {
        {msg::connection::kDialConnect, &ConnectionPPP::dealWithConnect},
        {msg::connection::kDialDisconnect, &ConnectionPPP::dealWithDisconnect},
        {msg::connection::kPPPConnectStatus, &ConnectionPPP::dealWithStatus},
        {msg::connection::kPPPConnectOption, &ConnectionPPP::dealWithAddress},
        {msg::connection::kAttachPS, &ConnectionPPP::dealWithAttach},
    };
    for (const HandlerRow& row : rows)
        router.registerHandler(
            row.id, [this, handler = row.handler](const _UI_MSG& request) { (this->*handler)(request); });
}

void ConnectionPPP::registerSteps(StepTable& steps)
{
    steps.registerStep(QStringLiteral("pppdrop"),
                       QStringLiteral("The PPP link drops by itself: the next polls read 10, then 0 (nothing "
                                      "happens without a link)."),
                       {}, [this](const ns::Dictionary&) {
                           if (code_ != kDisconnected || !walk_.isEmpty())
                               walk({kDisconnectingLink, kDisconnected});
                           return QString();
                       });
    steps.registerStep(
        QStringLiteral("ppprates"), QStringLiteral("Sets the rates at which the PPP counters rise."),
        {{QStringLiteral("send"), 0, 100 * 1024 * 1024, QStringLiteral("bytes sent a second")},
         {QStringLiteral("receive"), 0, 100 * 1024 * 1024, QStringLiteral("bytes received a second")}},
        [this](const ns::Dictionary& arguments) {
            sendRate_ = int(arguments.value(QStringLiteral("send")).longLongValue());
            receiveRate_ = int(arguments.value(QStringLiteral("receive")).longLongValue());
            return QString();
        });
    steps.registerStep(QStringLiteral("pppcounterback"),
                       QStringLiteral("Turns both PPP counters back, as a device that restarts its count."),
                       {{QStringLiteral("bytes"), 1, 100 * 1024 * 1024,
                         QStringLiteral("how far back (a counter stops at 0)")}},
                       [this](const ns::Dictionary& arguments) {
                           const double back =
                               double(arguments.value(QStringLiteral("bytes")).longLongValue());
                           sendBytes_ = std::max(0.0, sendBytes_ - back);
                           receiveBytes_ = std::max(0.0, receiveBytes_ - back);
                           return QString();
                       });
}

void ConnectionPPP::describeState(ns::Dictionary& state) const
{
    state.setValue(QStringLiteral("PPPStatus"), code_);
    state.setValue(QStringLiteral("PPPConnects"), connects_);
    state.setValue(QStringLiteral("PPPDisconnects"), disconnects_);
    state.setValue(QStringLiteral("PPPSeconds"), seconds_);
    state.setValue(QStringLiteral("PPPSendBytes"), sendBytes_);
    state.setValue(QStringLiteral("PPPReceiveBytes"), receiveBytes_);
    state.setValue(QStringLiteral("PSAttachRequests"), attachRequests_);
    state.setValue(QStringLiteral("PSAttached"), attached_);
    state.setValue(QStringLiteral("PSAttachMode"), attachMode_);
}

void ConnectionPPP::deviceRemoved()
{
    walk_.clear();
    answersOfCode_ = 0;
    code_ = kDisconnected;
    attached_ = false;
}

void ConnectionPPP::dealWithConnect(const _UI_MSG&)
{
    ++connects_;
    seconds_ = sendBytes_ = receiveBytes_ = 0;
    using Outcome = Scenario::Connection::Outcome;
    const Scenario::Connection& scenario = modem_.scenario().connection;
    switch (scenario.outcomes.value(connection_.lastDialParams().apn, scenario.defaultOutcome)) {
    case Outcome::Connects:
        walk({kInitialising, kConnectingLink, kNegotiatingLink, kAuthenticating, kNegotiatingNetwork,
              kConnected});
        break;
    case Outcome::FailsBeforeConnecting:
        walk({kInitialising, kConnectingLink, kNegotiatingLink, kAuthenticating, kDisconnectingLink,
              kDisconnected});
        break;
    case Outcome::NeverAnswers:
        walk({kInitialising});
        break;
    }
}

void ConnectionPPP::dealWithDisconnect(const _UI_MSG&)
{
    ++disconnects_;
    walk({kTerminating, kDisconnectingLink, kDisconnected});
}

void ConnectionPPP::walk(std::initializer_list<int> codes)
{
    walk_ = QList<int>(codes);
    answersOfCode_ = 0;
}

int ConnectionPPP::nextCode()
{
    if (walk_.isEmpty())
        return code_;
    code_ = walk_.first();
    if (++answersOfCode_ >= modem_.scenario().connection.pppAnswersPerStatus && walk_.size() > 1) {
        walk_.removeFirst();
        answersOfCode_ = 0;
    }
    return code_;
}

void ConnectionPPP::dealWithStatus(const _UI_MSG&)
{
    PPPConnectStatus status;
    status.code = nextCode();
    if (status.code == kConnected) {
        seconds_ += kPollSeconds;
        sendBytes_ += sendRate_ * kPollSeconds;
        receiveBytes_ += receiveRate_ * kPollSeconds;
    }
    if (status.code == kNegotiatingNetwork || status.code == kConnected)
        status.localAddress = modem_.scenario().connection.localAddress;
    status.seconds = seconds_;
    status.sendBytes = float(sendBytes_);
    status.receiveBytes = float(receiveBytes_);
    answer(msg::connection::kPPPConnectStatus,
           form_ == Scenario::Connection::PPPForm::New ? status.bytes() : status.oldBytes());
}

void ConnectionPPP::dealWithAddress(const _UI_MSG&)
{
    if (form_ != Scenario::Connection::PPPForm::Old)
        return;
    const bool linked = code_ == kNegotiatingNetwork || code_ == kConnected;
    const uint32_t address = linked ? addressNumber(modem_.scenario().connection.localAddress) : 0;
    answer(msg::connection::kPPPConnectOption, PayloadWriter(4).setInt32(0, int32_t(address)).bytes());
}

void ConnectionPPP::dealWithAttach(const _UI_MSG& request)
{
    ++attachRequests_;
    attachMode_ = payloadInt32(request, 0);
    const int result = modem_.scenario().connection.attachResult;
    if (result == 0)
        attached_ = payloadInt32(request, 4) != 0;
    answer(msg::connection::kSetNetworkModeResult, QByteArray(), int8_t(result));
}

void ConnectionPPP::answer(MessageID id, const QByteArray& payload, int8_t result)
{
    modem_.send(makeRecord(id, kTypeReport, result, payload, kModuleDialUp),
                modem_.scenario().timing.replyDelay);
}

} // namespace halvex
