#include "platform/ns/appkit/Workspace.h"

#include <QDesktopServices>

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

} // namespace ns
