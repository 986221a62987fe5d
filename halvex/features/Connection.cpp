#include "halvex/features/Connection.h"

#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/ConnectionMessages.h"
#include "platform/ns/Value.h"

namespace halvex
{

void Connection::registerMessages(MessageRouter& router)
{
    router.registerHandler(msg::connection::kSetDialParams,
                           [this](const _UI_MSG& request) { dealWithSetDialParams(request); });
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

} // namespace halvex
