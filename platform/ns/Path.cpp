#include "platform/ns/Path.h"

#include <QDir>

namespace ns
{

QString stringByExpandingTildeInPath(const QString& path)
{
    if (path == u'~')
        return QDir::homePath();
    if (path.startsWith(QStringLiteral("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

} // namespace ns
