// The running applications, read from /proc.
#include "platform/ns/appkit/Workspace.h"

#include "platform/ns/Bundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace ns
{

namespace
{

const QString kDeletedSuffix = QStringLiteral(" (deleted)");

// The bundle whose executable the path is: ".../X.app" for ".../X.app/Contents/MacOS/name".
QString bundleOfExecutable(const QString& executable)
{
    const QFileInfo info(executable);
    QDir macOS = info.dir();
    if (macOS.dirName() != u"MacOS" || !macOS.cdUp() || macOS.dirName() != u"Contents" || !macOS.cdUp())
        return QString();
    return macOS.dirName().endsWith(QStringLiteral(".app")) ? macOS.path() : QString();
}

} // namespace

QList<Dictionary> Workspace::runningApplications() const
{
    QList<Dictionary> applications;
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : processes) {
        bool isProcess = false;
        const qint64 pid = name.toLongLong(&isProcess);
        if (!isProcess)
            continue;
        const QString proc = QStringLiteral("/proc/") + name;
        struct stat st {
        };
        if (::stat(QFile::encodeName(proc).constData(), &st) != 0 || st.st_uid != ::getuid())
            continue;
        QString executable = QFile::symLinkTarget(proc + QStringLiteral("/exe"));
        if (executable.endsWith(kDeletedSuffix))
            executable.chop(kDeletedSuffix.size());
        const QString bundlePath = bundleOfExecutable(executable);
        if (bundlePath.isEmpty())
            continue;
        const std::optional<Bundle> bundle = Bundle::bundleWithPath(bundlePath);
        const QString identifier = bundle ? bundle->bundleIdentifier() : QString();
        if (identifier.isEmpty())
            continue;
        applications.append(Dictionary{
            {kApplicationBundleIdentifierKey, identifier},
            {kApplicationPathKey, bundlePath},
            {kApplicationNameKey, QFileInfo(bundlePath).completeBaseName()},
            {kApplicationProcessIdentifierKey, pid},
        });
    }
    return applications;
}

} // namespace ns
