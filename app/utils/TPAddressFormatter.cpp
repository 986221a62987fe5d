#include "app/utils/TPAddressFormatter.h"

std::unique_ptr<TPAddressFormatter> TPAddressFormatter::defaultTPAddressFormatter()
{
    return std::make_unique<TPAddressFormatter>();
}

QString TPAddressFormatter::stringForObjectValue(const ns::Value& value) const
{
    if (!value.isString())
        return QString();
    static const QString kDialChars = QStringLiteral("0123456789*#abc");
    const QString text = value.toString();
    qsizetype length = 0;
    while (length < text.size() && kDialChars.contains(text.at(length)))
        ++length;
    return text.left(length);
}

bool TPAddressFormatter::getObjectValue(ns::Value* out, const QString& string, QString* /*error*/) const
{
    if (out)
        *out = stringForObjectValue(string);
    return true;
}
