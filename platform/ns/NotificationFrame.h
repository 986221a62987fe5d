#pragma once

#include "platform/ns/Value.h"

#include <QByteArrayView>

#include <optional>

namespace ns::NotificationFrame
{

// How a distributed notification travels between processes: a 4-byte
// big-endian length, then the XML property list {name, object, userInfo}.
constexpr int kHeaderSize = 4;
constexpr qint64 kMaxBodySize = 1024 * 1024;

struct Contents {
    QString name;
    QString object;
    Dictionary userInfo;
};

// The frame of a notification; empty when the user information is not a
// property list or the frame would be too big.
QByteArray encode(const Contents& contents);
// The notification a frame body carries; nullopt when it is not one.
std::optional<Contents> decode(const QByteArray& body);
// The whole length of the frame a header starts, header included; nullopt,
// with the reason in error, when it declares a body over kMaxBodySize.
std::optional<int> frameLength(QByteArrayView header, QString* error);

} // namespace ns::NotificationFrame
