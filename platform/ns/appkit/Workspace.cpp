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

bool Workspace::launchApplication(const QString& application)
{
    if (application.isEmpty())
        return false;
    QString program;
    if (QFileInfo(application).isDir()) {
        if (const std::optional<Bundle> bundle = Bundle::bundleWithPath(application))
            program = bundle->executablePath();
    } else {
        program = QStandardPaths::findExecutable(application);
        if (program.isEmpty())
            program = QStandardPaths::findExecutable(application.toLower());
    }
    return !program.isEmpty() && QFileInfo(program).isExecutable() && QProcess::startDetached(program, {});
}

} // namespace ns
