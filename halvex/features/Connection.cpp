#include "halvex/features/Connection.h"

#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/PayloadReader.h"
#include "jCommon/PayloadWriter.h"
#include "platform/ns/Value.h"

namespace halvex
{

namespace
{

// The requests this feature answers, each with its handler.
struct HandlerRow {
    MessageID id;
    void (Connection::*handler)(const _UI_MSG& request);
};

} // namespace

Connection::Connection(Modem& modem)
    : Feature(modem), netFrequencyLock_(modem.scenario().connection.netFrequencyLock)
{
}

void Connection::registerMessages(MessageRouter& router)
{
    static const HandlerRow rows[] = {
        {msg::connection::kSetDialParams, &Connection::dealWithSetDialParams},
        {msg::connection::kReadNetFrequencyLock, &Connection::dealWithReadNetFrequencyLock},
        {msg::connection::kSetNetFrequencyLock, &Connection::dealWithSetNetFrequencyLock},
    };
    for (const HandlerRow& row : rows)
        router.registerHandler(
            row.id, [this, handler = row.handler](const _UI_MSG& request) { (this->*handler)(request); });
}

void Connection::describeState(ns::Dictionary& state) const
{
    state.setValue(QStringLiteral("DialParamsCount"), dialParamsCount_);
    state.setValue(QStringLiteral("DialParams"),
                   ns::Dictionary{
                       {QStringLiteral("APN"), dialParams_.apn},
                       {QStringLiteral("TelNumber"), dialParams_.telNumber},
                       {QStringLiteral("User"), dialParams_.userName},
                       {QStringLiteral("Password"), dialParams_.password},
                       {QStringLiteral("PdpAddress"), dialParams_.pdpAddress},
                       {QStringLiteral("ConnectType"), dialParams_.connectType},
                       {QStringLiteral("Authentication"), dialParams_.authentication},
                       {QStringLiteral("PdpType"), dialParams_.pdpType},
                       {QStringLiteral("PdpAddressMode"), dialParams_.pdpAddressMode},
                       {QStringLiteral("DisableAlertWindow"), dialParams_.disableAlertWindow},
                       {QStringLiteral("MTUSize"), dialParams_.mtuSize},
                       {QStringLiteral("IPv6APN"), dialParams_.ipv6Apn},
                       {QStringLiteral("PreferredDNS"), dialParams_.preferredDns},
                       {QStringLiteral("AlternateDNS"), dialParams_.alternateDns},
                       {QStringLiteral("IPv6PreferredDNS"), dialParams_.ipv6PreferredDns},
                       {QStringLiteral("IPv6AlternateDNS"), dialParams_.ipv6AlternateDns},
                   });
    state.setValue(QStringLiteral("NetFrequencyLock"), netFrequencyLock_);
    state.setValue(QStringLiteral("NetFrequencyLockSets"), frequencyLockSets_);
}

void Connection::deviceRemoved()
{
    netFrequencyLock_ = modem_.scenario().connection.netFrequencyLock;
    frequencyLockSets_ = 0;
}

void Connection::dealWithSetDialParams(const _UI_MSG& request)
{
    if (request.type != kTypeRequest)
        return;
    dialParams_ = dialParamsFromRecord(request);
    ++dialParamsCount_;
    modem_.send(makeRecord(msg::connection::kSetDialParams, kTypeReport, kResultSuccess, QByteArray(),
                           request.moduleID),
                modem_.scenario().timing.replyDelay);
}

void Connection::dealWithReadNetFrequencyLock(const _UI_MSG& request)
{
    modem_.send(makeRecord(msg::connection::kNetFrequencyLockReadResult, kTypeReport, kResultSuccess,
                           PayloadWriter(4).setInt32(0, netFrequencyLock_).bytes(), request.moduleID),
                modem_.scenario().timing.replyDelay);
}

void Connection::dealWithSetNetFrequencyLock(const _UI_MSG& request)
{
    // int32 1 (set), then the lock.
    netFrequencyLock_ = payloadInt32(request, 4);
    ++frequencyLockSets_;
}

} // namespace halvex
