#pragma once

#include "platform/ns/Value.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

// What is done with connection records (dictionaries of "connectname",
// "starttime", "disconnecttime", "connecttime", "sendbyte", "receivebyte" and
// "localaddr"; readers ignore other keys and entries that are not
// dictionaries).
namespace dial_record
{

// The history file's name: "dialRecordData.plist", or with a known IMSI
// "<IMSI>_dialRecordData.plist". An IMSI that is not all digits (so cannot
// lead out of the data folder) keeps the plain name.
QString recordFileName(const QString& imsi = QString());

struct Totals {
    double kilobytes = 0; // received plus sent
    double receivedKilobytes = 0;
    double sentKilobytes = 0;
    qint64 seconds = 0;
};
Totals totalsOf(const ns::Array& records);

// The From day at 00:00:00 to the To day at 23:59:59, local time; nullopt
// when that is no positive range (To before From).
struct Period {
    QDateTime from, to;
};
std::optional<Period> periodOfDays(const QDate& fromDay, const QDate& toDay);
// The records whose "starttime" lies in [from, to], both ends included, oldest first.
ns::Array recordsInPeriod(const ns::Array& records, const QDateTime& from, const QDateTime& to);

// Removes one record equal to each of the chosen ones (by content), so two
// identical records lose one for each chosen row.
void removeOnePerChosen(ns::Array& records, const ns::Array& chosen);

} // namespace dial_record
