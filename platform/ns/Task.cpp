#include "platform/ns/Task.h"

#include <QFile>
#include <QtDebug>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace ns
{

bool Task::launch()
{
    if (running_ || launchPath_.isEmpty())
        return false;
    const QByteArray path = QFile::encodeName(launchPath_);
    std::vector<QByteArray> args{path};
    for (const QString& a : arguments_)
        args.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int rc = posix_spawn(&pid, path.constData(), nullptr, nullptr, argv.data(), environ);
    if (rc != 0) {
        qWarning("Cannot launch %s: %s", path.constData(), strerror(rc));
        return false;
    }
    pid_ = pid;
    running_ = true;
    return true;
}

void Task::reap(int options)
{
    if (!running_)
        return;
    int status = 0;
    pid_t r;
    do {
        r = waitpid(pid_, &status, options);
    } while (r < 0 && errno == EINTR);
    if (r == pid_ || (r < 0 && errno == ECHILD)) {
        running_ = false;
        status_ = r == pid_ ? (WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)) : -1;
    }
}

bool Task::isRunning()
{
    reap(WNOHANG);
    return running_;
}

void Task::terminate()
{
    if (isRunning())
        ::kill(pid_, SIGTERM);
}

void Task::kill()
{
    if (isRunning())
        ::kill(pid_, SIGKILL);
}

bool Task::waitUntilExit(double timeoutSeconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (isRunning()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

int Task::waitUntilExit()
{
    reap(0);
    return status_;
}

int runShellCommand(const QString& command)
{
    return std::system(command.toLocal8Bit().constData());
}

QByteArray readFirstLineOfShellCommand(const QString& command, int maxBytes)
{
    FILE* pipe = popen(command.toLocal8Bit().constData(), "r");
    if (!pipe)
        return QByteArray();
    QByteArray line(maxBytes + 1, '\0');
    const bool ok = fgets(line.data(), maxBytes, pipe) != nullptr;
    pclose(pipe);
    return ok ? QByteArray(line.constData()) : QByteArray();
}

} // namespace ns
