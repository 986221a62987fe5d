#pragma once

#include "halvex/ControlClient.h"
#include "halvex/LoggedRecord.h"
#include "jCommon/MessageID.h"
#include "jCommon/UIMsg.h"
#include "platform/ns/Value.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <optional>
#include <vector>

// Runs the real Halvex program for a test, on a private runtime folder, and
// drives it through its control channel. While the object lives,
// TRELVAN_RUNTIME_DIR of the test process points at that folder too, so the
// test's own Apple Events (a manager listening under kJOVDataCardClient, a
// message center) meet this Halvex and no other. Needs a QCoreApplication.
class HalvexControl
{
public:
    enum class ScenarioBy { Argument, Environment };
    using Entry = halvex::LoggedRecord;

    HalvexControl();
    ~HalvexControl();
    HalvexControl(const HalvexControl&) = delete;
    HalvexControl& operator=(const HalvexControl&) = delete;

    static QString programPath();
    QString runtimeDirectory() const { return runtime_.path(); }

    // Starts Halvex with the scenario file (empty: the bundle's default one),
    // named by --scenario or by HALVEX_SCENARIO, and waits until its control
    // channel answers. False when it ends or stays silent instead; exitCode()
    // and errorOutput() then tell why.
    bool start(const QString& scenarioPath = QString(), ScenarioBy by = ScenarioBy::Argument,
               int timeoutMs = 10000);
    // Ends Halvex (SIGTERM, then SIGKILL when it lingers).
    void stop();
    bool isRunning() const { return process_.state() != QProcess::NotRunning; }
    bool waitForFinished(int timeoutMs);
    int exitCode() const { return process_.exitCode(); }
    qint64 processId() const { return process_.processId(); }
    // Everything Halvex wrote on its standard error so far (across restarts).
    QString errorOutput();

    // Control requests. Those returning QString give the empty string on
    // success, else Halvex's reason (or why the request went nowhere).
    QString inject(const _UI_MSG& record) { return client_.inject(record); }
    QString step(const QString& name, const ns::Dictionary& arguments = ns::Dictionary())
    {
        return client_.step(name, arguments);
    }
    QString removeDevice() { return step(QStringLiteral("remove")); }
    QString plugDevice() { return step(QStringLiteral("plug")); }
    QString setSignalLevel(int level)
    {
        return step(QStringLiteral("signal"), {{QStringLiteral("level"), level}});
    }
    // Every step Halvex takes, as it lists them; empty when it cannot be reached.
    ns::Array steps() { return client_.steps().value_or(ns::Array()); }
    // Halvex's state: who answers ("ProcessID", "StartTime", "ScenarioPath",
    // "LastReceivedNumber" ...) and the modem's ("Plugged", "SimStatus",
    // "PinAttemptsLeft", "PendingRecords", "Registered", "SignalLevel" ...);
    // nullopt when it cannot be reached.
    std::optional<ns::Dictionary> state() { return client_.state(); }
    // The plain read of what Halvex received: the newest records (at most
    // 256), oldest first; empty when Halvex cannot be reached.
    std::vector<_UI_MSG> receivedRecords()
    {
        return client_.latestReceived().value_or(std::vector<_UI_MSG>());
    }

    // Follows the conversation by Halvex's order numbers: a test takes the
    // position now, acts, then waits for the next record of a kind after it,
    // never for a place in a list. A position of another process (the server
    // restarted in between, or the default position) stands for the start of
    // the running process's logs.
    struct Position {
        qint64 processID = 0;
        quint64 number = 0;
    };
    Position now();
    // Every entry after the position, oldest first.
    std::vector<Entry> receivedSince(const Position& after);
    std::vector<Entry> sentSince(const Position& after);
    // The first record of the kind received (or sent or dropped) after the
    // position; nullopt when none comes within the time.
    std::optional<Entry> nextReceived(MessageID id, const Position& after, int timeoutMs = 10000);
    std::optional<Entry> nextSent(MessageID id, const Position& after, int timeoutMs = 10000);

private:
    using Log = halvex::ControlClient::Log;
    QString errorLogPath() const;
    // The number to read after in the running process's logs.
    quint64 numberAfter(const Position& after);
    std::optional<Entry> next(Log log, MessageID id, const Position& after, int timeoutMs);

    halvex::ControlClient client_;
    QTemporaryDir runtime_;
    std::optional<QByteArray> previousRuntime_;
    QProcess process_;
};
