#pragma once

#include "platform/ns/Value.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QThread;

namespace speed_test
{

// One HTTP exchange made synchronously in the calling thread's own event
// loop, the cache never consulted.
struct HttpAnswer {
    bool ok = false;
    QByteArray data;
    QString error; // the failure, for the log
};
HttpAnswer sendSynchronousRequest(const QByteArray& method, const QUrl& url, int timeoutMs);

// The measurements after a connection comes up, made on a thread of their
// own: latency, download and upload of the operator's speed-test server, each
// step logged, and the figures reported with the previous disconnection's
// reason. A figure that could not be measured is left out of the report.
struct SpeedTestRun {
    QUrl server;                                   // scheme, host and port of the speed-test server
    std::optional<ns::Dictionary> iperfParameters; // "Internet_ParmsForUploadTestTool"
    QString iperfPath;
    QString workFolder; // private: the upload tool's report goes to a fresh file here
    int disconnectionReason = 0;

    std::function<bool()> isNeedTestSpeed;
    std::function<void(const QString&)> log;
    // "DelayTimeValue", "DownloadSpeedValue", "UploadSpeedValue" (those measured)
    // and "DisconnectionReason".
    std::function<void(const ns::Dictionary&)> report;

    void testSpeed();

    std::optional<double> delayTest();
    std::optional<double> downloadTest();
    // Runs the tool and reads its report; none when the tool gives no rate.
    std::optional<double> uploadTest();
};

// The test threads of one connection controller, one per connection change.
// A change makes the runs started before it stale: a stale run that has not
// begun measuring measures nothing. Dropping the object stops every run at
// once (a request or the tool is abandoned) and waits for it to end.
class SpeedTestThreads
{
public:
    SpeedTestThreads();
    ~SpeedTestThreads();
    SpeedTestThreads(const SpeedTestThreads&) = delete;
    SpeedTestThreads& operator=(const SpeedTestThreads&) = delete;

    // Marks a connection change; runs started before it are stale.
    void connectionChanged();
    // Starts the run on a new thread; it measures only while no change followed.
    void start(SpeedTestRun run);
    void waitForAll();

private:
    std::shared_ptr<std::atomic<int>> generation_;
    std::vector<std::unique_ptr<QThread>> threads_;
};

} // namespace speed_test
