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
class NSViewExt;
class NSWindowExt;
class PluginBundle;

namespace ns
{
class Drawer;
class ImageView;
class Menu;
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
    // plug-in does not start; the tab then keeps its view, and a plug-in
    // loaded before stays loaded.
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
    // The format with its "%@" conversions given the two strings in turn ("%1$@"
    // and "%2$@" name one of them); further "%@" get nothing, "%%" is a percent
    // sign, and any other conversion stays as written (web links hold
    // percent-escapes such as "%20").
    static QString formatWithTwoStrings(const QString& format, const QString& first, const QString& second);
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

    // ---- Controls, menus, the drawer and window sizes from "UIConfig" (JOVUIControllerControls.cpp ...)
    // ----

    // Each builds, in order, the controls described by the array under key in
    // uiConfigDict() into the parent, each registered with the skin manager
    // under its name (registerController); entries lacking a required key are
    // skipped. True when at least one control was built.
    // Buttons need "itemIdentifier", "itemName" and "itemAction"; they are
    // hover buttons targeting this controller.
    bool initializeBtnsOfView(ns::View* parent, const QString& key);
    // Labels need "itemName".
    bool initializeLabelsOfView(ns::View* parent, const QString& key);
    // Boxes need "Name" and "Title"; matrices (radio mode) need "Name".
    bool initializeNSBoxOfView(ns::View* parent, const QString& key);
    bool initializeNSMatrixOfView(ns::View* parent, const QString& key);
    // The array holds names, one image view each; false always.
    bool initializeImageViewOfView(ns::View* parent, const QString& key);
    // Tab view items need "itemName" and "itemIdentifier": each page is a
    // background view registered under the name inside a plain view, and the
    // item is registered under the name too.
    bool initializeTabViewItemOfView(ns::TabView* tabView, const QString& key);
    // A background view or a 1 by 1 image view registered under the name in
    // the parent; null when registration fails.
    NSViewExt* createNSViewExtByKey(const QString& name, ns::View* superView);
    ns::ImageView* createNSImageViewByKey(const QString& name, ns::View* superView);
    // Registers the control with the skin manager (dressing it at once) and,
    // when that succeeds, hands it to the superview. False for a missing
    // control, name, superview or skin manager.
    bool registerController(ns::View* control, const QString& name, ns::View* superview);

    // A menu titled "popupMenu" of the described items; null for an empty array.
    std::unique_ptr<ns::Menu> createPopUpMenuFromConfig(const ns::Array& items);
    // Adds the described item (a separator when "separatorItem" is set; the
    // title is the wording key as it stands), registers it under
    // "menuItemName" and attaches its submenu.
    void createMenuItem(const ns::Dictionary& description, ns::Menu* menu);
    // Sets the localised tool tips, button titles and menu titles of the
    // controls described under key, and sizes each control to fit.
    void updateLanguagesOfDynamicItem(const QString& key);
    // The localised titles of the registered menu items, submenus depth first.
    void updateMenuLanguage(const ns::Array& items);
    // Dresses again, or enables or disables, the controls described under key.
    void updateDynamicControllersByKey(const QString& key);
    void setDynamicControllersEnabledByKey(const QString& key, bool enableState);
    // Gives the main window, its title bar, right bar and status view the
    // skin image of that name and dresses their configured controls again.
    void updateDynamicItemsByModule(const QString& imageName);

    // Builds drawerMain from "DrawerInfoDict" (nothing without it) beside
    // wndMain, with the buttons of "DrawerItems".
    void initializeDrawer();
    // The drawer's offsets of the "OffsetInfoArray" entry of that name.
    void updateDrawerOffsetByWindow(const QString& name);
    // Applies the window-size description of key in "changeWndInfo": the
    // views "viewTopFixed" and "viewMiddleChangeable" and the size of
    // wndMain, whose top stays inside the visible screen.
    void changeMainTabViewItemSize(const QString& key);

    // ---- Event sounds (JOVUIControllerSounds.cpp; see EventSoundPlayer) ----

    // Plays the sound of the type (EventSoundType) unless the call ring plays.
    void playSound(int type);
    // The same, stopped after the given seconds (not the ring).
    void playSound(int type, double time);
    void stopSound();
    // Stops the current sound only when it is of the type.
    void stopSound(int type);
    // Plays for "PlaySoundTime" seconds (3 when it is not set).
    void playShortSound(int type);
    // The incoming-call preview: for the ring while a sound plays, stops it;
    // otherwise plays the type.
    void experienceIncomingcallSond(int type);
    // Plays the quitting sound for 2 seconds, taking no user input meanwhile.
    void playCloseSound();
    bool isSoundMute(int type) const;
    // Stores the mute switch (its negation when Setting/"AlertNotMuteSet" is
    // set) and writes the settings file.
    void setSoundType(int type, bool mute);
    // Stores the file name and writes the settings file; nothing for a null name.
    void setSoundFileName(int type, const QString& name);
    // The stored file name of the type and its settings key; null outside the five types.
    QString soundFileName(int type) const;
    QString filenameKeyOfSound(int type) const;

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
    // The descriptions under the key of uiConfigDict().
    ns::Array configuredItems(const QString& key) const;
    // The control registered under the description's "itemName".
    ns::Object* configuredControl(const ns::Dictionary& description) const;
    // The sound file of the type: a relative name lies in the data folder.
    QString soundFilePath(int type) const;

    ConfigManager& store_;
    std::unique_ptr<ns::Drawer> drawer_; // drawerMain when built from configuration
};
