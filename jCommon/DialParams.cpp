#include "jCommon/DialParams.h"

#include "jCommon/PayloadReader.h"
#include "jCommon/PayloadWriter.h"

namespace
{

using namespace DialParamsLayout;

struct TextField {
    QString DialParams::*member;
    int offset;
    int width;
};

struct NumberField {
    int32_t DialParams::*member;
    int offset;
};

constexpr TextField kTextFields[] = {
    {&DialParams::apn, kApn, kAccountWidth},
    {&DialParams::telNumber, kTelNumber, kAccountWidth},
    {&DialParams::userName, kUserName, kAccountWidth},
    {&DialParams::password, kPassword, kAccountWidth},
    {&DialParams::pdpAddress, kPdpAddress, kPdpAddressWidth},
    {&DialParams::ipv6Apn, kIpv6Apn, kAccountWidth},
    {&DialParams::preferredDns, kPreferredDns, kDnsWidth},
    {&DialParams::alternateDns, kAlternateDns, kDnsWidth},
    {&DialParams::ipv6PreferredDns, kIpv6PreferredDns, kIpv6DnsWidth},
    {&DialParams::ipv6AlternateDns, kIpv6AlternateDns, kIpv6DnsWidth},
};

constexpr NumberField kNumberFields[] = {
    {&DialParams::connectType, kConnectType},
    {&DialParams::authentication, kAuthentication},
    {&DialParams::pdpType, kPdpType},
    {&DialParams::pdpAddressMode, kPdpAddressMode},
    {&DialParams::disableAlertWindow, kDisableAlertWindow},
    {&DialParams::mtuSize, kMtuSize},
};

} // namespace

QByteArray dialParamsBytes(const DialParams& params)
{
    PayloadWriter writer(kSize);
    for (const TextField& field : kTextFields)
        writer.setText(field.offset, field.width, params.*field.member);
    for (const NumberField& field : kNumberFields)
        writer.setInt32(field.offset, params.*field.member);
    return writer.bytes();
}

DialParams dialParamsFromRecord(const _UI_MSG& record)
{
    DialParams params;
    for (const TextField& field : kTextFields)
        params.*field.member = payloadText(record, field.offset, field.width);
    for (const NumberField& field : kNumberFields)
        params.*field.member = payloadInt32(record, field.offset);
    return params;
}
