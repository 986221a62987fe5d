#include "connection/DialRecords.h"

#include <QTime>

#include <algorithm>
#include <limits>

namespace dial_record
{

namespace
{

const QString kRecordFileName = QStringLiteral("dialRecordData.plist");

} // namespace

QString recordFileName(const QString& imsi)
{
    const bool digitsOnly = !imsi.isEmpty() && std::all_of(imsi.begin(), imsi.end(),
                                                           [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digitsOnly)
        return kRecordFileName;
    return QStringLiteral("%1_%2").arg(imsi, kRecordFileName);
}

Totals totalsOf(const ns::Array& records)
{
    Totals totals;
    for (const ns::Value& entry : records) {
        if (!entry.isDictionary())
            continue;
        const ns::Dictionary record = entry.toDictionary();
        totals.receivedKilobytes += record.value(QStringLiteral("receivebyte")).doubleValue();
        totals.sentKilobytes += record.value(QStringLiteral("sendbyte")).doubleValue();
        totals.seconds += record.value(QStringLiteral("connecttime")).longLongValue();
    }
    totals.kilobytes = totals.receivedKilobytes + totals.sentKilobytes;
    return totals;
}

std::optional<Period> periodOfDays(const QDate& fromDay, const QDate& toDay)
{
    Period period{QDateTime(fromDay, QTime(0, 0, 0)), QDateTime(toDay, QTime(23, 59, 59))};
    if (!period.from.isValid() || !period.to.isValid() || period.from.secsTo(period.to) <= 0)
        return std::nullopt;
    return period;
}

ns::Array recordsInPeriod(const ns::Array& records, const QDateTime& from, const QDateTime& to)
{
    // Bounds in local time are converted once, not at every comparison. As
    // between dates, a missing start bound lies before every moment and a
    // missing end bound keeps none.
    ns::Array inside;
    if (!to.isValid())
        return inside;
    const qint64 first = from.isValid() ? from.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
    const qint64 last = to.toMSecsSinceEpoch();
    for (const ns::Value& entry : records) {
        const QDateTime start = entry.toDictionary().value(QStringLiteral("starttime")).toDate();
        if (!start.isValid())
            continue;
        const qint64 moment = start.toMSecsSinceEpoch();
        if (first <= moment && moment <= last)
            inside.append(entry);
    }
    return inside;
}

void removeOnePerChosen(ns::Array& records, const ns::Array& chosen)
{
    for (const ns::Value& record : chosen) {
        const int index = records.indexOf(record);
        if (index >= 0)
            records.removeAt(index);
    }
}

} // namespace dial_record
