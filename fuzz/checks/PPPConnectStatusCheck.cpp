#include "fuzz/checks/FuzzChecks.h"

#include "jCommon/ConnectionMessages.h"
#include "jCommon/PPPConnectStatus.h"

#include <QStringList>

namespace fuzz
{

namespace
{

_UI_MSG answer(const QByteArray& payload)
{
    const MessageID id = msg::connection::kPPPConnectStatus;
    return makeUIMsg(kModuleDialUp, id.majorID, id.minorID, kTypeReport, kResultSuccess, payload);
}

} // namespace

QString checkPPPConnectStatus(QByteArrayView input)
{
    const _UI_MSG record = recordFromBytes(input.toByteArray());
    // Once through the record, a status passes through it unchanged.
    const QByteArray once =
        PPPConnectStatus::fromRecord(answer(PPPConnectStatus::fromRecord(record).bytes())).bytes();
    if (PPPConnectStatus::fromRecord(answer(once)).bytes() != once)
        return QStringLiteral("a PPP status changes on its way through the record");
    const PPPConnectStatus old = PPPConnectStatus::fromOldRecord(record);
    if (old.seconds < 0 || old.sendBytes < 0 || old.receiveBytes < 0)
        return QStringLiteral("an unsigned figure of the old form turned negative");
    if (pppAddressText(pppAddressFromRecord(record)).split(QLatin1Char('.')).size() != 4)
        return QStringLiteral("an address is not four numbers");
    return QString();
}

} // namespace fuzz
