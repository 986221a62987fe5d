#include "platform/ns/PropertyListFormats.h"

namespace ns::plist
{

namespace
{

constexpr qint64 kMsPerDay = 86400000;

// Quotient and remainder rounded towards negative infinity.
qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - (a % b < 0 ? 1 : 0);
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar (the
// well-known era arithmetic: 400-year eras of 146097 days, years starting in March).
qint64 daysFromCivil(qint64 year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const qint64 era = floorDiv(year, 400);
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

} // namespace

qint64 msFromCivilTime(const CivilTime& t)
{
    const qint64 days = daysFromCivil(t.year, t.month, t.day);
    return days * kMsPerDay + ((qint64(t.hour) * 60 + t.minute) * 60 + t.second) * 1000;
}

CivilTime civilTimeFromMs(qint64 ms)
{
    const qint64 days = floorDiv(ms, kMsPerDay);
    const qint64 secondOfDay = (ms - days * kMsPerDay) / 1000;
    const qint64 z = days + 719468;
    const qint64 era = floorDiv(z, 146097);
    const qint64 dayOfEra = z - era * 146097;
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 mp = (5 * dayOfYear + 2) / 153;
    CivilTime t;
    t.day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
    t.month = int(mp < 10 ? mp + 3 : mp - 9);
    t.year = int(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = int(secondOfDay / 3600);
    t.minute = int(secondOfDay / 60 % 60);
    t.second = int(secondOfDay % 60);
    return t;
}

QDateTime dateFromMs(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

std::optional<qint64> writableDateMs(const QDateTime& date)
{
    if (!date.isValid())
        return std::nullopt;
    const qint64 ms = date.toMSecsSinceEpoch();
    if (ms < kFirstDateMs || ms > kLastDateMs)
        return std::nullopt;
    return ms;
}

} // namespace ns::plist
