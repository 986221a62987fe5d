#pragma once

#include "platform/ns/Value.h"

#include <optional>

namespace ns::NotificationFrame
{

// How a distributed notification travels between processes: a 4-byte
// big-endian length, then the XML property list {name, object, userInfo}.
constexpr qint64 kMaxBodySize = 16 * 1024 * 1024;

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

// Gathers the bytes of a stream of frames as they arrive and takes whole
// frame bodies off their front.
class Reader
{
public:
    void append(const QByteArray& bytes)
    {
        if (!refused_)
            buffer_.append(bytes);
    }
    // The body of the next whole frame; nullopt until one is complete, and for
    // good once a frame declares a body longer than kMaxBodySize.
    std::optional<QByteArray> next();
    bool refused() const { return refused_; }

private:
    QByteArray buffer_;
    bool refused_ = false;
};

} // namespace ns::NotificationFrame
