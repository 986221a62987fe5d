// Feeds the connection history file with any bytes: whatever it holds, the
// records read, their totals, a period and both exports come out without a
// crash, and a record appended to a readable file reads back after the
// records it held.

#include "connection/DialRecordExport.h"
#include "connection/DialRecordFile.h"
#include "connection/DialRecords.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dialRecordData.plist"));
    QFile::remove(path + QStringLiteral(".unreadable"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    DialRecordFile history(path);
    const ns::Array records = history.records().copy();
    dial_record::totalsOf(records);
    const QDate day(2026, 3, 1);
    if (const auto period = dial_record::periodOfDays(day, day.addDays(30)))
        dial_record::recordsInPeriod(records, period->from, period->to);
    const dial_record::ExportTexts texts{{},
                                         [](const QDateTime& date) { return date.toString(); },
                                         [](double bytes) { return QString::number(bytes); }};
    dial_record::textExport(records, texts);
    dial_record::csvExport(records, texts);

    const bool unreadable = history.isUnreadable();
    const ns::Dictionary added{{QStringLiteral("connectname"), QStringLiteral("fuzz")}};
    if (history.append(added)) {
        ns::Array expected = unreadable ? ns::Array() : records.copy();
        expected.append(added);
        DialRecordFile reread(path);
        if (!(reread.records() == expected))
            std::abort();
    }
    return 0;
}
