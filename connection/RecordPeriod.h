#pragma once

#include "platform/ns/Value.h"

#include <QDateTime>
#include <QString>

#include <optional>

// The arithmetic of the usage periods: when a period of N days from a start
// has ended, whether a daily, weekly or monthly recurrence has come round,
// which records a period end removes, and the texts of the limit fields.
namespace record_period
{

inline constexpr qint64 kSecondsPerDay = 86400;
// How the settings store the start of a period.
inline const QString kStoredDateFormat = QStringLiteral("%Y-%m-%d %H:%M:%S");

// A stored text "%Y-%m-%d %H:%M:%S" in local time; invalid for any other text.
QDateTime readStoredDate(const QString& text);
// The day at 00:00:00 local time as the settings store it.
QString storedDayStart(const QDate& day);

// The end of the last whole run of periods of periodDays days since start:
// start + n days, n the largest multiple of periodDays with n days <= now -
// start (now cut to whole seconds); nullopt before the first period ends, for
// an invalid start or for a period shorter than a day.
std::optional<QDateTime> periodEnd(const QDateTime& start, const QDateTime& now, int periodDays);

// The recurrences of the Volume Limit page, by the tag of their radio.
enum Recurrence { Daily = 0, Weekly = 1, Monthly = 2 };
// Whether the recurrence has come round since from: at least one whole day
// passed and, for weekly, more than 7 days or the chosen weekday (0 Sunday)
// was today or one of the days between; for monthly, more than 31 days or the
// chosen day of the month (index + 1) was. False for other tags and invalid dates.
bool recurrenceDue(int tag, int chosenIndex, const QDateTime& from, const QDateTime& now);

// Removes the records that started in [from, end): one that started at the
// new period's first second stays. Answers how many went.
int removeRecordsStartedIn(ns::Array& records, const QDateTime& from, const QDateTime& end);

// The text of a limit field after a change by the user: only the allowed
// characters ("0123456789," or the digits alone), at most 6 of them, "0" for nothing.
QString filterLimitText(const QString& text, bool digitsOnly);
// The time limit written "%.0f" with whole hours only, else "%.2f" (with ".").
QString readRecordTimeLimit(double hours, bool wholeHoursOnly);
// A number's text as the fields show it: "," for ".".
QString withDecimalComma(QString text);
// A field's text read as a real, "," taken for ".".
double readDecimalField(const QString& text);
// A time limit is taken in steps of a quarter of an hour.
bool isQuarterHourMultiple(double hours);

} // namespace record_period
