#include "platform/modeswitch/ModeSwitchControl.h"

#include "platform/ns/RuntimeDirectory.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtDebug>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace modeswitch
{

namespace
{

const QString kDaemonName = QStringLiteral("Pernask");
// How long the daemon may take to end after SIGTERM before it is killed.
constexpr auto kStopWait = std::chrono::seconds(5);
constexpr auto kStartWait = std::chrono::seconds(5);
constexpr int kCommandTimeoutMs = 30 * 1000;

QString inRuntimeFolder(const QString& name)
{
    const QString folder = ns::runtimeDirectory();
    return folder.isEmpty() ? QString() : folder + u'/' + name;
}

// The process holding the write lock on the pid file.
std::optional<pid_t> lockHolder(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct flock query {
    };
    query.l_type = F_WRLCK;
    query.l_whence = SEEK_SET;
    const bool asked = ::fcntl(fd, F_GETLK, &query) == 0;
    ::close(fd);
    if (!asked || query.l_type == F_UNLCK || query.l_pid <= 0)
        return std::nullopt;
    return query.l_pid;
}

// The process runs the daemon's program (a replaced program too) and belongs to this user.
bool isDaemonProcess(pid_t pid)
{
    const QString proc = QStringLiteral("/proc/%1").arg(pid);
    struct stat st {
    };
    if (::stat(QFile::encodeName(proc).constData(), &st) != 0)
        return false;
    if (::geteuid() != 0 && st.st_uid != ::geteuid())
        return false;
    QString executable = QFile::symLinkTarget(proc + QStringLiteral("/exe"));
    executable.remove(QStringLiteral(" (deleted)"));
    return QFileInfo(executable).fileName() == kDaemonName;
}

bool runCommand(const QStringList& command)
{
    QProcess process;
    process.start(command.first(), command.mid(1));
    if (!process.waitForFinished(kCommandTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qWarning("The mode-switch command %s failed", qPrintable(command.join(u' ')));
        return false;
    }
    return true;
}

// Polls until the condition holds or the wait is over; false on time-out.
template <typename Condition> bool waitFor(Condition condition, std::chrono::steady_clock::duration wait)
{
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

bool waitUntilGone(pid_t pid, std::chrono::steady_clock::duration wait)
{
    return waitFor([pid] { return ModeSwitchControl::runningDaemon() != pid; }, wait);
}

} // namespace

ModeSwitchControl::ModeSwitchControl(const QString& daemonPath, const QStringList& stopCommand,
                                     const QStringList& startCommand)
    : daemonPath_(daemonPath), stopCommand_(stopCommand), startCommand_(startCommand)
{
}

QString ModeSwitchControl::pidFilePath()
{
    return inRuntimeFolder(kDaemonName + QStringLiteral(".pid"));
}

QString ModeSwitchControl::markerPath()
{
    return inRuntimeFolder(kDaemonName + QStringLiteral(".stopped"));
}

std::optional<pid_t> ModeSwitchControl::runningDaemon()
{
    const std::optional<pid_t> pid = lockHolder(pidFilePath());
    return pid && isDaemonProcess(*pid) ? pid : std::nullopt;
}

bool ModeSwitchControl::isStoppedForUpdate() const
{
    const QString marker = markerPath();
    return !marker.isEmpty() && QFileInfo::exists(marker);
}

bool ModeSwitchControl::stop()
{
    const QString marker = markerPath();
    QFile markerFile(marker);
    if (marker.isEmpty() || !markerFile.open(QIODevice::WriteOnly))
        qWarning("Cannot note that the mode-switch daemon is stopped");
    markerFile.close();

    if (!stopCommand_.isEmpty())
        return runCommand(stopCommand_);
    const std::optional<pid_t> pid = runningDaemon();
    if (!pid)
        return true;
    ::kill(*pid, SIGTERM);
    if (waitUntilGone(*pid, kStopWait))
        return true;
    qWarning("The mode-switch daemon %d ignores SIGTERM; it is killed", int(*pid));
    if (isDaemonProcess(*pid))
        ::kill(*pid, SIGKILL);
    return waitUntilGone(*pid, kStopWait);
}

bool ModeSwitchControl::start()
{
    bool started;
    if (!startCommand_.isEmpty()) {
        started = runCommand(startCommand_);
    } else {
        // Started means running: the daemon holds its pid file before this
        // answers, so whoever ends right after leaves it running, not starting.
        started = QProcess::startDetached(daemonPath_, {}) &&
                  waitFor([] { return ModeSwitchControl::runningDaemon().has_value(); }, kStartWait);
        if (!started)
            qWarning("Cannot start the mode-switch daemon %s", qPrintable(daemonPath_));
    }
    if (started)
        QFile::remove(markerPath());
    return started;
}

} // namespace modeswitch
