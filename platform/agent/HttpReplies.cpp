#include "platform/agent/HttpReplies.h"

#include <QXmlStreamWriter>

namespace agent
{

namespace
{

// A decimal number of at most 18 digits (so it fits without overflow).
std::optional<qint64> parseNumber(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    qint64 value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<ContentRange> parseContentRange(QByteArrayView header)
{
    const QByteArrayView trimmed = header.trimmed();
    constexpr QByteArrayView unit("bytes ");
    if (!trimmed.startsWith(unit))
        return std::nullopt;
    const QByteArrayView rest = trimmed.sliced(unit.size()).trimmed();
    const qsizetype slash = rest.indexOf('/');
    if (slash < 0)
        return std::nullopt;
    const QByteArrayView range = rest.first(slash);
    const QByteArrayView total = rest.sliced(slash + 1);
    const qsizetype dash = range.indexOf('-');
    if (dash < 0)
        return std::nullopt;
    const std::optional<qint64> first = parseNumber(range.first(dash));
    const std::optional<qint64> last = parseNumber(range.sliced(dash + 1));
    if (!first || !last || *last < *first)
        return std::nullopt;
    ContentRange result{*first, *last, -1};
    if (total != "*") {
        const std::optional<qint64> length = parseNumber(total);
        if (!length || *last >= *length)
            return std::nullopt;
        result.total = *length;
    }
    return result;
}

QByteArray failureDescription(const QString& reason)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("UpdateDescription"));
    writer.writeTextElement(QStringLiteral("Flag"), QStringLiteral("0"));
    writer.writeTextElement(QStringLiteral("ErrMsg"), reason);
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
}

} // namespace agent
