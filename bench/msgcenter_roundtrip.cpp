// Message center to the real device server: one wait-reply send of a record
// (median and 99th percentile over the iterations), and record encode/decode.
#include "tests/support/HalvexControl.h"

#include "app/msgcenter/JOVMsgCenter.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace
{

void BM_SendWaitReply(benchmark::State& state)
{
    HalvexControl halvex;
    if (!halvex.start()) {
        state.SkipWithError("Halvex did not start");
        return;
    }
    JOVMsgCenter center;
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        // 4/15 (entry abandoned) is taken in without an answer record.
        const bool sent = center.sendMessageModuleID(kModuleInit, 4, 15, 1, 0);
        const auto end = std::chrono::steady_clock::now();
        if (!sent) {
            state.SkipWithError(("send failed after " + std::to_string(micros.size()) + " sends").c_str());
            break;
        }
        const double us = std::chrono::duration<double, std::micro>(end - start).count();
        micros.push_back(us);
        state.SetIterationTime(us / 1e6);
        // Take in what the server sends meanwhile, as the main loop would.
        QCoreApplication::processEvents();
    }
    if (micros.empty())
        return;
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
}
BENCHMARK(BM_SendWaitReply)->UseManualTime()->Iterations(5000);

void BM_RecordEncodeDecode(benchmark::State& state)
{
    const QByteArray payload(324, 'n');
    for (auto _ : state) {
        const QByteArray bytes = recordBytes(makeUIMsg(kModuleInit, 7, 37, 1, 0, payload));
        const _UI_MSG back = recordFromBytes(bytes);
        benchmark::DoNotOptimize(back.length);
    }
}
BENCHMARK(BM_RecordEncodeDecode);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
