// One poll tick's usage-limit checks of a running connection over a history
// of 10,000 records: the 80 % warning and the limit check, each refreshing
// the history tab and reading its totals, with neither threshold reached.
#include "app/config/ConfigFileKeys.h"
#include "app/config/ConfigManager.h"
#include "bench/OffscreenMain.h"
#include "connection/DialController.h"
#include "connection/DialRecordController.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/Window.h"
#include "tests/config/ConfigTestSupport.h"

#include <QTimeZone>

#include <benchmark/benchmark.h>

namespace
{

constexpr int kRecords = 10000;

ns::Array history()
{
    ns::Array records;
    const QDateTime first(QDate(2025, 1, 1), QTime(8, 0, 0), QTimeZone::utc());
    for (int i = 0; i < kRecords; ++i) {
        const QDateTime start = first.addSecs(i * 3917);
        const int seconds = 60 + (i * 37) % 7200;
        records.append(
            ns::Dictionary{{"connectname", QStringLiteral("Internet %1").arg(i % 7)},
                           {"starttime", start},
                           {"disconnecttime", start.addSecs(seconds)},
                           {"connecttime", seconds},
                           {"sendbyte", QString::number((i * 13) % 900 / 7.0, 'f', 2)},
                           {"receivebyte", QString::number((i * 71) % 9000 / 3.0, 'f', 2)},
                           {"localaddr", QStringLiteral("10.0.%1.%2").arg(i / 256 % 256).arg(i % 256)}});
    }
    return records;
}

void LimitChecksOfOnePoll(benchmark::State& state)
{
    // A data limit far above the history's total, checked while the records are reset monthly.
    const ns::Dictionary record{{"IfSetRecordResetFrequence", "1"},
                                {"recordLimitState", "1"},
                                {"recordDataLimit", 1000000},
                                {"recordLimitWarn", "1"},
                                {"recordLimitDisconnect", "1"}};
    TemporaryAppBundle bundle(ns::Dictionary{{"Record", record}});
    ns::PropertyList::writeFile(bundle.dataFolder() + QLatin1Char('/') + kCMDialRecordFile, history());
    ConfigManager store;

    ns::Window main(ns::Rect(100, 100, 720, 418), ns::TitledWindowMask);
    auto* tabs = new ns::TabView(main.contentView()->bounds());
    for (const char* page : {"Internet", "DialRecord"})
        tabs->addTabViewItem(std::make_unique<ns::TabViewItem>(QString::fromLatin1(page)));
    main.contentView()->addSubview(tabs);
    DialRecordController records(store);
    records.wndMain = &main;
    records.tabviewMain = tabs;
    records.awakeFromNib();
    DialController dial(store);
    dial.tabviewMain = tabs;
    dial.awakeFromNib();

    dial.setConnectStatus(DialControlling::Connected);
    dial.m_sendData = dial.m_receiveData = 1 << 20;
    dial.m_connecttime = 600;
    for (auto _ : state) {
        dial.checkRecordLimit();
        benchmark::DoNotOptimize(dial.warnLimitFlag);
    }
    if (records.recordList().count() != kRecords)
        state.SkipWithError("the history was not read");
    else if (!dial.warnLimitFlag || !dial.autoDisconnectFlag)
        state.SkipWithError("a limit was reached: the ticks did not run both checks");
}
BENCHMARK(LimitChecksOfOnePoll)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
