#include "connection/DialService.h"

#include "app/config/ConfigService.h"

DialService& DialService::sharedDialService()
{
    static DialService* shared = new DialService(ConfigService::sharedConfigService()); // never freed
    return *shared;
}

DialService::DialService(const ConfigService& switches) : switches_(switches) {}

QString DialService::filterIPAddress(const QString& address) const
{
    if (switches_.isNotShowIPAddressWhenDhcpFailed() && address.startsWith(QLatin1String("169.254")))
        return QString();
    return address;
}
