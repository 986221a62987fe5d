// Trelvan from the start of its process to its main window showing the
// device's status from the simulated modem (median of 10 starts, offscreen),
// and what the running program costs while nothing happens: wake-ups of its
// threads and processor time, with the window shown and the SIM ready.
//
// Each start runs a copy of the built Trelvan.app (its own data folder and
// Apple Event sockets). Trelvan refuses to start while another Trelvan runs
// on the machine: the benchmark then stops with that reason.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <csignal>
#include <optional>
#include <vector>

namespace
{

constexpr int kReadyTimeoutMs = 30000;
constexpr double kIdleSeconds = 10;
const QByteArray kReadyLine = "Main window: device status 12";

// A copy of the built bundle: its program copied (Trelvan finds its bundle
// from its own path), the rest linked, the data folder copied.
bool copyBundle(const QString& built, const QString& copy)
{
    if (!QDir().mkpath(copy + "/Contents/MacOS") || !QDir().mkpath(copy + "/Contents/Resources/ModemList") ||
        !QFile::copy(built + "/Contents/MacOS/Trelvan", copy + "/Contents/MacOS/Trelvan") ||
        !QFile::copy(built + "/Contents/Info.plist", copy + "/Contents/Info.plist"))
        return false;
    const QDir resources(built + "/Contents/Resources");
    for (const QString& entry : resources.entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (entry != "ModemList" &&
            !QFile::link(resources.filePath(entry), copy + "/Contents/Resources/" + entry))
            return false;
    const QDir data(resources.filePath("ModemList"));
    for (const QString& entry : data.entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (!QFile::link(data.filePath(entry), copy + "/Contents/Resources/ModemList/" + entry) ||
            (entry == "settings.plist" &&
             (!QFile::remove(copy + "/Contents/Resources/ModemList/" + entry) ||
              !QFile::copy(data.filePath(entry), copy + "/Contents/Resources/ModemList/" + entry))))
            return false;
    return true;
}

// One Trelvan started on its own copy; ready() waits for the device status in its log.
class RunningTrelvan
{
public:
    explicit RunningTrelvan(const QString& bundle)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("TRELVAN_RUNTIME_DIR", QDir(runtime_.path()).absolutePath());
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        clock_.start();
        process_.start(bundle + "/Contents/MacOS/Trelvan", QStringList());
    }
    ~RunningTrelvan()
    {
        process_.terminate();
        if (!process_.waitForFinished(5000))
            process_.kill();
        process_.waitForFinished();
    }

    // Seconds from the start to the ready line; nothing when it never came.
    std::optional<double> ready()
    {
        QByteArray output;
        while (clock_.elapsed() < kReadyTimeoutMs) {
            if (output.contains(kReadyLine))
                return clock_.nsecsElapsed() / 1e9;
            if (process_.state() == QProcess::NotRunning)
                return std::nullopt;
            process_.waitForReadyRead(100);
            output += process_.readAll();
        }
        return std::nullopt;
    }
    qint64 pid() const { return process_.processId(); }

private:
    QTemporaryDir runtime_;
    QProcess process_;
    QElapsedTimer clock_;
};

// Context switches (wake-ups) of all the process's threads, and its processor time in seconds.
struct Usage {
    long long switches = 0;
    double cpu = 0;
};

Usage usageOf(qint64 pid)
{
    Usage usage;
    const QDir tasks(QString("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks.filePath(task + "/status"));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches") || line.startsWith("nonvoluntary_ctxt_switches"))
                usage.switches += line.split(':').value(1).trimmed().toLongLong();
    }
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        // utime and stime are the 14th and 15th fields of the line.
        usage.cpu =
            (fields.value(11).toLongLong() + fields.value(12).toLongLong()) / double(sysconf(_SC_CLK_TCK));
    }
    return usage;
}

QString privateBundle(QTemporaryDir& dir)
{
    const QString copy = dir.filePath("Trelvan.app");
    return copyBundle(TRELVAN_APP_DIR, copy) ? copy : QString();
}

void BM_StartToDeviceStatus(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString bundle = privateBundle(dir);
    if (bundle.isEmpty()) {
        state.SkipWithError("cannot copy Trelvan.app");
        return;
    }
    std::vector<double> seconds;
    for (auto _ : state) {
        RunningTrelvan trelvan(bundle);
        const std::optional<double> ready = trelvan.ready();
        if (!ready) {
            state.SkipWithError("Trelvan ended or showed no device status (is another Trelvan running?)");
            return;
        }
        seconds.push_back(*ready);
        state.SetIterationTime(*ready);
    }
    std::sort(seconds.begin(), seconds.end());
    state.counters["median_ms"] = seconds[seconds.size() / 2] * 1000;
}
BENCHMARK(BM_StartToDeviceStatus)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_IdleWithTheWindowShown(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString bundle = privateBundle(dir);
    for (auto _ : state) {
        RunningTrelvan trelvan(bundle);
        if (!trelvan.ready()) {
            state.SkipWithError("Trelvan ended or showed no device status (is another Trelvan running?)");
            return;
        }
        // Let the start-up reports settle, then watch.
        QThread::sleep(2);
        const Usage before = usageOf(trelvan.pid());
        QThread::usleep(qint64(kIdleSeconds * 1e6));
        const Usage after = usageOf(trelvan.pid());
        state.counters["wakeups_per_s"] = (after.switches - before.switches) / kIdleSeconds;
        state.counters["cpu_percent"] = (after.cpu - before.cpu) / kIdleSeconds * 100;
    }
}
BENCHMARK(BM_IdleWithTheWindowShown)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
