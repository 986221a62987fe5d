#include "connection/RecordPeriod.h"

#include "platform/ns/DateFormatter.h"

#include <cmath>
#include <cstdio>

namespace record_period
{

QDateTime readStoredDate(const QString& text)
{
    const QDateTime date = QDateTime::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return date.isValid() ? date : QDateTime();
}

QString storedDayStart(const QDate& day)
{
    return ns::descriptionWithCalendarFormat(QDateTime(day, QTime(0, 0, 0)), kStoredDateFormat);
}

std::optional<QDateTime> periodEnd(const QDateTime& start, const QDateTime& now, int periodDays)
{
    if (!start.isValid() || !now.isValid() || periodDays < 1)
        return std::nullopt;
    const qint64 elapsed = start.secsTo(now);
    const qint64 period = qint64(periodDays) * kSecondsPerDay;
    if (elapsed < period)
        return std::nullopt;
    const qint64 days = elapsed / period * periodDays;
    return start.addSecs(days * kSecondsPerDay);
}

bool recurrenceDue(int tag, int chosenIndex, const QDateTime& from, const QDateTime& now)
{
    if (!from.isValid() || !now.isValid())
        return false;
    const qint64 days = from.secsTo(now) / kSecondsPerDay;
    if (days < 1)
        return false;
    // The weekday (0 Sunday) or the day of the month of a date, as the box counts it.
    int (*placeOf)(const QDate&) = nullptr;
    int chosen = chosenIndex;
    switch (tag) {
    case Daily:
        return true;
    case Weekly:
        if (days > 7)
            return true;
        placeOf = [](const QDate& day) { return day.dayOfWeek() % 7; };
        break;
    case Monthly:
        if (days > 31)
            return true;
        placeOf = [](const QDate& day) { return day.day(); };
        chosen = chosenIndex + 1;
        break;
    default:
        return false;
    }
    if (placeOf(now.date()) == chosen)
        return true;
    for (qint64 day = 1; day < days; ++day)
        if (placeOf(from.addDays(day).date()) == chosen)
            return true;
    return false;
}

int removeRecordsStartedIn(ns::Array& records, const QDateTime& from, const QDateTime& end)
{
    int removed = 0;
    for (int i = records.count() - 1; i >= 0; --i) {
        const QDateTime start = records.at(i).toDictionary().value(QStringLiteral("starttime")).toDate();
        if (start.isValid() && from <= start && start < end) {
            records.removeAt(i);
            ++removed;
        }
    }
    return removed;
}

QString filterLimitText(const QString& text, bool digitsOnly)
{
    const QString allowed = digitsOnly ? QStringLiteral("0123456789") : QStringLiteral("0123456789,");
    QString kept;
    for (const QChar c : text)
        if (allowed.contains(c))
            kept += c;
    kept.truncate(6);
    return kept.isEmpty() ? QStringLiteral("0") : kept;
}

QString readRecordTimeLimit(double hours, bool wholeHoursOnly)
{
    // The C library's rounding and sign, as the settings were always written.
    char text[64];
    std::snprintf(text, sizeof text, wholeHoursOnly ? "%.0f" : "%.2f", hours);
    return QString::fromLatin1(text);
}

QString withDecimalComma(QString text)
{
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

double readDecimalField(const QString& text)
{
    QString decimal = text;
    return ns::Value(decimal.replace(QLatin1Char(','), QLatin1Char('.'))).doubleValue();
}

bool isQuarterHourMultiple(double hours)
{
    return std::fmod(hours, 0.25) == 0;
}

} // namespace record_period
