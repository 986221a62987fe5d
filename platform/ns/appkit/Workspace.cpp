#include "platform/ns/appkit/Workspace.h"

#include "platform/ns/Bundle.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace ns
{

Workspace& Workspace::sharedWorkspace()
{
    static Workspace workspace;
    return workspace;
}

bool Workspace::openURL(const QUrl& url)
{
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool Workspace::openFile(const QString& path)
{
    return QFileInfo(path).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool Workspace::openFile(const QString& path, const QString& application)
{
    if (!QFileInfo(path).isFile())
        return false;
    const QString program = programOfApplication(application);
    return !program.isEmpty() && QProcess::startDetached(program, {QFileInfo(path).absoluteFilePath()});
}

bool Workspace::launchApplication(const QString& application)
{
    const QString program = programOfApplication(application);
    return !program.isEmpty() && QProcess::startDetached(program, {});
}

QString Workspace::programOfApplication(const QString& application)
{
    if (application.isEmpty())
        return QString();
    QString program;
    if (QFileInfo(application).isDir()) {
        if (const std::optional<Bundle> bundle = Bundle::bundleWithPath(application))
            program = bundle->executablePath();
    } else {
        program = QStandardPaths::findExecutable(application);
        if (program.isEmpty())
            program = QStandardPaths::findExecutable(application.toLower());
    }
    return !program.isEmpty() && QFileInfo(program).isExecutable() ? program : QString();
}

} // namespace ns
