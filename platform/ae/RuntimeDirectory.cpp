#include "platform/ae/RuntimeDirectory.h"

#include "platform/ae/Logging.h"
#include "platform/ns/RuntimeDirectory.h"

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

QString socketPath(const QString& bundleIdentifier)
{
    if (bundleIdentifier.isEmpty())
        return {};
    const QString dir = ns::runtimeDirectory();
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
