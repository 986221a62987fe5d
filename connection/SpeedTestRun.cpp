#include "connection/SpeedTestRun.h"

#include "connection/SpeedTestFormats.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>

namespace speed_test
{

namespace
{

constexpr int kLatencyRequests = 5;
constexpr int kLatencyTimeoutMs = 5000;
constexpr int kDownloadRequests = 2;
constexpr int kDownloadTimeoutMs = 60000;
// How often a waiting run looks whether the program is quitting.
constexpr int kInterruptionCheckMs = 100;

bool quitting()
{
    return QThread::currentThread()->isInterruptionRequested();
}

QUrl fileOnServer(const QUrl& server, const QString& path)
{
    QUrl url = server;
    url.setPath(path);
    return url;
}

} // namespace

HttpAnswer sendSynchronousRequest(const QByteArray& method, const QUrl& url, int timeoutMs)
{
    if (quitting())
        return HttpAnswer{};
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = manager.sendCustomRequest(request, method);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // A program that quits does not wait for a slow server.
    QTimer interruption;
    QObject::connect(&interruption, &QTimer::timeout, reply, [reply] {
        if (quitting())
            reply->abort();
    });
    interruption.start(kInterruptionCheckMs);
    if (!reply->isFinished())
        loop.exec();
    HttpAnswer answer;
    answer.ok = reply->error() == QNetworkReply::NoError;
    answer.data = reply->readAll();
    answer.error = reply->errorString();
    delete reply;
    return answer;
}

void SpeedTestRun::testSpeed()
{
    if (!isNeedTestSpeed())
        return;
    log(QStringLiteral("------------Start Speed Test-------------"));
    const std::optional<double> latency = delayTest();
    const std::optional<double> download = downloadTest();
    if (quitting())
        return;
    if (!iperfParameters) {
        log(QStringLiteral("Read config item Internet_ParmsForUploadTestTool failed"));
        return;
    }
    const std::optional<double> upload = uploadTest();
    if (quitting())
        return;

    ns::Dictionary figures;
    if (latency)
        figures.setValue(QStringLiteral("DelayTimeValue"), *latency);
    if (download)
        figures.setValue(QStringLiteral("DownloadSpeedValue"), *download);
    if (upload)
        figures.setValue(QStringLiteral("UploadSpeedValue"), *upload);
    figures.setValue(QStringLiteral("DisconnectionReason"), disconnectionReason);
    report(figures);
}

std::optional<double> SpeedTestRun::delayTest()
{
    const QUrl url = fileOnServer(server, QStringLiteral("/latency.txt"));
    QList<double> successes;
    for (int i = 0; i < kLatencyRequests; ++i) {
        QElapsedTimer timer;
        timer.start();
        const HttpAnswer answer = sendSynchronousRequest("GET", url, kLatencyTimeoutMs);
        if (answer.ok)
            successes.append(double(timer.nsecsElapsed()) / 1e9);
        else
            log(QStringLiteral("Delay Test: %1").arg(answer.error));
    }
    const std::optional<double> latency = averageLatencyMs(successes);
    if (latency)
        log(QStringLiteral("Delay Time: %1ms").arg(*latency, 0, 'f', 6));
    return latency;
}

std::optional<double> SpeedTestRun::downloadTest()
{
    const QUrl url = fileOnServer(server, QStringLiteral("/modemdltest.jpg"));
    qint64 bytes = 0;
    double seconds = 0;
    int successes = 0;
    for (int i = 0; i < kDownloadRequests; ++i) {
        QElapsedTimer timer;
        timer.start();
        const HttpAnswer answer = sendSynchronousRequest("GET", url, kDownloadTimeoutMs);
        if (answer.ok) {
            seconds += double(timer.nsecsElapsed()) / 1e9;
            bytes += answer.data.size();
            ++successes;
        } else {
            log(QStringLiteral("Download Test: %1").arg(answer.error));
        }
    }
    const std::optional<double> speed = downloadSpeed(bytes, seconds, successes);
    if (speed)
        log(QStringLiteral("Download Speed: %1bit/S").arg(*speed, 0, 'f', 6));
    return speed;
}

std::optional<double> SpeedTestRun::uploadTest()
{
    QTemporaryFile output(workFolder + QStringLiteral("/iprfValue-XXXXXX.txt"));
    if (!output.open()) {
        log(QStringLiteral("The iprfValue.txt is not exit"));
        return std::nullopt;
    }
    QProcess tool;
    tool.setStandardOutputFile(output.fileName(), QIODevice::Truncate);
    tool.setStandardErrorFile(QProcess::nullDevice());
    tool.start(iperfPath, iperfArguments(server.host(), *iperfParameters));
    if (!tool.waitForStarted(-1)) {
        log(QStringLiteral("Upload Test: %1").arg(tool.errorString()));
        return std::nullopt;
    }
    while (!tool.waitForFinished(kInterruptionCheckMs)) {
        if (tool.state() == QProcess::NotRunning)
            break;
        if (quitting()) {
            tool.kill();
            tool.waitForFinished(-1);
            return std::nullopt;
        }
    }
    const std::optional<double> speed = readUploadSpeedValue(output.readAll());
    if (speed)
        log(QStringLiteral("Upload Speed: %1KB/S").arg(*speed, 0, 'f', 6));
    return speed;
}

SpeedTestThreads::SpeedTestThreads() : generation_(std::make_shared<std::atomic<int>>(0)) {}

SpeedTestThreads::~SpeedTestThreads()
{
    // The program is going: runs end their request or tool at once and report nothing.
    for (const std::unique_ptr<QThread>& thread : threads_)
        thread->requestInterruption();
    waitForAll();
}

void SpeedTestThreads::connectionChanged()
{
    ++*generation_;
}

void SpeedTestThreads::start(SpeedTestRun run)
{
    std::erase_if(threads_, [](const std::unique_ptr<QThread>& thread) { return thread->isFinished(); });
    const int generation = *generation_;
    const std::function<bool()> wanted = std::move(run.isNeedTestSpeed);
    run.isNeedTestSpeed = [current = generation_, generation, wanted] {
        return *current == generation && wanted();
    };
    std::unique_ptr<QThread> thread(QThread::create([run = std::move(run)]() mutable { run.testSpeed(); }));
    thread->start();
    threads_.push_back(std::move(thread));
}

void SpeedTestThreads::waitForAll()
{
    for (const std::unique_ptr<QThread>& thread : threads_)
        thread->wait();
    threads_.clear();
}

} // namespace speed_test
