#include "platform/ns/RuntimeDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <cerrno>
#include <cstring>
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
    if (st.st_uid != ::geteuid())
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

QString runtimeSubdirectory(const QString& name)
{
    const QString base = runtimeDirectory();
    if (base.isEmpty())
        return QString();
    const QString dir = base + u'/' + name;
    return ensurePrivateDirectory(dir) ? dir : QString();
}

} // namespace ns
