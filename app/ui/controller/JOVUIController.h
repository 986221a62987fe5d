#pragma once

#include "app/config/ConfigManager.h"
#include "app/ui/controller/ObserverTable.h"
#include "app/ui/controller/PluginPrincipal.h"
#include "platform/ns/DateFormatter.h"
#include "platform/ns/Notification.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/Object.h"
#include "platform/ns/ObjectDictionary.h"
#include "platform/ns/Value.h"
#include "platform/ns/appkit/Font.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>

class JOVLanguage;
class JOVMsgCenter;
class JOVUIManager;
class NSWindowExt;
class PluginBundle;

namespace ns
{
class Drawer;
class TabView;
class ToolbarItem;
class View;
class Window;
} // namespace ns

// The base's own observer table: the life-cycle notifications every
// controller may handle ("deviceRemoved:" for "DeviceRemoved" ...).
extern const ObserverTableEntry jovUINotificationTable[];

// The base of every feature controller. A controller is made (constructor),
// wired (the outlets below, set by whoever builds it), then woken with
// awakeFromNib(), which runs the template hooks in a fixed order. The base
// hands the controllers the application's shared objects, posts the
// life-cycle notifications, registers observers from tables, hosts plug-in
// bundles in tab view items, keeps the run-time dictionary inside the
// settings, and formats dates and web links.
//
// Selectors the base answers: "updateLanguages:", "changeMainWindowOfApp:",
// "menuItemAction:" and "tbiMainURLActionExt:". A subclass registers the
// handlers of its notifications with registerSelector() in its constructor;
// table rows whose selector it does not answer are skipped.
class JOVUIController : public ns::Object
{
public:
    // A controller over the live settings of the given store.
    explicit JOVUIController(ConfigManager& store = ConfigManager::sharedConfigManager());
    ~JOVUIController() override;

    // Runs initializeSkin, initializeNibResources, registerMessages,
    // initializeController and loadCommonBundle, then subscribes
    // updateLanguages: (to the language object when there is one, else to
    // "UpdateLanguage"), then registers jovUINotificationTable.
    virtual void awakeFromNib();

    // Outlets, set by whoever builds the controller; none is owned.
    ns::Window* wndMain = nullptr;
    ns::Window* wndSimpleMain_ = nullptr;
    ns::Window* wndCompleteMain_ = nullptr;
    ns::TabView* tabviewMain = nullptr;
    ns::TabView* tabviewSetting = nullptr;
    NSWindowExt* wndMainPopup = nullptr;
    ns::Drawer* drawerMain = nullptr;
    JOVMsgCenter* jovMsgCenter = nullptr;
    JOVUIManager* jovSkinManager = nullptr;
    JOVLanguage* jovLanguage = nullptr; // may stay null

    // Life-cycle notifications, posted on the controller's notification centre.
    void notifyDeviceRemoved();
    void notifyDevicePlugin();
    void notifySimReady();
    void notifyDataServiceSwitch(bool on);
    void notifyAppReady();
    void notifyAppWillClose();
    // Tells the language object to update, or without one posts "UpdateLanguage".
    void notifyChangeLanguage();
    // Shows the tab with the identifier (its skin background first) between
    // "TabViewItemWillChange" and "TabViewItemDidChange"; nothing for an empty identifier.
    void notifyChangeTabViewItem(const QString& identifier);

    // Observes each notification of the table with its selector; rows whose
    // selector this controller does not answer are skipped. False for a null table.
    bool registerNotification(const ObserverTableEntry* table);

    // The shared objects a plug-in receives, only those that are set:
    // "wndMain", "tabviewMain", "wndMainPopup", "jovMsgCenter",
    // "jovSkinManager", "tabviewSetting", "jovLanguage".
    ns::ObjectDictionary objectsDict() const;
    // Loads the bundle of that file name from the application's plug-ins
    // folder, makes its principal object from objectsDict() and shows its
    // view in the main tab with the identifier (the tab's own view is kept).
    // False when an argument is empty, there is no such tab or bundle, or the
    // plug-in does not start; the tab then keeps its view.
    bool loadPlugin(const QString& bundleFileName, const QString& tabIdentifier);
    PluginPrincipal* bundleInstance() const { return bundleInstance_.get(); }

    // The run-time dictionary: "RuntimeData" in the live settings, made
    // (not written) when absent.
    ns::Dictionary runtimeDictionary();
    ns::Value runtimeObjectForKey(const QString& key);
    // Nothing for a null object or an empty key.
    void setRuntimeObject(const ns::Value& object, const QString& key);
    // Removes "RuntimeData" from the settings and writes the settings file.
    void deleteRuntimeDictionary();

    // The settings' "UIConfig" (skin and layout); empty when absent.
    ns::Dictionary uiConfigDict() const;
    // The web-link format stored under key in "webURLDict"; null when absent.
    QString webURLForKey(const QString& key) const;
    // Opens the web link of the item's identifier, its first "%@" given the
    // run-time phone number and its second the IMEI.
    void tbiMainURLActionExt(ns::ToolbarItem* item);
    // Opens the URL in the browser; nothing for a string that is not a URL.
    void openSafari(const QString& url);
    virtual void menuItemAction(ns::Object* sender);

    // The date in the configured calendar format ("CustomDateFormat"), else
    // in the short date and medium time of the locale; empty for a null date.
    QString formatStringFromDate(const QDateTime& date) const;
    // The characters of string that are in characterSet, in order, cut to
    // maxLength; empty for an empty string or set.
    QString trimString(const QString& string, const QString& characterSet, int maxLength) const;
    // True when the toolbar list has an entry whose "itemIdentifier" is identifier.
    bool hasModuleWith(const QString& identifier) const;
    // The display text of a wording key; module 5 (SMS) may rename the Cancel wordings.
    QString getControlWordingValueByKey(const QString& key, int module) const;

    // "MainwindOfAppChanged": a new main window (object information "window")
    // closes the sheets of the current one and becomes wndMain.
    void changeMainWindowOfApp(ns::Object* notification);
    // Ends the sheets attached to wndMain, the innermost first.
    void closeAllSheetsOfMainWnd();

protected:
    // Template hooks, empty in the base.
    virtual void initializeSkin() {}
    virtual void initializeNibResources() {}
    virtual void registerMessages() {}
    virtual void initializeController() {}
    virtual void loadCommonBundle() {}
    // The language changed; the notification is null for the first call.
    virtual void updateLanguages(ns::Notification* /*notification*/) {}

    ConfigManager& configStore() const { return store_; }

    ns::Dictionary settingDict_; // the store's live dictionary itself
    ns::NotificationCenter& notificationCenter;
    ns::Window* currentMainWnd = nullptr;
    std::unique_ptr<ns::View> viewOfOldTavViewItem_;
    std::unique_ptr<PluginBundle> loadedBundle_;
    std::unique_ptr<PluginPrincipal> bundleInstance_;
    ns::DateFormatter systemDateFormat_;
    QString customDateFormat_;     // null when not configured
    std::optional<ns::Font> font_; // the configured interface font
    QString fontName_;
    float fontSize_ = 0;
    int numberOfShakes = 8;
    float durationOfShake = 0.5f; // seconds
    float vigourOfShake = 0.05f;
    ns::View* viewCurrent_ = nullptr;

private:
    ConfigManager& store_;
};
