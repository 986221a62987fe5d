#include "connection/Dovure/LastModifiedDate.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <array>

namespace last_modified
{

namespace
{

constexpr std::array<const char*, 7> kDays{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
constexpr std::array<const char*, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The position of the name in the table (case aside), or -1.
template <std::size_t N> int indexOfName(const std::array<const char*, N>& names, QStringView name)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (name.compare(QLatin1StringView(names[i]), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

std::optional<QTimeZone> zoneNamed(const QString& name)
{
    static const QRegularExpression offset(QStringLiteral("^([+-])(\\d{2})(\\d{2})$"));
    for (const char* utc : {"GMT", "UTC", "UT", "Z"}) {
        if (name.compare(QLatin1StringView(utc), Qt::CaseInsensitive) == 0)
            return QTimeZone::utc();
    }
    if (const QRegularExpressionMatch match = offset.match(name); match.hasMatch()) {
        const int hours = match.captured(2).toInt();
        const int minutes = match.captured(3).toInt();
        if (hours > 14 || minutes > 59)
            return std::nullopt;
        const int seconds = (hours * 60 + minutes) * 60;
        return QTimeZone(match.captured(1) == u"-" ? -seconds : seconds);
    }
    if (!name.contains(u'/'))
        return std::nullopt;
    const QTimeZone zone(name.toLatin1());
    if (!zone.isValid())
        return std::nullopt;
    return zone;
}

} // namespace

std::optional<QDateTime> parse(const QString& text)
{
    static const QRegularExpression format(QStringLiteral(
        "^\\s*([A-Za-z]{3}), (\\d{1,2}) ([A-Za-z]{3}) (\\d{4}) (\\d{1,2}):(\\d{2}):(\\d{2}) (\\S+)\\s*$"));
    const QRegularExpressionMatch match = format.match(text);
    if (!match.hasMatch() || indexOfName(kDays, match.capturedView(1)) < 0)
        return std::nullopt;
    const int month = indexOfName(kMonths, match.capturedView(3)) + 1;
    const QDate date(match.captured(4).toInt(), month, match.captured(2).toInt());
    const QTime time(match.captured(5).toInt(), match.captured(6).toInt(), match.captured(7).toInt());
    const std::optional<QTimeZone> zone = zoneNamed(match.captured(8));
    if (month == 0 || !date.isValid() || !time.isValid() || !zone)
        return std::nullopt;
    const QDateTime moment(date, time, *zone);
    if (!moment.isValid())
        return std::nullopt;
    return moment;
}

bool isLater(const QString& serverValue, const QString& storedValue)
{
    const std::optional<QDateTime> server = parse(serverValue);
    if (!server)
        return false;
    const std::optional<QDateTime> stored = parse(storedValue);
    return !stored || *server > *stored;
}

} // namespace last_modified
