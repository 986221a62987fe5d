#pragma once

// The property list the plist benchmarks read and write: an array of
// dictionaries of 8 keys each, shaped like the SMS and phone-book lists.

#include "platform/ns/Value.h"

#include <QTimeZone>

inline ns::Value makePlistBenchRecords(int count)
{
    const QDateTime start(QDate(2024, 3, 5), QTime(7, 8, 9), QTimeZone::utc());
    const QString groups[] = {QStringLiteral("Family"), QStringLiteral("Friends"), QStringLiteral("Société"),
                              QStringLiteral("同事")};
    ns::Array records;
    for (int i = 0; i < count; ++i) {
        records.append(ns::Dictionary{
            {"Index", i},
            {"Name", QStringLiteral("Zoë 张伟 Müller %1").arg(i)},
            {"PhoneNumber", QStringLiteral("+86138%1").arg(i, 8, 10, QLatin1Char('0'))},
            {"Text", QStringLiteral("Réunion à 18h — 明天见 (message %1), merci !").arg(i)},
            {"Date", start.addSecs(i * 61)},
            {"Read", i % 3 != 0},
            {"Position", i % 5},
            {"Group", groups[i % 4]},
        });
    }
    return records;
}

// Where the benchmarks leave the file of count records, for
// bench/plistlib_compare.py and plist_peak_memory to read.
inline QString plistBenchFile(int count)
{
    return QStringLiteral(TRELVAN_PLIST_BENCH_DIR "/plist_bench_%1.plist").arg(count);
}
