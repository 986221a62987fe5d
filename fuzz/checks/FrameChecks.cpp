#include "fuzz/checks/FuzzChecks.h"

#include "platform/ae/Frame.h"
#include "platform/ns/NotificationFrame.h"

namespace fuzz
{

QString checkAppleEventFrame(QByteArrayView input)
{
    const std::optional<int> length = ae::Frame::declaredLength(input);
    const std::optional<ae::Frame> frame = ae::Frame::decode(input);
    if (!frame)
        return QString();
    if (length != input.size())
        return QStringLiteral("a frame decoded from other than its declared length");
    const QByteArray encoded = frame->encoded();
    if (encoded.isEmpty() || ae::Frame::decode(encoded) != frame)
        return QStringLiteral("a decoded frame does not encode back to itself");
    return QString();
}

QString checkNotificationFrames(QByteArrayView input)
{
    // The input is a stream of frames as a peer sends them.
    namespace frame = ns::NotificationFrame;
    while (input.size() >= frame::kHeaderSize) {
        const std::optional<int> length = frame::frameLength(input.first(frame::kHeaderSize), nullptr);
        if (!length)
            return QString(); // the server drops such a peer
        if (*length < frame::kHeaderSize || *length > frame::kHeaderSize + frame::kMaxBodySize)
            return QStringLiteral("a frame length outside the bounds was accepted");
        if (input.size() < *length)
            return QString();
        const QByteArray body = input.sliced(frame::kHeaderSize, *length - frame::kHeaderSize).toByteArray();
        input = input.sliced(*length);
        const std::optional<frame::Contents> contents = frame::decode(body);
        if (!contents)
            continue;
        const QByteArray again = frame::encode(*contents);
        if (again.isEmpty())
            return QStringLiteral("a notification that was read cannot be sent on");
        const std::optional<frame::Contents> back = frame::decode(again.sliced(frame::kHeaderSize));
        if (!back || frame::encode(*back) != again)
            return QStringLiteral("a notification sent on arrives changed");
    }
    return QString();
}

} // namespace fuzz
