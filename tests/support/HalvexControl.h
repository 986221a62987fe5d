#pragma once

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
    // Everything Halvex wrote on its standard error so far.
    QString errorOutput();

    // Control requests. Those returning QString give the empty string on
    // success, else Halvex's reason (or why the request went nowhere).
    QString inject(const _UI_MSG& record);
    QString step(const QString& name, const ns::Dictionary& arguments = ns::Dictionary());
    QString removeDevice() { return step(QStringLiteral("remove")); }
    QString plugDevice() { return step(QStringLiteral("plug")); }
    QString setSignalLevel(int level)
    {
        return step(QStringLiteral("signal"), {{QStringLiteral("level"), level}});
    }
    // The records Halvex has received from the manager, oldest first; empty
    // when Halvex cannot be reached.
    std::vector<_UI_MSG> receivedRecords();
    // Halvex's state ("Plugged", "SimStatus", "PinAttemptsLeft",
    // "PukAttemptsLeft", "PendingRecords", "Registered", "SignalLevel" ...);
    // nullopt when it cannot be reached.
    std::optional<ns::Dictionary> state();

private:
    QTemporaryDir runtime_;
    std::optional<QByteArray> previousRuntime_;
    QProcess process_;
    QByteArray errorOutput_;
};
