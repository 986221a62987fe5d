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
    // The first byte says where the stream is cut in two, as a socket may.
    if (input.isEmpty())
        return QString();
    const qsizetype cut = std::min<qsizetype>(qsizetype(uchar(input[0])) * 37, input.size() - 1);
    const QByteArray stream = input.sliced(1).toByteArray();
    ns::NotificationFrame::Reader reader;
    reader.append(stream.left(cut));
    for (int part = 0; part < 2; ++part) {
        while (std::optional<QByteArray> body = reader.next()) {
            const std::optional<ns::NotificationFrame::Contents> contents =
                ns::NotificationFrame::decode(*body);
            if (!contents)
                continue;
            const QByteArray again = ns::NotificationFrame::encode(*contents);
            if (again.isEmpty())
                return QStringLiteral("a notification that was read cannot be sent on");
            const std::optional<ns::NotificationFrame::Contents> back =
                ns::NotificationFrame::decode(again.sliced(4));
            if (!back || ns::NotificationFrame::encode(*back) != again)
                return QStringLiteral("a notification sent on arrives changed");
        }
        reader.append(stream.sliced(std::min(cut, stream.size())));
    }
    return QString();
}

} // namespace fuzz
