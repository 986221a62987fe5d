#include "platform/ns/DateFormatter.h"

#include <QLocale>

#include <cstdlib>

namespace ns
{

namespace
{

// The format with every unquoted run of the field letter removed, together
// with the separators that followed it (or, at the end, preceded it).
QString withoutField(const QString& format, QChar field)
{
    QString result;
    bool quoted = false;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != field) {
            result += c;
            continue;
        }
        while (i + 1 < format.size() && format.at(i + 1) == field)
            ++i;
        while (i + 1 < format.size() && (format.at(i + 1) == u',' || format.at(i + 1).isSpace()))
            ++i;
    }
    while (!result.isEmpty() && (result.back() == u',' || result.back().isSpace()))
        result.chop(1);
    return result.trimmed();
}

// Qt writes "dddd" for the weekday; only a weekday run of four letters is one.
QString withoutWeekday(const QString& format)
{
    QString marked = format;
    marked.replace(QStringLiteral("dddd"), QStringLiteral("\x01"));
    return withoutField(marked, QChar(1));
}

QString dateFormat(const QLocale& locale, DateFormatterStyle style)
{
    switch (style) {
    case DateFormatterNoStyle:
        return QString();
    case DateFormatterShortStyle:
        return locale.dateFormat(QLocale::ShortFormat);
    case DateFormatterMediumStyle:
        return withoutWeekday(locale.dateFormat(QLocale::LongFormat))
            .replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    case DateFormatterLongStyle:
        return withoutWeekday(locale.dateFormat(QLocale::LongFormat));
    case DateFormatterFullStyle:
        return locale.dateFormat(QLocale::LongFormat);
    }
    return QString();
}

QString timeFormat(const QLocale& locale, DateFormatterStyle style)
{
    switch (style) {
    case DateFormatterNoStyle:
        return QString();
    case DateFormatterShortStyle:
        return locale.timeFormat(QLocale::ShortFormat);
    case DateFormatterMediumStyle:
        return withoutField(locale.timeFormat(QLocale::LongFormat), u't');
    case DateFormatterLongStyle:
    case DateFormatterFullStyle:
        return locale.timeFormat(QLocale::LongFormat);
    }
    return QString();
}

QString zeroPadded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

QString timeZoneOffset(const QDateTime& date)
{
    const int seconds = date.offsetFromUtc();
    const int minutes = std::abs(seconds) / 60;
    return (seconds < 0 ? u'-' : u'+') + zeroPadded(minutes / 60, 2) + zeroPadded(minutes % 60, 2);
}

} // namespace

QString DateFormatter::stringFromDate(const QDateTime& date) const
{
    if (!date.isValid())
        return QString();
    const QLocale locale;
    const QDateTime local = date.toLocalTime();
    const QString datePart = dateStyle_ == DateFormatterNoStyle
                                 ? QString()
                                 : locale.toString(local.date(), dateFormat(locale, dateStyle_));
    const QString timePart = timeStyle_ == DateFormatterNoStyle
                                 ? QString()
                                 : locale.toString(local.time(), timeFormat(locale, timeStyle_));
    if (datePart.isEmpty() || timePart.isEmpty())
        return datePart.isEmpty() ? timePart : datePart;
    return datePart + u' ' + timePart;
}

QString descriptionWithCalendarFormat(const QDateTime& date, const QString& format)
{
    if (!date.isValid())
        return QString();
    const QLocale locale;
    const QDateTime local = date.toLocalTime();
    const QDate day = local.date();
    const QTime time = local.time();
    QString result;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != u'%' || i + 1 == format.size()) {
            result += c;
            continue;
        }
        const QChar conversion = format.at(++i);
        switch (conversion.unicode()) {
        case '%':
            result += u'%';
            break;
        case 'a':
            result += locale.dayName(day.dayOfWeek(), QLocale::ShortFormat);
            break;
        case 'A':
            result += locale.dayName(day.dayOfWeek(), QLocale::LongFormat);
            break;
        case 'b':
            result += locale.monthName(day.month(), QLocale::ShortFormat);
            break;
        case 'B':
            result += locale.monthName(day.month(), QLocale::LongFormat);
            break;
        case 'c':
            result += locale.toString(local, QLocale::ShortFormat);
            break;
        case 'd':
            result += zeroPadded(day.day(), 2);
            break;
        case 'e':
            result += QString::number(day.day());
            break;
        case 'F':
            result += zeroPadded(time.msec(), 3);
            break;
        case 'H':
            result += zeroPadded(time.hour(), 2);
            break;
        case 'I':
            result += zeroPadded(time.hour() % 12 == 0 ? 12 : time.hour() % 12, 2);
            break;
        case 'j':
            result += zeroPadded(day.dayOfYear(), 3);
            break;
        case 'm':
            result += zeroPadded(day.month(), 2);
            break;
        case 'M':
            result += zeroPadded(time.minute(), 2);
            break;
        case 'p':
            result += time.hour() < 12 ? locale.amText() : locale.pmText();
            break;
        case 'S':
            result += zeroPadded(time.second(), 2);
            break;
        case 'w':
            result += QString::number(day.dayOfWeek() % 7);
            break;
        case 'x':
            result += locale.toString(day, QLocale::ShortFormat);
            break;
        case 'X':
            result += locale.toString(time, QLocale::ShortFormat);
            break;
        case 'y':
            result += zeroPadded(day.year() % 100, 2);
            break;
        case 'Y':
            result += QString::number(day.year());
            break;
        case 'Z':
            result += local.timeZoneAbbreviation();
            break;
        case 'z':
            result += timeZoneOffset(local);
            break;
        default:
            result += c;
            result += conversion;
            break;
        }
    }
    return result;
}

} // namespace ns
