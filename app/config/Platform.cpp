#include "app/config/Platform.h"

#include "app/config/ConfigManager.h"

namespace
{

struct DeviceType {
    const char* name; // compared exactly, case included
    Platform::Code code;
};

constexpr DeviceType kDeviceTypes[] = {
    {"Icera", Platform::Icera},
    {"RV52", Platform::RV52},
    {"CDMA", Platform::CDMA},
};

} // namespace

Platform& Platform::sharedPlatform()
{
    static Platform* shared = new Platform(ConfigManager::sharedConfigManager()); // never freed
    return *shared;
}

Platform::Platform(const ConfigManager& store) : platform_(Other)
{
    const QString type =
        store.getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("DeviceType")).toString();
    for (const DeviceType& known : kDeviceTypes) {
        if (type == QLatin1String(known.name)) {
            platform_ = known.code;
            break;
        }
    }
}
