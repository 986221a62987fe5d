// One 8,220-byte record to another process and back, three ways in one run:
//   bareEcho             a plain AF_UNIX stream socket; the other process
//                        reads the record and writes it back (the floor)
//   aeWaitReply          an Apple Event carrying the record, wait-reply, to a
//                        process whose handler does nothing
//   msgCenterToHalvex    JOVMsgCenter's send to the real device server
// each with both processes pinned to one CPU (as taskset would) and free.
// Medians over interleaved repetitions; the table at the end gives each
// channel's median as a multiple of the bare echo's in the same placement.
//
// The program starts copies of itself as the other process:
//   channel_roundtrip --echo <socket path>
//   channel_roundtrip --listen <bundle identifier>
#include "tests/support/HalvexControl.h"

#include "app/msgcenter/JOVMsgCenter.h"
#include "platform/ae/AESend.h"
#include "platform/ae/AppleEventManager.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <sched.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace
{

const QString kReceiver = QStringLiteral("com.trelvan.bench.receiver");
constexpr ae::OSType kGetURL = ae::fourCharCode("GURL");
constexpr int kRecordSize = 8220;
constexpr int kIterations = 5000;

enum class Placement { OneCpu, Free };

cpu_set_t& originalCpus()
{
    static cpu_set_t cpus = [] {
        cpu_set_t set;
        CPU_ZERO(&set);
        sched_getaffinity(0, sizeof set, &set);
        return set;
    }();
    return cpus;
}

// Places this thread, and so the processes it starts from now on.
bool place(Placement placement)
{
    cpu_set_t set = originalCpus();
    if (placement == Placement::OneCpu) {
        int first = 0;
        while (first < CPU_SETSIZE && !CPU_ISSET(first, &set))
            ++first;
        CPU_ZERO(&set);
        CPU_SET(first, &set);
    }
    return sched_setaffinity(0, sizeof set, &set) == 0;
}

bool transfer(int fd, char* bytes, int size, bool reading)
{
    for (int done = 0; done < size;) {
        const ssize_t n = reading ? ::recv(fd, bytes + done, size - done, 0)
                                  : ::send(fd, bytes + done, size - done, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += int(n);
    }
    return true;
}

sockaddr_un addressOf(const QByteArray& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(std::min<qsizetype>(path.size(), 100)));
    return address;
}

int echo(const char* path)
{
    const sockaddr_un address = addressOf(path);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 1) != 0)
        return 1;
    std::puts("listening");
    std::fflush(stdout);
    const int peer = ::accept(listener, nullptr, nullptr);
    char record[kRecordSize];
    while (transfer(peer, record, kRecordSize, true) && transfer(peer, record, kRecordSize, false)) {
    }
    return 0;
}

int listen(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ae::AppleEventManager& manager = ae::AppleEventManager::sharedAppleEventManager();
    manager.setEventHandler(kGetURL, kGetURL, [](const ae::AppleEvent&, ae::AppleEvent&) {});
    if (!manager.listen(QString::fromLocal8Bit(argv[2])))
        return 1;
    std::puts("listening");
    std::fflush(stdout);
    return app.exec();
}

// A copy of this program in one of its other roles, ended with the object.
class Child
{
public:
    explicit Child(const QStringList& arguments)
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QCoreApplication::applicationFilePath(), arguments);
        while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
        }
        listening_ = process_.readLine().trimmed() == "listening";
    }
    ~Child()
    {
        process_.kill();
        process_.waitForFinished();
    }
    bool listening() const { return listening_; }

private:
    QProcess process_;
    bool listening_ = false;
};

// Times each round trip alone, so that what a loop does between two (taking
// in the server's records) is not counted. A round trip that fails (a device
// server ended by someone's "killall Halvex") is counted, not timed.
template <typename RoundTrip, typename Between = void (*)()>
void timeRoundTrips(
    benchmark::State& state, RoundTrip roundTrip, Between between = [] {})
{
    int failed = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const bool ok = roundTrip();
        const auto end = std::chrono::steady_clock::now();
        if (ok)
            state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        else
            ++failed;
        between();
    }
    state.counters["failed"] = failed;
}

void bareEcho(benchmark::State& state, Placement placement)
{
    place(placement);
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("echo.sock")));
    Child child({QStringLiteral("--echo"), QFile::decodeName(path)});
    const sockaddr_un address = addressOf(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (!child.listening() ||
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        state.SkipWithError("the echo process did not start");
        ::close(fd);
        return;
    }
    std::vector<char> record(kRecordSize, '\1');
    timeRoundTrips(state, [&] {
        return transfer(fd, record.data(), kRecordSize, false) &&
               transfer(fd, record.data(), kRecordSize, true);
    });
    ::close(fd);
}

void aeWaitReply(benchmark::State& state, Placement placement)
{
    place(placement);
    QTemporaryDir runtime;
    const QByteArray previous = qgetenv("TRELVAN_RUNTIME_DIR");
    qputenv("TRELVAN_RUNTIME_DIR", runtime.path().toLocal8Bit());
    {
        Child child({QStringLiteral("--listen"), kReceiver});
        if (!child.listening()) {
            state.SkipWithError("the receiving process did not start");
        } else {
            ae::AppleEvent event(kGetURL, kGetURL, ae::Descriptor::fromBundleIdentifier(kReceiver));
            event.setParamDescriptor(ae::fourCharCode("jMsg"), {ae::typeData, QByteArray(kRecordSize, '\1')});
            timeRoundTrips(state, [&] {
                return ae::AESend(event, nullptr, ae::kAEWaitReply, ae::kAEHighPriority, 60) == ae::noErr;
            });
        }
    }
    qputenv("TRELVAN_RUNTIME_DIR", previous);
}

void msgCenterToHalvex(benchmark::State& state, Placement placement)
{
    place(placement);
    HalvexControl halvex;
    if (!halvex.start()) {
        state.SkipWithError("Halvex did not start");
        return;
    }
    JOVMsgCenter center;
    // 4/15 (entry abandoned) is taken in without an answer record; what the
    // server sends meanwhile is taken in between, as the main loop would.
    timeRoundTrips(
        state, [&] { return center.sendMessageModuleID(kModuleInit, 4, 15, 1, 0); },
        [] { QCoreApplication::processEvents(); });
}

// Keeps the median of each benchmark for the table of ratios.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.aggregate_name == "median")
                medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
            if (run.aggregate_name == "mean" && run.counters.count("failed"))
                failed_[run.run_name.function_name] = run.counters.at("failed").value;
        }
    }
    void printRatios() const
    {
        std::printf("\nRound trip medians (us) and multiples of the bare echo in the same placement:\n");
        for (const char* placement : {"oneCpu", "free"}) {
            const auto bare = medians_.find(std::string("bareEcho/") + placement);
            if (bare == medians_.end() || bare->second <= 0)
                continue;
            for (const char* channel : {"bareEcho", "aeWaitReply", "msgCenterToHalvex"}) {
                const auto it = medians_.find(std::string(channel) + "/" + placement);
                if (it == medians_.end())
                    continue;
                std::printf("  %-7s %-18s %8.2f us  %5.2fx", placement, channel, it->second,
                            it->second / bare->second);
                if (const double failed = failed_.count(it->first) ? failed_.at(it->first) : 0; failed > 0)
                    std::printf("  (%.0f failed round trips per repetition, not timed)", failed);
                std::printf("\n");
            }
        }
    }

private:
    std::map<std::string, double> medians_;
    std::map<std::string, double> failed_;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--echo") == 0)
        return echo(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--listen") == 0)
        return listen(argc, argv);

    QCoreApplication app(argc, argv);
    originalCpus();
    for (auto [name, placement] : {std::pair{"oneCpu", Placement::OneCpu}, {"free", Placement::Free}}) {
        if (placement == Placement::OneCpu && !place(Placement::OneCpu))
            continue;
        for (auto [channel, function] : {std::pair{"bareEcho", &bareEcho},
                                         {"aeWaitReply", &aeWaitReply},
                                         {"msgCenterToHalvex", &msgCenterToHalvex}}) {
            benchmark::RegisterBenchmark((std::string(channel) + "/" + name).c_str(), function, placement)
                ->UseManualTime()
                ->Iterations(kIterations)
                ->Repetitions(5)
                ->ReportAggregatesOnly()
                ->Unit(benchmark::kMicrosecond);
        }
    }
    place(Placement::Free);

    // Repetitions of the benchmarks take turns, so that a slow spell of the
    // machine does not fall on one channel alone.
    std::vector<char*> arguments(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    arguments.push_back(interleave);
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
