#pragma once

#include "app/ui/controller/JOVUIController.h"
#include "app/ui/skin/JOVUIManager.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/PropertyList.h"
#include "tests/config/ConfigTestSupport.h"

#include <QList>
#include <QString>

#include <memory>

namespace configured_test
{

inline QString fixture(const QString& name)
{
    return QStringLiteral(TRELVAN_FIXTURES_DIR "/ui_configured/") + name;
}

// Settings whose "UIConfig" is the fixture's, with the fixture skin as the current skin.
inline ns::Dictionary settingsWithUIConfig(const ns::Dictionary& more = ns::Dictionary())
{
    ns::Dictionary uiConfig =
        ns::PropertyList::readDictionary(fixture("UIConfig.plist")).value_or(ns::Dictionary());
    uiConfig.setValue("CurrentSkinName", fixture("skin"));
    ns::Dictionary settings{{"UIConfig", uiConfig}};
    for (const auto& [key, value] : more)
        settings.setValue(key, value);
    return settings;
}

// A feature controller that records the actions its configured controls send.
class ConfiguredController : public JOVUIController
{
public:
    explicit ConfiguredController(ConfigManager& store) : JOVUIController(store)
    {
        for (const char* action : {"connect:", "openLink:"})
            registerSelector(action, [this, action](ns::Object* sender) {
                actions.append({action, sender});
            });
    }

    struct Action {
        QString selector;
        ns::Object* sender;
    };
    QList<Action> actions;
};

// A private bundle holding the settings, its store, the skin manager on the
// fixture skin and a controller wired to it, in the English wording.
struct ConfiguredApp {
    explicit ConfiguredApp(const ns::Dictionary& settings = settingsWithUIConfig())
        : bundle(settings), skin(store), controller(store)
    {
        controller.jovSkinManager = &skin;
        Lindora_Init(fixture("English.txt"));
    }

    TemporaryAppBundle bundle;
    ConfigManager store;
    JOVUIManager skin;
    ConfiguredController controller;
};

} // namespace configured_test
