// The connection history at 10,000 records: opening it (read and totals),
// saving one more record (read, append, atomic write), and the check that
// every refresh of the history makes on an unchanged file. Leaves the file
// behind for bench/plistlib_compare.py:
//   bench/plistlib_compare.py build/bench/dial_record_bench_10000.plist

#include "connection/DialRecordFile.h"
#include "platform/ns/PropertyList.h"

#include <QFile>
#include <QTimeZone>

#include <benchmark/benchmark.h>

namespace
{

constexpr int kRecords = 10000;

ns::Dictionary connectionRecord(int i)
{
    const QDateTime start = QDateTime(QDate(2025, 1, 1), QTime(8, 0, 0), QTimeZone::utc()).addSecs(i * 3917);
    const int seconds = 60 + (i * 37) % 7200;
    return ns::Dictionary{
        {"connectname", QStringLiteral("Internet %1").arg(i % 7)},
        {"starttime", start},
        {"disconnecttime", start.addSecs(seconds)},
        {"connecttime", seconds},
        {"sendbyte", QString::number((i * 13) % 90000 / 7.0, 'f', 2)},
        {"receivebyte", QString::number((i * 71) % 900000 / 3.0, 'f', 2)},
        {"localaddr", QStringLiteral("10.%1.%2.%3").arg(i / 65536).arg(i / 256 % 256).arg(i % 256)}};
}

const QString& historyFile()
{
    static const QString path = [] {
        const QString file = QStringLiteral(TRELVAN_BENCH_DIR "/dial_record_bench_%1.plist").arg(kRecords);
        ns::Array records;
        for (int i = 0; i < kRecords; ++i)
            records.append(connectionRecord(i));
        ns::PropertyList::writeFile(file, records);
        return file;
    }();
    return path;
}

// A copy of the history to write to.
QString freshCopy()
{
    const QString copy = historyFile() + QStringLiteral(".copy");
    QFile::remove(copy);
    QFile::copy(historyFile(), copy);
    return copy;
}

void OpenHistory(benchmark::State& state)
{
    for (auto _ : state) {
        DialRecordFile file(historyFile());
        benchmark::DoNotOptimize(file.totals().seconds);
    }
}
BENCHMARK(OpenHistory)->Unit(benchmark::kMillisecond);

// The history's owner already holds the records, as the controller does.
void SaveOneMoreRecord(benchmark::State& state)
{
    const QString copy = freshCopy();
    DialRecordFile file(copy);
    file.records();
    int i = kRecords;
    for (auto _ : state)
        benchmark::DoNotOptimize(file.append(connectionRecord(i++)));
    QFile::remove(copy);
}
BENCHMARK(SaveOneMoreRecord)->Unit(benchmark::kMillisecond);

// A first save, which reads the file too.
void SaveOneMoreRecordFirstTime(benchmark::State& state)
{
    const QString copy = freshCopy();
    int i = kRecords;
    for (auto _ : state) {
        DialRecordFile file(copy);
        benchmark::DoNotOptimize(file.append(connectionRecord(i++)));
    }
    QFile::remove(copy);
}
BENCHMARK(SaveOneMoreRecordFirstTime)->Unit(benchmark::kMillisecond);

void RefreshUnchangedHistory(benchmark::State& state)
{
    DialRecordFile file(historyFile());
    file.records();
    for (auto _ : state)
        benchmark::DoNotOptimize(file.totals().seconds + file.records().count());
}
BENCHMARK(RefreshUnchangedHistory)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
