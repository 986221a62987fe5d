#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include <sys/types.h>

namespace modeswitch
{

// Stops and starts the USB mode-switch daemon Pernask around an update.
//
// The daemon holds a lock on its pid file, "Pernask.pid" in the runtime
// folder, for as long as it runs; the process that holds the lock is the
// daemon, checked through /proc to run the Pernask program of this user
// before it is signalled (never found or signalled by name). It is started
// detached, so it outlives the update manager.
//
// Argument vectors may replace both steps (a system whose daemon is a
// service of its own); each is run and waited for.
//
// While the update manager has the daemon stopped, a marker,
// "Pernask.stopped", lies in the runtime folder: an update manager that ends
// without starting it again leaves the marker for the next one.
class ModeSwitchControl
{
public:
    explicit ModeSwitchControl(const QString& daemonPath, const QStringList& stopCommand = {},
                               const QStringList& startCommand = {});

    // Stops the daemon and leaves the marker; false when it still runs.
    bool stop();
    // Starts the daemon and removes the marker; false when it cannot be started.
    bool start();
    // The marker lies there: the daemon was stopped and not started again.
    bool isStoppedForUpdate() const;

    // The pid of the running daemon, if one runs.
    static std::optional<pid_t> runningDaemon();
    static QString pidFilePath();
    static QString markerPath();

private:
    QString daemonPath_;
    QStringList stopCommand_;
    QStringList startCommand_;
};

} // namespace modeswitch
