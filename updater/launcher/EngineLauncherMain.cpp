// EngineLauncher <archive> <size> <sha256>: run as administrator (by pkexec,
// or directly by an update manager that runs as root), it installs a
// connection-manager package. It copies the downloaded archive into a fresh
// folder that only it may write, checks the copy against the package's size
// and SHA-256 digest, unpacks it there and runs the package's installer tool,
// "Engine -u", in the package's folder. Once the tool runs it prints
// "started"; when the tool ends it removes the folder and ends with the tool's
// status.
//
// The tool reports to the user's update manager through the user's runtime
// folder: TRELVAN_RUNTIME_DIR names it (for pkexec's PKEXEC_UID the user's
// own, else the one inherited).
#include "platform/ns/RuntimeDirectory.h"
#include "updater/launcher/PackageArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{

// Exit statuses before the tool runs (never pkexec's own 126 and 127).
enum LauncherStatus : int {
    kUsage = 2,
    kNoFolder = 3,
    kNotThePackage = 4,
    kCannotUnpack = 5,
    kNoTool = 6,
    kCannotRunTool = 7,
};

const QString kToolName = QStringLiteral("Engine");

int fail(int status, const QString& reason)
{
    std::fprintf(stderr, "EngineLauncher: %s\n", qPrintable(reason));
    return status;
}

// A folder of its own under TMPDIR (when absolute) or /tmp, mode 0700.
QString makeWorkFolder()
{
    QString base = qEnvironmentVariable("TMPDIR");
    if (!QDir::isAbsolutePath(base) || !QFileInfo(base).isDir())
        base = QStringLiteral("/tmp");
    QByteArray pattern = QFile::encodeName(QDir::cleanPath(base) + QStringLiteral("/varnock-engine-XXXXXX"));
    return ::mkdtemp(pattern.data()) ? QFile::decodeName(pattern) : QString();
}

void setRuntimeFolder()
{
    bool ok = false;
    const uint uid = qEnvironmentVariable("PKEXEC_UID").toUInt(&ok);
    if (ok)
        qputenv("TRELVAN_RUNTIME_DIR", QFile::encodeName(ns::runtimeDirectoryOfUser(uid_t(uid))));
}

// The unpacked tool: a regular file (no link) in a real folder.
bool isPlainTool(const QString& packageFolder, const QString& tool)
{
    struct stat st {
    };
    return ::lstat(QFile::encodeName(packageFolder).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           ::lstat(QFile::encodeName(tool).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

int waitFor(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int install(const QStringList& arguments, const QString& work)
{
    bool sizeOk = false;
    const qint64 size = arguments.at(1).toLongLong(&sizeOk);
    const QByteArray digest = QByteArray::fromHex(arguments.at(2).toLatin1());
    if (!sizeOk || size < 0 || arguments.at(2).size() != 64 || digest.size() != 32)
        return fail(kUsage, QStringLiteral("the package's size or SHA-256 digest is not readable"));

    QString copy, error;
    if (!launcher::copyVerified(arguments.at(0), work, size, digest, &copy, &error))
        return fail(kNotThePackage, error);
    if (!launcher::unpack(copy, work, &error))
        return fail(kCannotUnpack, error);
    QFile::remove(copy);

    const QString packageFolder = work + u'/' + launcher::topFolderOf(copy);
    const QString tool = packageFolder + u'/' + kToolName;
    if (!isPlainTool(packageFolder, tool) || ::chmod(QFile::encodeName(tool).constData(), 0700) != 0)
        return fail(kNoTool, QStringLiteral("the package holds no installer tool %1").arg(kToolName));

    setRuntimeFolder();
    if (::chdir(QFile::encodeName(packageFolder).constData()) != 0)
        return fail(kCannotRunTool, QStringLiteral("cannot enter %1").arg(packageFolder));
    QByteArray toolPath = QFile::encodeName(tool);
    QByteArray option = "-u";
    char* argv[] = {toolPath.data(), option.data(), nullptr};
    // The tool writes to the launcher's error channel; the standard output is
    // the update manager's, for the one line.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, toolPath.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return fail(kCannotRunTool, QStringLiteral("cannot run %1").arg(tool));
    std::fputs("started\n", stdout);
    std::fflush(stdout);
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    const int status = waitFor(pid);
    (void)::chdir("/");
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    ::umask(077);
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() != 3)
        return fail(kUsage, QStringLiteral("usage: EngineLauncher <archive> <size> <sha256>"));
    const QString work = makeWorkFolder();
    if (work.isEmpty())
        return fail(kNoFolder, QStringLiteral("cannot make a folder of its own"));
    const int status = install(arguments, work);
    QDir(work).removeRecursively();
    return status;
}
