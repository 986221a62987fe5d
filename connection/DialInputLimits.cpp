#include "connection/DialInputLimits.h"

#include <cctype>

namespace
{

constexpr int kTelephoneNumberLength = 30;
constexpr int kApnLength = 60;
constexpr int kDefaultAccountLength = 30;
constexpr int kIPv6DnsLength = 39;

// The letter and digit classes: lower case, upper case and decimal digits.
bool isLetterOrDigit(QChar c)
{
    return c.isLower() || c.isUpper() || c.isDigit();
}

bool isAccountCharacter(QChar c)
{
    const bool asciiPunctuation = c.unicode() < 0x80 && std::ispunct(c.unicode()) && c != u'`';
    return isLetterOrDigit(c) || asciiPunctuation;
}

template <typename Allowed> QString kept(const QString& text, int length, Allowed allowed)
{
    QString result;
    for (const QChar c : text)
        if (result.size() < length && allowed(c))
            result += c;
    return result;
}

} // namespace

QString limitDialInput(DialInputField field, const QString& text, int passwordLimitLen)
{
    switch (field) {
    case DialInputField::TelephoneNumber:
        return kept(text, kTelephoneNumberLength,
                    [](QChar c) { return QStringLiteral("*#0123456789abcdABCD").contains(c); });
    case DialInputField::Apn:
        return kept(text, kApnLength, [](QChar c) { return isLetterOrDigit(c) || c == u'.' || c == u'-'; });
    case DialInputField::Account:
        return kept(text, passwordLimitLen < 1 ? kDefaultAccountLength : passwordLimitLen,
                    isAccountCharacter);
    case DialInputField::IPv6Dns:
        return kept(text, kIPv6DnsLength,
                    [](QChar c) { return QStringLiteral("0123456789ABCDEFabcdef:").contains(c); });
    }
    return QString();
}
