#include "app/ui/skin/JOVUIManager.h"

#include "app/config/ConfigManager.h"
#include "app/config/ConfigService.h"
#include "platform/ns/Bundle.h"

namespace
{

const QString kUIConfig = QStringLiteral("UIConfig");
const QString kCurrentSkinName = QStringLiteral("CurrentSkinName");
const QString kSupportSkinArray = QStringLiteral("SupportSkinArray");
const QString kDefaultSkin = QStringLiteral("defaultSkin");

// The last "/"-separated component of a skin folder path.
QString folderName(const QString& path)
{
    const QStringList components = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return components.isEmpty() ? QString() : components.last();
}

} // namespace

JOVUIManager::JOVUIManager() : JOVUIManager(ConfigManager::sharedConfigManager()) {}

JOVUIManager::JOVUIManager(ConfigManager& store) : UIManager(store)
{
    loadLastUsedUIResource();
}

std::optional<ns::Dictionary> JOVUIManager::configDictionaryOfUI() const
{
    const ns::Value uiConfig = configManager().getConfigurationByModule(kUIConfig);
    if (!uiConfig.isDictionary())
        return std::nullopt;
    return uiConfig.toDictionary();
}

bool JOVUIManager::loadLastUsedUIResource()
{
    const std::optional<ns::Dictionary> uiConfig = configDictionaryOfUI();
    const QString path = uiConfig ? uiConfig->value(kCurrentSkinName).toString() : QString();
    // A skin folder that has gone (the application was moved, say) leaves
    // the default skin in its place rather than no skin at all.
    if (!path.isEmpty() && loadUIResource(path))
        return true;
    return loadUIResourceBySkinName(kDefaultSkin);
}

bool JOVUIManager::loadUIResourceBySkinName(const QString& name)
{
    if (name.isEmpty())
        return false;
    return loadUIResource(ns::Bundle::mainBundle().resourcePath() + QLatin1Char('/') + name);
}

bool JOVUIManager::loadUIResource(const QString& path)
{
    if (!UIManager::loadUIResource(path))
        return false;
    if (!configService().isSkinVersionForZErivad())
        saveCurrentSkinPathToConfig(path);
    return true;
}

void JOVUIManager::saveCurrentSkinPathToConfig(const QString& path)
{
    ns::Dictionary uiConfig = configDictionaryOfUI().value_or(ns::Dictionary()).copy();
    ns::Array skins = uiConfig.value(kSupportSkinArray).toArray().copy();
    if (!skins.contains(path))
        skins.append(path);
    uiConfig.setValue(kSupportSkinArray, skins);
    uiConfig.setValue(kCurrentSkinName, path);
    configManager().setConfigurationByModule(kUIConfig, uiConfig);
    configManager().writeToFile();
}

QString JOVUIManager::currentSkinName() const
{
    const std::optional<ns::Dictionary> uiConfig = configDictionaryOfUI();
    const QString path = uiConfig ? uiConfig->value(kCurrentSkinName).toString() : QString();
    return path.isEmpty() ? kDefaultSkin : folderName(path);
}

void JOVUIManager::removeController(ns::Object* controller)
{
    forgetController(controller);
}

int JOVUIManager::skinCount() const
{
    const std::optional<ns::Dictionary> uiConfig = configDictionaryOfUI();
    return uiConfig ? uiConfig->value(kSupportSkinArray).toArray().count() : 0;
}

QString JOVUIManager::skinNameByIndex(int index) const
{
    const std::optional<ns::Dictionary> uiConfig = configDictionaryOfUI();
    const ns::Array skins = uiConfig ? uiConfig->value(kSupportSkinArray).toArray() : ns::Array();
    if (index < 0 || index >= skins.count())
        return QString();
    return folderName(skins.at(index).toString());
}
