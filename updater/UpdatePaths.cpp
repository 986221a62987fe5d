#include "updater/UpdatePaths.h"

#include "app/config/ConfigManager.h"

#include <QDir>
#include <QFileInfo>
#include <QtDebug>

#include <sys/stat.h>

namespace UpdatePaths
{

QString libraryRoot()
{
    if (const QString root = qEnvironmentVariable("VARNOCK_LIBRARY_ROOT"); !root.isEmpty())
        return QDir::cleanPath(root);
    const QString modemList = ConfigManager::sharedConfigManager().modemListPath();
    if (modemList.isEmpty())
        return kLibraryFolder;
    return QFileInfo(QDir::cleanPath(modemList)).absolutePath();
}

QString localPath(const QString& macPath)
{
    if (macPath != kLibraryFolder && !macPath.startsWith(kLibraryFolder + u'/'))
        return macPath;
    return libraryRoot() + macPath.mid(kLibraryFolder.size());
}

bool ensureDownloadFolder()
{
    const QString folder = localPath(kDownloadFolder);
    if (QFileInfo(folder).isDir())
        return true;
    if (!QDir().mkpath(QFileInfo(folder).absolutePath()) ||
        ::mkdir(QFile::encodeName(folder).constData(), S_IRWXU) != 0) {
        qWarning("Cannot create the download folder %s", qPrintable(folder));
        return false;
    }
    return true;
}

} // namespace UpdatePaths
