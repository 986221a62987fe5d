#include "fuzz/checks/FuzzChecks.h"

#include "platform/ns/StringsFile.h"

namespace fuzz
{

QString checkStringsFile(QByteArrayView input)
{
    const std::optional<ns::Dictionary> table = ns::StringsFile::fromData(input.toByteArray());
    if (!table)
        return QString();
    for (const ns::Dictionary::Entry& entry : *table)
        if (!entry.second.isString())
            return QStringLiteral("an entry whose value is not a string");
    return QString();
}

} // namespace fuzz
