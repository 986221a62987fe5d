#include "platform/ns/RuntimeDirectory.h"

#include <QFile>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace ns {

bool ensurePrivateDirectory(const QString& path)
{
    const QByteArray p = QFile::encodeName(path);
    if (::mkdir(p.constData(), 0700) != 0 && errno != EEXIST) {
        qWarning("Cannot create %s: %s", p.constData(), strerror(errno));
        return false;
    }
    struct stat st {};
    if (::lstat(p.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 0077) != 0) {
        qWarning("Refusing %s: not a private folder of this user", p.constData());
        return false;
    }
    return true;
}

QString runtimeDirectory()
{
    QString dir = qEnvironmentVariable("TRELVAN_RUNTIME_DIR");
    if (dir.isEmpty()) {
        const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
        dir = xdg.isEmpty() ? QStringLiteral("/tmp/trelvan-%1").arg(::getuid()) : xdg + QStringLiteral("/trelvan");
    }
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
