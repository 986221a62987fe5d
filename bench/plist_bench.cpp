// Reading and writing an XML property list of 10,000 and 100,000 records (see
// PlistBenchRecords.h). The files are left behind so that
// bench/plistlib_compare.py can time Python's plistlib on the very same bytes.
// Where libplist is installed, its parse alone is timed as a reference.

#include "PlistBenchRecords.h"

#include "platform/ns/PropertyList.h"

#include <QFile>

#include <benchmark/benchmark.h>

#ifdef TRELVAN_BENCH_LIBPLIST
#include <plist/plist.h>
#endif

namespace
{

void recordCounts(benchmark::internal::Benchmark* b)
{
    b->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

// The XML bytes of count records, written to the bench file on first use.
QByteArray benchBytes(int count)
{
    const QString path = plistBenchFile(count);
    if (!QFile::exists(path) && !ns::PropertyList::writeFile(path, makePlistBenchRecords(count)))
        return QByteArray();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void BM_WritePlist(benchmark::State& state)
{
    const int count = int(state.range(0));
    const ns::Value records = makePlistBenchRecords(count);
    for (auto _ : state) {
        if (!ns::PropertyList::writeFile(plistBenchFile(count), records))
            state.SkipWithError("cannot write the property list");
    }
}
BENCHMARK(BM_WritePlist)->Apply(recordCounts);

void BM_ReadPlist(benchmark::State& state)
{
    const int count = int(state.range(0));
    if (benchBytes(count).isEmpty()) {
        state.SkipWithError("cannot write the property list");
        return;
    }
    for (auto _ : state) {
        std::optional<ns::Array> records = ns::PropertyList::readArray(plistBenchFile(count));
        if (!records || records->count() != count)
            state.SkipWithError("the property list did not read back");
        benchmark::DoNotOptimize(records);
    }
}
BENCHMARK(BM_ReadPlist)->Apply(recordCounts);

#ifdef TRELVAN_BENCH_LIBPLIST
// libplist's parse of the same bytes into its own tree, nothing more.
void BM_LibplistParseAlone(benchmark::State& state)
{
    const QByteArray bytes = benchBytes(int(state.range(0)));
    for (auto _ : state) {
        plist_t root = nullptr;
        plist_from_xml(bytes.constData(), uint32_t(bytes.size()), &root);
        if (!root)
            state.SkipWithError("libplist did not parse the property list");
        plist_free(root);
    }
}
BENCHMARK(BM_LibplistParseAlone)->Apply(recordCounts);
#endif

} // namespace

BENCHMARK_MAIN();
