#include "platform/agent/AgentSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace agent
{

AgentSettings readAgentSettings(const QString& path)
{
    AgentSettings settings;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return settings;
    const QString text = QString::fromUtf8(file.readAll());
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == u"ENABLE_UPDATE")
            settings.enableUpdate = value != u"0";
        else if (key == u"ServiceURL")
            settings.serviceURL = value;
    }
    return settings;
}

QString downloadFolderOf(const QString& settingsPath)
{
    QDir library = QFileInfo(settingsPath).absoluteDir(); // .../ModemList/Update
    library.cdUp();                                       // .../ModemList
    library.cdUp();                                       // the library folder
    return QDir::cleanPath(library.absolutePath() + QStringLiteral("/Auto_Update/download"));
}

} // namespace agent
