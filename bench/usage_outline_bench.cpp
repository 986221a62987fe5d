// What the statistics outline costs on every update of a running connection
// with a history of 10,000 records: the refresh that a "ConnectStatistics"
// brings (the day, month and year sums with the running connection), and the
// history's refresh that the limit checks make on each poll, which refreshes
// the outline too.
#include "app/config/ConfigFileKeys.h"
#include "app/config/ConfigManager.h"
#include "bench/OffscreenMain.h"
#include "connection/DialRecordController.h"
#include "connection/StatisticsController/statisticSource.h"
#include "platform/ns/Clock.h"
#include "platform/ns/Notification.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/TabView.h"
#include "tests/config/ConfigTestSupport.h"

#include <benchmark/benchmark.h>

namespace
{

constexpr int kRecords = 10000;

// Ten thousand connections of the last fourteen months, the newest today.
ns::Array history()
{
    const QDateTime now = ns::Clock::current().now();
    ns::Array records;
    for (int i = kRecords; i > 0; --i) {
        const QDateTime start = now.addSecs(-qint64(i) * 3600 - 600);
        records.append(ns::Dictionary{{"connectname", QStringLiteral("Internet %1").arg(i % 7)},
                                      {"starttime", start},
                                      {"disconnecttime", start.addSecs(300)},
                                      {"connecttime", 300},
                                      {"sendbyte", QString::number((i * 13) % 90000 / 7.0, 'f', 2)},
                                      {"receivebyte", QString::number((i * 71) % 900000 / 3.0, 'f', 2)}});
    }
    return records;
}

// The history and the statistics outline on its page, as the main window holds them.
struct UsageOutline {
    UsageOutline()
    {
        ns::PropertyList::writeFile(bundle.dataFolder() + QLatin1Char('/') + kCMDialRecordFile, history());
        tabs.setFrame(ns::Rect(0, 0, 720, 418));
        tabs.addTabViewItem(std::make_unique<ns::TabViewItem>(QStringLiteral("Statistics")));
        records.awakeFromNib();
        statistics.tabviewMain = &tabs;
        statistics.awakeFromNib();
    }
    TemporaryAppBundle bundle{ns::Dictionary{{"Record", ns::Dictionary{{"recordLastResetTime", "0"}}}}};
    ConfigManager store;
    ns::TabView tabs;
    DialRecordController records{store};
    statisticSource statistics{store};
};

void BM_StatisticsOnConnectStatistics(benchmark::State& state)
{
    UsageOutline outline;
    if (!outline.statistics.outlineView())
        state.SkipWithError("the outline was not built");
    ns::Notification update(
        QStringLiteral("ConnectStatistics"), nullptr,
        ns::Dictionary{{"UploadDataUnitWithKB", "1024.000000"}, {"DowloadDataUnitWithKB", "4096.000000"}});
    for (auto _ : state) {
        outline.statistics.connectStatistics(&update);
        benchmark::DoNotOptimize(outline.statistics.getMonthTotalData());
    }
}
BENCHMARK(BM_StatisticsOnConnectStatistics)->Unit(benchmark::kMicrosecond);

void BM_HistoryRefreshWithTheStatistics(benchmark::State& state)
{
    UsageOutline outline;
    for (auto _ : state) {
        outline.records.updateInterface();
        benchmark::DoNotOptimize(outline.statistics.getMonthTotalData());
    }
}
BENCHMARK(BM_HistoryRefreshWithTheStatistics)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
