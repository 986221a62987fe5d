#include "fuzz/checks/FuzzChecks.h"

#include "jCommon/ConnectionMessages.h"
#include "jCommon/NDISTransferReport.h"

namespace fuzz
{

namespace
{

_UI_MSG report(const QByteArray& payload)
{
    const MessageID id = msg::connection::kNDISDialTransferData;
    return makeUIMsg(kModuleDialUp, id.majorID, id.minorID, kTypeReport, kResultSuccess, payload);
}

} // namespace

QString checkNDISTransferReport(QByteArrayView input)
{
    const _UI_MSG record = recordFromBytes(input.toByteArray());
    const std::optional<NDISTransferReport> read = NDISTransferReport::fromRecord(record);
    if (read.has_value() != (record.length == NDISTransferReport::kSize))
        return QStringLiteral("a transfer report was read from a record of another length");
    if (!read)
        return QString();
    // Once through the record, a report passes through it unchanged.
    const std::optional<NDISTransferReport> once = NDISTransferReport::fromRecord(report(read->bytes()));
    if (!once)
        return QStringLiteral("a transfer report of the device server's own form was refused");
    const std::optional<NDISTransferReport> twice = NDISTransferReport::fromRecord(report(once->bytes()));
    if (!twice || twice->bytes() != once->bytes())
        return QStringLiteral("a transfer report changes on its way through the record");
    return QString();
}

} // namespace fuzz
