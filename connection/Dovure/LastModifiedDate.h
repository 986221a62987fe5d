#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// The date of an HTTP "Last-Modified" header as the link list stores it:
// "%a, %d %b %Y %H:%M:%S %Z", for instance "Wed, 21 Oct 2015 07:28:00 GMT".
// Day and month names are English (any letter case); the zone is "GMT",
// "UTC", "UT", "Z", a numeric offset such as "+0200", or a zone identifier
// such as "Europe/Paris". Anything else, an impossible date or time
// included, is no date.
namespace last_modified
{

std::optional<QDateTime> parse(const QString& text);

// Whether the server's value names a later moment than the stored one. A
// stored value that is no date is older than any server date; a server value
// that is no date is never later.
bool isLater(const QString& serverValue, const QString& storedValue);

} // namespace last_modified
