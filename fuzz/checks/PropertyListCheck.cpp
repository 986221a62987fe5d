#include "fuzz/checks/FuzzChecks.h"

#include "platform/ns/PropertyList.h"

namespace fuzz
{

QString checkPropertyList(QByteArrayView input)
{
    using namespace ns::PropertyList;
    const std::optional<ns::Value> read = fromData(input.toByteArray());
    if (!read)
        return QString();
    const QByteArray xml = toXml(*read);
    const QByteArray binary = toBinary(*read);
    if (xml.isEmpty() || binary.isEmpty())
        return QStringLiteral("a value that was read cannot be written");
    const std::optional<ns::Value> fromXml = fromData(xml);
    if (!fromXml || toXml(*fromXml) != xml)
        return QStringLiteral("the XML written does not read back to the same");
    const std::optional<ns::Value> fromBinary = fromData(binary);
    if (!fromBinary || toBinary(*fromBinary) != binary || toXml(*fromBinary) != xml)
        return QStringLiteral("the binary form written does not read back to the same");
    return QString();
}

} // namespace fuzz
