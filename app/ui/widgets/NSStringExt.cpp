#include "app/ui/widgets/NSStringExt.h"

#include <algorithm>

namespace NSStringExt
{

namespace
{

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

bool isDigitalString(const QString& string)
{
    return !string.isEmpty() && std::all_of(string.cbegin(), string.cend(), isAsciiDigit);
}

bool isValidPhoneNumber(const QString& string)
{
    if (string.isEmpty())
        return false;
    if (string.front() != QLatin1Char('+') && !isAsciiDigit(string.front()))
        return false;
    return std::all_of(string.cbegin() + 1, string.cend(), isAsciiDigit);
}

} // namespace NSStringExt
