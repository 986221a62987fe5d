#include "platform/ns/RuntimeDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace ns
{

namespace
{

bool refuse(const QString& dir, const QString& reason)
{
    qWarning("Runtime folder %s refused: %s", qPrintable(dir), qPrintable(reason));
    return false;
}

QString chosenDirectory()
{
    const QString own = qEnvironmentVariable("TRELVAN_RUNTIME_DIR");
    if (!own.isEmpty())
        return QDir::cleanPath(QDir::current().absoluteFilePath(own));
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg + QStringLiteral("/trelvan"));
    return QStringLiteral("/tmp/trelvan-%1").arg(::geteuid());
}

// The user a root process works for when pkexec started it (PKEXEC_UID).
std::optional<uid_t> invokingUser()
{
    bool ok = false;
    const uint uid = qEnvironmentVariable("PKEXEC_UID").toUInt(&ok);
    return ok ? std::optional<uid_t>(uid_t(uid)) : std::nullopt;
}

// A folder of ours, or, in a root process working for a user, of that user.
bool isOwnedByUs(uid_t owner)
{
    if (owner == ::geteuid())
        return true;
    return ::geteuid() == 0 && invokingUser() == owner;
}

} // namespace

bool ensurePrivateDirectory(const QString& dir)
{
    const QByteArray path = QFile::encodeName(dir);
    struct stat st {
    };
    if (::lstat(path.constData(), &st) != 0) {
        if (errno != ENOENT)
            return refuse(dir, QString::fromLocal8Bit(std::strerror(errno)));
        QDir().mkpath(QFileInfo(dir).path());
        if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
            return refuse(dir, QString::fromLocal8Bit(std::strerror(errno)));
        if (::lstat(path.constData(), &st) != 0)
            return refuse(dir, QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (S_ISLNK(st.st_mode))
        return refuse(dir, QStringLiteral("it is a symbolic link"));
    if (!S_ISDIR(st.st_mode))
        return refuse(dir, QStringLiteral("it is not a folder"));
    if (!isOwnedByUs(st.st_uid))
        return refuse(dir, QStringLiteral("it belongs to user %1").arg(st.st_uid));
    if ((st.st_mode & 0777) != 0700)
        return refuse(
            dir, QStringLiteral("its mode is %1, not 700").arg(st.st_mode & 0777, 3, 8, QLatin1Char('0')));
    return true;
}

QString runtimeDirectory()
{
    const QString dir = chosenDirectory();
    return ensurePrivateDirectory(dir) ? dir : QString();
}

QString runtimeDirectoryOfUser(uid_t uid)
{
    const QString session = QStringLiteral("/run/user/%1").arg(uid);
    struct stat st {
    };
    if (::lstat(QFile::encodeName(session).constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == uid)
        return session + QStringLiteral("/trelvan");
    return QStringLiteral("/tmp/trelvan-%1").arg(uid);
}

QString runtimeSubdirectory(const QString& name)
{
    const QString base = runtimeDirectory();
    if (base.isEmpty())
        return QString();
    const QString dir = base + u'/' + name;
    return ensurePrivateDirectory(dir) ? dir : QString();
}

} // namespace ns
