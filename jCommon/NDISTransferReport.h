#pragma once

#include "jCommon/UIMsg.h"

#include <QByteArray>
#include <QString>

#include <optional>

// What the device server reports of an NDIS link each second (0x0102/73):
// 156 bytes holding the local address as NUL-terminated text in 128 bytes,
// float32 bytes sent and received, 8 bytes nobody reads, float32 send and
// receive speeds in bytes per second and 4 bytes nobody reads. A record whose
// length is not exactly 156 carries no figures. Reading never goes past the
// record's data.
struct NDISTransferReport {
    QString localAddress;
    float sendBytes = 0;
    float receiveBytes = 0;
    float sendSpeed = 0;
    float receiveSpeed = 0;

    static constexpr int kSize = 156;
    static constexpr int kAddressWidth = 128;

    // The report of a record of the right length; nullopt for any other length.
    static std::optional<NDISTransferReport> fromRecord(const _UI_MSG& record);
    // The payload as the device server sends it.
    QByteArray bytes() const;

    bool operator==(const NDISTransferReport&) const = default;
};
