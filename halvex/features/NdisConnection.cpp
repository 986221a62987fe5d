#include "halvex/features/NdisConnection.h"

#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "halvex/features/Connection.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/NDISTransferReport.h"
#include "jCommon/PayloadWriter.h"
#include "platform/ns/Timer.h"
#include "platform/ns/Value.h"

namespace halvex
{

namespace
{

constexpr int kDisconnected = 0;
constexpr int kConnected = 1;
constexpr int kConnecting = 2;
constexpr int kConnectFailed = 3;
constexpr double kReportInterval = 1.0;

} // namespace

NdisConnection::NdisConnection(Modem& modem, const Connection& connection)
    : Feature(modem), connection_(connection), sendRate_(modem.scenario().connection.sendRate),
      receiveRate_(modem.scenario().connection.receiveRate)
{
}

NdisConnection::~NdisConnection()
{
    linkDown();
}

void NdisConnection::registerMessages(MessageRouter& router)
{
    router.registerHandler(msg::connection::kNDISDialConnect,
                           [this](const _UI_MSG& request) { dealWithConnect(request); });
    router.registerHandler(msg::connection::kNDISDialDisconnect,
                           [this](const _UI_MSG& request) { dealWithDisconnect(request); });
    router.registerHandler(msg::connection::kNDISDialIsConnected,
                           [this](const _UI_MSG& request) { dealWithIsConnected(request); });
}

void NdisConnection::registerSteps(StepTable& steps)
{
    steps.registerStep(QStringLiteral("ndisdrop"),
                       QStringLiteral("The NDIS link drops, if one is up or coming up: status 0, and the "
                                      "reports stop."),
                       {}, [this](const ns::Dictionary&) {
                           if (up_ || connecting_) {
                               linkDown();
                               sendStatus(kDisconnected, 0);
                           }
                           return QString();
                       });
    steps.registerStep(
        QStringLiteral("ndisreport"),
        QStringLiteral("Sends one NDIS transfer report of the given length, its figures those of the link."),
        {{QStringLiteral("length"), 0, kUIMsgDataSize, QStringLiteral("bytes of the report (156 is right)")}},
        [this](const ns::Dictionary& arguments) {
            QByteArray payload = transferPayload();
            payload.resize(arguments.value(QStringLiteral("length")).intValue(), '\0');
            modem_.send(makeRecord(msg::connection::kNDISDialTransferData, kTypeReport, kResultSuccess,
                                   payload, kModuleDialUp),
                        0);
            return QString();
        });
    steps.registerStep(
        QStringLiteral("ndisrates"), QStringLiteral("Changes the NDIS link's rates from the next report on."),
        {{QStringLiteral("send"), 0, 100000000, QStringLiteral("bytes sent per second")},
         {QStringLiteral("receive"), 0, 100000000, QStringLiteral("bytes received per second")}},
        [this](const ns::Dictionary& arguments) {
            sendRate_ = arguments.value(QStringLiteral("send")).intValue();
            receiveRate_ = arguments.value(QStringLiteral("receive")).intValue();
            return QString();
        });
}

void NdisConnection::describeState(ns::Dictionary& state) const
{
    state.setValue(QStringLiteral("NdisLinkUp"), up_);
    state.setValue(QStringLiteral("NdisConnects"), connects_);
    state.setValue(QStringLiteral("NdisSeconds"), seconds_);
}

void NdisConnection::deviceRemoved()
{
    linkDown();
}

void NdisConnection::dealWithConnect(const _UI_MSG& request)
{
    if (request.type != kTypeRequest)
        return;
    ++connects_;
    if (up_) {
        sendStatus(kConnected, modem_.scenario().timing.replyDelay);
        return;
    }
    connecting_ = true;
    const double delay = modem_.scenario().timing.replyDelay;
    sendStatus(kConnecting, delay);
    // The link comes up, or fails, a moment after its connecting report.
    const double after = delay + modem_.scenario().timing.reportInterval;
    using Outcome = Scenario::Connection::Outcome;
    const Scenario::Connection& scenario = modem_.scenario().connection;
    switch (scenario.outcomes.value(connection_.lastDialParams().apn, scenario.defaultOutcome)) {
    case Outcome::Connects:
        upTimer_ = ns::Timer::scheduledTimer(after, false, [this](ns::Timer&) { linkUp(); });
        break;
    case Outcome::FailsBeforeConnecting:
        connecting_ = false;
        sendStatus(kConnectFailed, after);
        break;
    case Outcome::NeverAnswers:
        break;
    }
}

void NdisConnection::dealWithDisconnect(const _UI_MSG& request)
{
    if (request.type != kTypeRequest)
        return;
    linkDown();
    sendStatus(kDisconnected, modem_.scenario().timing.replyDelay);
}

void NdisConnection::dealWithIsConnected(const _UI_MSG& request)
{
    if (request.type != kTypeRequest)
        return;
    modem_.send(makeRecord(msg::connection::kNDISDialIsConnected, kTypeReport,
                           up_ ? kResultSuccess : kResultFailure, QByteArray(), kModuleDialUp),
                modem_.scenario().timing.replyDelay);
}

void NdisConnection::sendStatus(int status, double delay)
{
    modem_.send(makeRecord(msg::connection::kNDISDialStatus, kTypeReport, kResultSuccess,
                           PayloadWriter(4).setInt32(0, status).bytes(), kModuleDialUp),
                delay);
}

void NdisConnection::linkUp()
{
    upTimer_.reset();
    connecting_ = false;
    up_ = true;
    seconds_ = 0;
    sentBytes_ = receivedBytes_ = 0;
    sendStatus(kConnected, 0);
    clock_ = ns::Timer::scheduledTimer(kReportInterval, true, [this](ns::Timer&) { tick(); });
}

void NdisConnection::linkDown()
{
    connecting_ = false;
    up_ = false;
    for (std::shared_ptr<ns::Timer>* timer : {&upTimer_, &clock_})
        if (*timer) {
            (*timer)->invalidate();
            timer->reset();
        }
}

void NdisConnection::tick()
{
    ++seconds_;
    sentBytes_ += sendRate_;
    receivedBytes_ += receiveRate_;
    modem_.report(makeRecord(msg::connection::kNDISDialTransferData, kTypeReport, kResultSuccess,
                             transferPayload(), kModuleDialUp));
}

QByteArray NdisConnection::transferPayload() const
{
    NDISTransferReport report;
    report.localAddress = modem_.scenario().connection.localAddress;
    report.sendBytes = float(sentBytes_);
    report.receiveBytes = float(receivedBytes_);
    report.sendSpeed = up_ ? float(sendRate_) : 0;
    report.receiveSpeed = up_ ? float(receiveRate_) : 0;
    return report.bytes();
}

} // namespace halvex
