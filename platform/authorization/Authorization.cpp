#include "platform/authorization/Authorization.h"

#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace authorization
{

namespace
{

const QString kDefaultPkexec = QStringLiteral("/usr/bin/pkexec");
QString pkexecOverride;
std::optional<bool> rootOverride;

constexpr int kPkexecDismissed = 126;
constexpr int kPkexecRefused = 127;

const QByteArray kStartedLine = "started";

// Reads the child's output line by line until "started" or its end.
bool awaitStartedLine(int fd)
{
    QByteArray line;
    char c;
    for (;;) {
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        if (c != '\n') {
            if (line.size() < 256)
                line.append(c);
            continue;
        }
        if (line == kStartedLine)
            return true;
        line.clear();
    }
}

int exitCodeOf(pid_t pid)
{
    int status = 0;
    pid_t r;
    do {
        r = ::waitpid(pid, &status, 0);
    } while (r < 0 && errno == EINTR);
    if (r != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

void Authorization::setPkexecPath(const QString& path)
{
    pkexecOverride = path;
}

QString Authorization::pkexecPath()
{
    return pkexecOverride.isEmpty() ? kDefaultPkexec : pkexecOverride;
}

void Authorization::setRunsAsRoot(std::optional<bool> root)
{
    rootOverride = root;
}

bool Authorization::runsAsRoot()
{
    return rootOverride.value_or(::geteuid() == 0);
}

std::unique_ptr<Authorization> Authorization::create(Status* status)
{
    if (runsAsRoot()) {
        *status = errAuthorizationSuccess;
        return std::unique_ptr<Authorization>(new Authorization(false));
    }
    const QFileInfo pkexec(pkexecPath());
    if (!pkexec.isFile() || !pkexec.isExecutable()) {
        qWarning("pkexec is not installed (%s): administrator rights cannot be asked for",
                 qPrintable(pkexecPath()));
        *status = errAuthorizationDenied;
        return nullptr;
    }
    *status = errAuthorizationSuccess;
    return std::unique_ptr<Authorization>(new Authorization(true));
}

Authorization::~Authorization()
{
    reapTool();
}

void Authorization::reapTool()
{
    if (tool_ && ::waitpid(*tool_, nullptr, WNOHANG) != 0)
        tool_.reset();
}

Status Authorization::executeWithPrivileges(const QString& tool, const QStringList& arguments)
{
    reapTool();
    std::vector<QByteArray> args;
    if (usesPkexec_)
        args.push_back(QFile::encodeName(pkexecPath()));
    args.push_back(QFile::encodeName(tool));
    for (const QString& argument : arguments)
        args.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : args)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0) {
        qWarning("Cannot make a pipe for %s: %s", qPrintable(tool), std::strerror(errno));
        return errAuthorizationToolExecuteFailure;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, argv.front(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    if (spawned != 0) {
        ::close(output[0]);
        qWarning("Cannot run %s: %s", argv.front(), std::strerror(spawned));
        return errAuthorizationToolExecuteFailure;
    }
    const bool started = awaitStartedLine(output[0]);
    ::close(output[0]);
    if (started) {
        tool_ = pid;
        return errAuthorizationSuccess;
    }
    const int code = exitCodeOf(pid);
    if (usesPkexec_ && code == kPkexecDismissed)
        return errAuthorizationCanceled;
    if (usesPkexec_ && code == kPkexecRefused)
        return errAuthorizationDenied;
    qWarning("%s ended (%d) before its work started", qPrintable(tool), code);
    return errAuthorizationToolExecuteFailure;
}

} // namespace authorization
