#include "platform/ae/RuntimeDirectory.h"

#include "platform/ae/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace ae
{

namespace
{

QString refuse(const QString& dir, const QString& reason)
{
    qCWarning(lcAppleEvents).noquote() << "runtime folder" << dir << "refused:" << reason;
    return {};
}

QString chosenDirectory()
{
    const QString own = qEnvironmentVariable("TRELVAN_RUNTIME_DIR");
    if (!own.isEmpty())
        return QDir::cleanPath(QDir::current().absoluteFilePath(own));
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg + QStringLiteral("/trelvan"));
    return QStringLiteral("/tmp/trelvan-%1").arg(geteuid());
}

} // namespace

QString runtimeDirectory()
{
    const QString dir = chosenDirectory();
    const QByteArray path = QFile::encodeName(dir);
    struct stat st {
    };
    if (lstat(path.constData(), &st) != 0) {
        if (errno != ENOENT)
            return refuse(dir, QString::fromLocal8Bit(std::strerror(errno)));
        QDir().mkpath(QFileInfo(dir).path());
        if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
            return refuse(dir, QString::fromLocal8Bit(std::strerror(errno)));
        if (lstat(path.constData(), &st) != 0)
            return refuse(dir, QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (S_ISLNK(st.st_mode))
        return refuse(dir, QStringLiteral("it is a symbolic link"));
    if (!S_ISDIR(st.st_mode))
        return refuse(dir, QStringLiteral("it is not a folder"));
    if (st.st_uid != geteuid())
        return refuse(dir, QStringLiteral("it belongs to user %1").arg(st.st_uid));
    if ((st.st_mode & 0777) != 0700)
        return refuse(
            dir, QStringLiteral("its mode is %1, not 700").arg(st.st_mode & 0777, 3, 8, QLatin1Char('0')));
    return dir;
}

QString socketPath(const QString& bundleIdentifier)
{
    if (bundleIdentifier.isEmpty())
        return {};
    const QString dir = runtimeDirectory();
    if (dir.isEmpty())
        return {};
    // Unreserved characters stay; everything else, '/' included, is encoded, and
    // so is a leading dot, so that no identifier names a hidden or parent entry.
    QByteArray name = bundleIdentifier.toUtf8().toPercentEncoding();
    if (name.startsWith('.'))
        name.replace(0, 1, "%2E");
    const QString path = dir + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".sock");
    if (QFile::encodeName(path).size() >= qsizetype(sizeof(sockaddr_un::sun_path))) {
        qCWarning(lcAppleEvents).noquote() << "socket path too long:" << path;
        return {};
    }
    return path;
}

} // namespace ae
