#include "app/utils/IPAddressFormatter.h"

#include <QStringView>

#include <algorithm>
#include <array>

namespace
{

constexpr int kGroupCount = 4;

// The decimal number at the head of the text, as C's atoi reads it (leading
// blanks, an optional sign, digits up to the first other character), clamped
// to 0..255; 0 when there is no number.
int readGroup(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        negative = text.at(i++) == u'-';
    int value = 0;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i)
        value = std::min(value * 10 + (text.at(i).unicode() - u'0'), 256);
    if (negative)
        return 0;
    return std::min(value, 255);
}

} // namespace

std::unique_ptr<IPAddressFormatter> IPAddressFormatter::defaultIPAddressFormatter()
{
    return std::make_unique<IPAddressFormatter>();
}

QString IPAddressFormatter::stringForObjectValue(const ns::Value& value) const
{
    if (!value.isString())
        return QStringLiteral("0.0.0.0");
    const QString text = value.toString();

    // Each group runs from its start to the next dot; a fourth dot ends the address.
    std::array<QStringView, kGroupCount> groups;
    qsizetype start = 0;
    int group = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text.at(i) != u'.')
            continue;
        groups[group++] = QStringView(text).mid(start, i - start);
        start = i + 1;
        if (group == kGroupCount)
            break;
    }

    std::array<int, kGroupCount> numbers{};
    for (int g = 0; g < kGroupCount; ++g)
        numbers[g] = readGroup(groups[g]);
    return QStringLiteral("%1.%2.%3.%4").arg(numbers[0]).arg(numbers[1]).arg(numbers[2]).arg(numbers[3]);
}

bool IPAddressFormatter::getObjectValue(ns::Value* out, const QString& string, QString* /*error*/) const
{
    if (out)
        *out = stringForObjectValue(string);
    return true;
}
