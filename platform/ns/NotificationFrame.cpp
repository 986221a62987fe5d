#include "platform/ns/NotificationFrame.h"

#include "platform/ns/PropertyList.h"

#include <QtEndian>

namespace ns::NotificationFrame
{

QByteArray encode(const Contents& contents)
{
    const QByteArray body = PropertyList::toXml(
        Dictionary{{"name", contents.name}, {"object", contents.object}, {"userInfo", contents.userInfo}});
    if (body.isEmpty() || body.size() > kMaxBodySize)
        return QByteArray();
    QByteArray frame(kHeaderSize, Qt::Uninitialized);
    qToBigEndian<quint32>(quint32(body.size()), frame.data());
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

std::optional<int> frameLength(QByteArrayView header, QString* error)
{
    const quint32 body = qFromBigEndian<quint32>(header.data());
    if (body > kMaxBodySize) {
        if (error)
            *error = QStringLiteral("a notification of %1 bytes (at most %2)").arg(body).arg(kMaxBodySize);
        return std::nullopt;
    }
    return int(kHeaderSize + body);
}

} // namespace ns::NotificationFrame
