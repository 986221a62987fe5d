// Reading and writing an XML property list shaped like the SMS and phone-book
// lists: an array of 10,000 dictionaries of 8 keys each. The file is left
// behind (TRELVAN_PLIST_BENCH_FILE) so that bench/plistlib_compare.py can time
// Python's plistlib on the very same bytes.

#include "platform/ns/PropertyList.h"

#include <QTimeZone>

#include <benchmark/benchmark.h>

namespace
{

constexpr int kRecordCount = 10000;

ns::Value makeRecords()
{
    const QDateTime start(QDate(2024, 3, 5), QTime(7, 8, 9), QTimeZone::utc());
    const QString groups[] = {QStringLiteral("Family"), QStringLiteral("Friends"), QStringLiteral("Société"),
                              QStringLiteral("同事")};
    ns::Array records;
    for (int i = 0; i < kRecordCount; ++i) {
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

const QString kFile = QStringLiteral(TRELVAN_PLIST_BENCH_FILE);

void BM_WritePlist(benchmark::State& state)
{
    const ns::Value records = makeRecords();
    for (auto _ : state) {
        if (!ns::PropertyList::writeFile(kFile, records))
            state.SkipWithError("cannot write the property list");
    }
}
BENCHMARK(BM_WritePlist)->Unit(benchmark::kMillisecond);

void BM_ReadPlist(benchmark::State& state)
{
    if (!ns::PropertyList::writeFile(kFile, makeRecords())) {
        state.SkipWithError("cannot write the property list");
        return;
    }
    for (auto _ : state) {
        std::optional<ns::Array> records = ns::PropertyList::readArray(kFile);
        if (!records || records->count() != kRecordCount)
            state.SkipWithError("the property list did not read back");
        benchmark::DoNotOptimize(records);
    }
}
BENCHMARK(BM_ReadPlist)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
