// How often an idle Trelvan wakes up: the program (a copy of the built bundle,
// with its device server) is left alone for 30 s after it has settled, and
// every time one of its threads went to sleep and woke again is counted
// (context switches, from /proc). Beside it, over the same 30 s, a Qt
// application without timers, the floor ("idle_wakeups --qt-idle" starts it).
// The device server plays the default scenario without its signal drift, so
// no record reaches Trelvan while it is measured.
#include "platform/ns/PropertyList.h"
#include "tests/support/CopyTree.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cstring>
#include <unistd.h>

namespace
{

constexpr int kSettleSeconds = 5;
constexpr int kIdleSeconds = 30;

struct Usage {
    QHash<QString, qint64> switches; // voluntary and involuntary, by thread
    qint64 cpuTicks = 0;             // user and system time
};

// Wake-ups between two looks: every thread's switches since the first look, a
// thread started in between with all of its own. A thread that ended in
// between takes its switches with it.
qint64 wakeupsBetween(const Usage& before, const Usage& after)
{
    qint64 wakeups = 0;
    for (auto it = after.switches.cbegin(); it != after.switches.cend(); ++it)
        wakeups += it.value() - before.switches.value(it.key(), 0);
    return wakeups;
}

Usage usageOf(qint64 pid)
{
    Usage usage;
    const QString proc = QStringLiteral("/proc/%1").arg(pid);
    for (const QString& task :
         QDir(proc + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(proc + QStringLiteral("/task/") + task + QStringLiteral("/status"));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.contains("ctxt_switches:"))
                usage.switches[task] += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        }
    }
    QFile stat(proc + QStringLiteral("/stat"));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray line = stat.readAll();
        // Fields after the command name, which ends with the last ')': state is
        // field 3, utime 14 and stime 15.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 12)
            usage.cpuTicks = fields.at(11).toLongLong() + fields.at(12).toLongLong();
    }
    return usage;
}

void idleWakeups(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString app = dir.filePath(QStringLiteral("Trelvan.app"));
    const QString scenario = dir.filePath(QStringLiteral("quiet.plist"));
    ns::Dictionary quiet =
        ns::PropertyList::readDictionary(
            TRELVAN_BUILD_DIR
            "/Trelvan.app/Contents/Resources/Halvex.app/Contents/Resources/DefaultScenario.plist")
            .value_or(ns::Dictionary())
            .deepCopy();
    ns::Dictionary timing = quiet.value(QStringLiteral("Timing")).toDictionary();
    timing.setValue(QStringLiteral("SignalChangeInterval"), 0);
    if (!copyTree(QStringLiteral(TRELVAN_BUILD_DIR "/Trelvan.app"), app) ||
        !ns::PropertyList::writeFile(scenario, quiet)) {
        state.SkipWithError("cannot copy the bundle or write the scenario");
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TRELVAN_RUNTIME_DIR"), dir.filePath(QStringLiteral("run")));
    environment.insert(QStringLiteral("HALVEX_SCENARIO"), scenario);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    QProcess trelvan, reference;
    for (QProcess* p : {&trelvan, &reference}) {
        p->setProcessEnvironment(environment);
        p->setProcessChannelMode(QProcess::ForwardedChannels);
    }
    trelvan.start(app + QStringLiteral("/Contents/MacOS/Trelvan"), {});
    reference.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--qt-idle")});
    if (!trelvan.waitForStarted() || !reference.waitForStarted()) {
        state.SkipWithError("the programs did not start");
        return;
    }
    QThread::sleep(kSettleSeconds);

    double trelvanRate = 0, referenceRate = 0, trelvanCpu = 0;
    for (auto _ : state) {
        const Usage trelvanBefore = usageOf(trelvan.processId());
        const Usage referenceBefore = usageOf(reference.processId());
        QThread::sleep(kIdleSeconds);
        const Usage trelvanAfter = usageOf(trelvan.processId());
        const Usage referenceAfter = usageOf(reference.processId());
        state.SetIterationTime(kIdleSeconds);
        trelvanRate = double(wakeupsBetween(trelvanBefore, trelvanAfter)) / kIdleSeconds;
        referenceRate = double(wakeupsBetween(referenceBefore, referenceAfter)) / kIdleSeconds;
        trelvanCpu = 100.0 * double(trelvanAfter.cpuTicks - trelvanBefore.cpuTicks) /
                     double(::sysconf(_SC_CLK_TCK)) / kIdleSeconds;
    }
    state.counters["trelvan_wakeups_per_s"] = trelvanRate;
    state.counters["qt_without_timers_wakeups_per_s"] = referenceRate;
    state.counters["trelvan_cpu_percent"] = trelvanCpu;
    if (trelvan.state() != QProcess::Running)
        state.SkipWithError("Trelvan ended while it was measured");
    trelvan.terminate(); // its SIGTERM handler ends the device server too
    reference.kill();
    trelvan.waitForFinished();
    reference.waitForFinished();
}
BENCHMARK(idleWakeups)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--qt-idle") == 0) {
        QApplication app(argc, argv);
        return app.exec();
    }
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
