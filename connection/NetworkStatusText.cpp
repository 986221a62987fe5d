#include "connection/NetworkStatusText.h"

#include <QStringList>

namespace network_status
{

bool isUsable(const QString& status)
{
    return !status.isEmpty() && status != QLatin1String("No Service") &&
           status != QLatin1String("Limited Service");
}

bool is2G(const QString& status)
{
    static const QStringList names{QStringLiteral("GSM"), QStringLiteral("EDGE"), QStringLiteral("GPRS"),
                                   QStringLiteral("2G")};
    return names.contains(status);
}

} // namespace network_status
