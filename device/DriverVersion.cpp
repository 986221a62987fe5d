#include "device/DriverVersion.h"

#include "platform/ns/Bundle.h"

#include <QFile>

namespace
{

constexpr qint64 kVersionCap = 256;

QString moduleVersion(const QString& moduleFolder, const char* module)
{
    QFile file(moduleFolder + u'/' + QLatin1StringView(module) + QStringLiteral("/version"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.read(kVersionCap)).trimmed();
}

} // namespace

QString getDriverVersion(int platform, const QString& moduleFolder)
{
    const QString fromBundle =
        ns::Bundle::mainBundle().objectForInfoDictionaryKey(QStringLiteral("DriverVersion")).toString();
    return fromBundle.isNull() ? getDataCardDriverVersion(platform, moduleFolder) : fromBundle;
}

QString getDataCardDriverVersion(int platform, const QString& moduleFolder)
{
    if (platform == 1)
        return moduleVersion(moduleFolder, "cdc_acm").section(u',', 0, 0);
    for (const char* module : {"option", "cdc_acm", "cdc_ncm", "qmi_wwan"}) {
        const QString version = moduleVersion(moduleFolder, module);
        if (!version.isEmpty())
            return version;
    }
    return QStringLiteral("");
}
