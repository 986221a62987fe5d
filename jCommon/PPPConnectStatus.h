#pragma once

#include "jCommon/UIMsg.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// What the device server says of a PPP link in its answer to 0x0102/67. The
// new form is a 164-byte record: the local address as NUL-terminated text in
// 128 bytes, float32 bytes sent and received, 16 bytes nobody reads, float64
// seconds connected and the int32 status code. The old form is nine int32
// words (0 the code, 1 the seconds, 3 bytes received, 6 bytes sent, all
// unsigned) and carries no address. Reading never goes past the record's data.
struct PPPConnectStatus {
    // The codes that mean something to the manager; the others are ignored.
    enum Code : int32_t {
        kDisconnected = 0,
        kInitialising = 1,
        kConnectingLink = 2,
        kNegotiatingLink = 4,
        kAuthenticating = 5,
        kNegotiatingNetwork = 7,
        kConnected = 8,
        kTerminating = 9,
        kDisconnectingLink = 10,
    };

    QString localAddress;
    float sendBytes = 0;
    float receiveBytes = 0;
    double seconds = 0;
    int32_t code = 0;

    static constexpr int kSize = 164;
    static constexpr int kOldSize = 36;
    static constexpr int kAddressWidth = 128;

    static PPPConnectStatus fromRecord(const _UI_MSG& record);
    // The old form converted: each unsigned word keeps its value (no word
    // turns negative).
    static PPPConnectStatus fromOldRecord(const _UI_MSG& record);
    // The payloads of both forms, as the device server sends them; the old
    // one takes the whole parts of the figures.
    QByteArray bytes() const;
    QByteArray oldBytes() const;

    bool operator==(const PPPConnectStatus&) const = default;
};

// The answer to 0x0102/68 in the old form: a uint32 IPv4 address, shown
// "%d.%d.%d.%d" with the most significant byte first.
uint32_t pppAddressFromRecord(const _UI_MSG& record);
QString pppAddressText(uint32_t address);
