#pragma once

#include <QDateTime>
#include <QString>

namespace ns
{

enum DateFormatterStyle {
    DateFormatterNoStyle = 0,
    DateFormatterShortStyle = 1,
    DateFormatterMediumStyle = 2,
    DateFormatterLongStyle = 3,
    DateFormatterFullStyle = 4,
};

// Writes dates in the styles of the default locale (QLocale()), in local time:
// the date part and the time part each in a style, or left out with no style.
class DateFormatter
{
public:
    explicit DateFormatter(DateFormatterStyle dateStyle = DateFormatterNoStyle,
                           DateFormatterStyle timeStyle = DateFormatterNoStyle)
        : dateStyle_(dateStyle), timeStyle_(timeStyle)
    {
    }

    DateFormatterStyle dateStyle() const { return dateStyle_; }
    void setDateStyle(DateFormatterStyle style) { dateStyle_ = style; }
    DateFormatterStyle timeStyle() const { return timeStyle_; }
    void setTimeStyle(DateFormatterStyle style) { timeStyle_ = style; }

    // A null string for an invalid date.
    QString stringFromDate(const QDateTime& date) const;

private:
    DateFormatterStyle dateStyle_;
    DateFormatterStyle timeStyle_;
};

// The date written in a calendar format, in local time and the default
// locale. The format's conversions: %% a percent sign; %a %A the weekday's
// short and full name; %b %B the month's; %c the locale's date and time; %d
// the day of the month (01-31) and %e without a leading zero; %F milliseconds
// (000-999); %H the hour (00-23) and %I on a 12-hour clock (01-12); %j the day
// of the year (001-366); %m the month (01-12); %M minutes; %p AM or PM; %S
// seconds; %w the weekday (0 for Sunday); %x %X the locale's date and time;
// %y the year in two digits and %Y in full; %Z the time zone's abbreviation
// and %z its offset (+hhmm). Anything else stays as written. A null string
// for an invalid date.
QString descriptionWithCalendarFormat(const QDateTime& date, const QString& format);

} // namespace ns
