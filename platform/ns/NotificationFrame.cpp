#include "platform/ns/NotificationFrame.h"

#include "platform/ns/PropertyList.h"

namespace ns::NotificationFrame
{

QByteArray encode(const Contents& contents)
{
    const QByteArray body = PropertyList::toXml(
        Dictionary{{"name", contents.name}, {"object", contents.object}, {"userInfo", contents.userInfo}});
    if (body.isEmpty() || body.size() > kMaxBodySize)
        return QByteArray();
    QByteArray frame(4, '\0');
    const quint32 n = quint32(body.size());
    for (int i = 0; i < 4; ++i)
        frame[i] = char((n >> (24 - 8 * i)) & 0xff);
    return frame + body;
}

std::optional<Contents> decode(const QByteArray& body)
{
    const std::optional<Value> decoded = PropertyList::fromData(body);
    if (!decoded || !decoded->isDictionary())
        return std::nullopt;
    const Dictionary d = decoded->toDictionary();
    return Contents{d.value("name").toString(), d.value("object").toString(),
                    d.value("userInfo").toDictionary()};
}

std::optional<QByteArray> Reader::next()
{
    if (refused_ || buffer_.size() < 4)
        return std::nullopt;
    const auto* b = reinterpret_cast<const uchar*>(buffer_.constData());
    const qint64 n = qint64(b[0]) << 24 | qint64(b[1]) << 16 | qint64(b[2]) << 8 | qint64(b[3]);
    if (n > kMaxBodySize) {
        refused_ = true;
        buffer_.clear();
        return std::nullopt;
    }
    if (buffer_.size() < 4 + n)
        return std::nullopt;
    QByteArray body = buffer_.mid(4, n);
    buffer_.remove(0, 4 + n);
    return body;
}

} // namespace ns::NotificationFrame
