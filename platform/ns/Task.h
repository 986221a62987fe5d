#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace ns
{

// A child process, as NSTask: launched once, asked whether it still runs,
// terminated with SIGTERM. Dropping the object leaves the process running.
class Task
{
public:
    Task() = default;
    Task(const QString& launchPath, const QStringList& arguments)
        : launchPath_(launchPath), arguments_(arguments)
    {
    }
    Task(const Task&) = delete;
    Task& operator=(const Task&) = delete;

    void setLaunchPath(const QString& path) { launchPath_ = path; }
    QString launchPath() const { return launchPath_; }
    void setArguments(const QStringList& arguments) { arguments_ = arguments; }

    // false when the program cannot be started.
    bool launch();
    bool isRunning();
    void terminate();
    // Ends the process at once (SIGKILL), for one that ignores terminate().
    void kill();
    // Blocks until the process has ended; returns its exit status (-1 when it was not launched).
    int waitUntilExit();
    // Waits at most the given seconds; true when the process has ended.
    bool waitUntilExit(double timeoutSeconds);
    int terminationStatus() const { return status_; }
    pid_t processIdentifier() const { return pid_; }

private:
    void reap(int options);

    QString launchPath_;
    QStringList arguments_;
    pid_t pid_ = 0;
    bool running_ = false;
    int status_ = -1;
};

// The shell tools the system runs: system() and one line of popen().
int runShellCommand(const QString& command);
QByteArray readFirstLineOfShellCommand(const QString& command, int maxBytes);

} // namespace ns
