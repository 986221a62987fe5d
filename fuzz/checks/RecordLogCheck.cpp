#include "fuzz/checks/FuzzChecks.h"

#include "jCommon/RecordLogText.h"

namespace fuzz
{

QString checkRecordLog(QByteArrayView input)
{
    const _UI_MSG record = recordFromBytes(input.toByteArray());
    const QByteArray line = recordLogText(record);
    if (!line.endsWith('\n') || line.count('\n') != 1)
        return QStringLiteral("a record's log text is not one line");
    const _UI_MSG masked = withCodesMasked(record);
    if (recordLogText(masked) != line)
        return QStringLiteral("masking a masked record changes its log text");
    return QString();
}

} // namespace fuzz
