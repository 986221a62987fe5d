#include "fuzz/checks/FuzzChecks.h"

#include "app/utils/IPAddressFormatter.h"
#include "app/utils/TPAddressFormatter.h"

#include <QRegularExpression>

namespace fuzz
{

QString checkAddressFormatters(QByteArrayView input)
{
    const QString text = QString::fromUtf8(input);

    const auto ip = IPAddressFormatter::defaultIPAddressFormatter();
    const QString address = ip->stringForObjectValue(text);
    static const QRegularExpression kDotted(
        QStringLiteral(R"(^(\d{1,3})\.(\d{1,3})\.(\d{1,3})\.(\d{1,3})$)"));
    const QRegularExpressionMatch m = kDotted.match(address);
    if (!m.hasMatch())
        return QStringLiteral("an address that is not four dotted groups");
    for (int group = 1; group <= 4; ++group)
        if (m.captured(group).toInt() > 255)
            return QStringLiteral("an address group above 255");
    if (ip->stringForObjectValue(address) != address)
        return QStringLiteral("a formatted address that formats to another");

    const auto tp = TPAddressFormatter::defaultTPAddressFormatter();
    const QString number = tp->stringForObjectValue(text);
    if (!text.startsWith(number))
        return QStringLiteral("a telephone number that is not the start of the text");
    for (const QChar c : number)
        if (!QStringView(u"0123456789*#abc").contains(c))
            return QStringLiteral("a telephone number with a character it may not hold");
    ns::Value stored;
    if (!tp->getObjectValue(&stored, text, nullptr) || stored.toString() != number)
        return QStringLiteral("the stored telephone number differs from the shown one");
    return QString();
}

} // namespace fuzz
