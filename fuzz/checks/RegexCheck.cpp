#include "fuzz/checks/FuzzChecks.h"

#include "app/utils/StringRegex.h"

namespace fuzz
{

QString checkStringRegex(QByteArrayView input)
{
    const qsizetype newline = input.indexOf('\n');
    const QString regex = QString::fromUtf8(input.first(newline < 0 ? input.size() : newline));
    const QString string = QString::fromUtf8(newline < 0 ? QByteArrayView() : input.sliced(newline + 1));

    RegexError first;
    RegexError second;
    const bool matched = isMatchedByRegex(string, regex, &first);
    const QString match = stringByMatching(string, regex, &second);
    if (first.code != 0 || second.code != 0)
        return QString(); // a pattern that does not compile, or a search that ran away
    if (matched != !match.isNull())
        return QStringLiteral("the two pattern functions disagree on a match");
    if (matched && !string.contains(match))
        return QStringLiteral("a match that is not in the text");
    return QString();
}

} // namespace fuzz
