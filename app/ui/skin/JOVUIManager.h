#pragma once

#include "app/ui/skin/UIManager.h"

// The application's skin manager: the skin in use is chosen in the settings
// module "UIConfig" ("CurrentSkinName", the path of its folder) and every
// skin loaded is remembered there ("SupportSkinArray"). Made once at start-up
// and shared by the feature controllers; it loads the last skin used, or the
// bundle's "defaultSkin".
class JOVUIManager : public UIManager
{
public:
    // Over the shared settings store.
    JOVUIManager();
    explicit JOVUIManager(ConfigManager& store);

    // The "UIConfig" module of the settings; nothing when it is absent.
    std::optional<ns::Dictionary> configDictionaryOfUI() const;
    bool loadLastUsedUIResource();
    // Loads the skin folder of that name in the application's resources.
    bool loadUIResourceBySkinName(const QString& name);
    // Loads the folder and, unless the Zerivad skin versions are configured,
    // makes it the current skin in the settings.
    bool loadUIResource(const QString& path) override;
    // Makes the path the current skin in "UIConfig", adds it to the skins
    // used so far, and writes the settings file.
    void saveCurrentSkinPathToConfig(const QString& path);
    // The folder name of the current skin; "defaultSkin" when none is set.
    QString currentSkinName() const;
    // Forgets the registration of the object, so that it may be registered again.
    void removeController(ns::Object* controller);
    // The skins used so far, and the folder name of one of them (null out of range).
    int skinCount() const;
    QString skinNameByIndex(int index) const;
};
