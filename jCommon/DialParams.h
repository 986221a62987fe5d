#pragma once

#include "jCommon/UIMsg.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// The dial-parameter record (0x0101/60): the profile the device dials with,
// 920 bytes, little-endian. Each text is NUL-terminated UTF-8 cut to its
// field's width less one byte, never inside a character.
struct DialParams {
    QString apn;
    QString telNumber;
    QString userName;
    QString password;
    QString pdpAddress;
    int32_t connectType = 0; // 0 PPP, else NDIS
    int32_t authentication = 0;
    int32_t pdpType = 0;
    int32_t pdpAddressMode = 0;
    int32_t disableAlertWindow = 0;
    int32_t mtuSize = 0;
    QString ipv6Apn;
    QString preferredDns;
    QString alternateDns;
    QString ipv6PreferredDns;
    QString ipv6AlternateDns;

    bool operator==(const DialParams&) const = default;
};

// Offsets and widths of the record's fields, in bytes.
namespace DialParamsLayout
{
constexpr int kSize = 920;
constexpr int kApn = 0;
constexpr int kTelNumber = 128;
constexpr int kUserName = 256;
constexpr int kPassword = 384;
constexpr int kAccountWidth = 128; // APN, number, user name, password, IPv6 APN
constexpr int kPdpAddress = 512;
constexpr int kPdpAddressWidth = 64;
constexpr int kConnectType = 576;
constexpr int kAuthentication = 580;
constexpr int kPdpType = 584;
constexpr int kPdpAddressMode = 588;
constexpr int kDisableAlertWindow = 592;
constexpr int kMtuSize = 596;
constexpr int kIpv6Apn = 600;
constexpr int kPreferredDns = 728;
constexpr int kAlternateDns = 760;
constexpr int kDnsWidth = 32;
constexpr int kIpv6PreferredDns = 792;
constexpr int kIpv6AlternateDns = 856;
constexpr int kIpv6DnsWidth = 64;
} // namespace DialParamsLayout

// The record's bytes.
QByteArray dialParamsBytes(const DialParams& params);
// The parameters a received record carries, each field read within its width
// and the record's data field.
DialParams dialParamsFromRecord(const _UI_MSG& record);
