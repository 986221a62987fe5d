#include "app/ui/controller/JOVUIController.h"

#include "app/config/ConfigService.h"
#include "app/language/JOVLanguage.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/PluginBundle.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "app/ui/skin/JOVUIManager.h"
#include "app/ui/widgets/NSTabViewExt.h"
#include "app/ui/widgets/NSWindowExt.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Drawer.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/Toolbar.h"
#include "platform/ns/appkit/Window.h"
#include "platform/ns/appkit/Workspace.h"

#include <QDir>
#include <QList>
#include <QUrl>
#include <QtDebug>

#include <algorithm>

const ObserverTableEntry jovUINotificationTable[] = {
    {"deviceRemoved:", "DeviceRemoved"},
    {"devicePlugin:", "DevicePlugin"},
    {"simReady:", "SimReady"},
    {"setDataServicesStatus:", "DataServiceSwitch"},
    {"tabViewItemWillChange:", "TabViewItemWillChange"},
    {"tabViewItemDidChange:", "TabViewItemDidChange"},
    {"applicationReady:", "AppReady"},
    {"applicationWillClose:", "AppWillClose"},
    {"connectStatusDidChange:", "ConnectStatusDidChange"},
    {"isAbleToConnect:", "IsAbleToConnect"},
    {"dialConnectStart:", "StartConnection"},
    {nullptr, nullptr},
};

namespace
{

const QString kUIConfigKey = QStringLiteral("UIConfig");
const QString kWebURLDictKey = QStringLiteral("webURLDict");
const QString kTabviewBackKey = QStringLiteral("wndMainTabviewBack");

} // namespace

QString JOVUIController::formatWithTwoStrings(const QString& format, const QString& first,
                                              const QString& second)
{
    const QString arguments[] = {first, second};
    int next = 0;
    QString result;
    for (int i = 0; i < format.size(); ++i) {
        const QStringView rest = QStringView(format).mid(i);
        if (rest.startsWith(u"%%")) {
            result += u'%';
            ++i;
        } else if (rest.startsWith(u"%@")) {
            if (next < 2)
                result += arguments[next];
            ++next;
            ++i;
        } else if (rest.startsWith(u"%1$@") || rest.startsWith(u"%2$@")) {
            result += arguments[rest.at(1) == u'1' ? 0 : 1];
            i += 3;
        } else {
            result += format.at(i);
        }
    }
    return result;
}

JOVUIController::JOVUIController(ConfigManager& store)
    : settingDict_(store.getConfiguration()), notificationCenter(ns::NotificationCenter::defaultCenter()),
      systemDateFormat_(ns::DateFormatterShortStyle, ns::DateFormatterMediumStyle), store_(store)
{
    const ConfigService config(store);
    customDateFormat_ = config.getUIDateFormat();
    if (const std::optional<ns::Dictionary> font = config.getUIFont()) {
        fontName_ = font->value(QStringLiteral("FontName")).toString();
        fontSize_ = font->value(QStringLiteral("FontSize")).floatValue();
        font_ = ns::Font::fontWithName(fontName_, fontSize_);
    }

    registerSelector(QStringLiteral("updateLanguages:"), [this](ns::Object* argument) {
        updateLanguages(dynamic_cast<ns::Notification*>(argument));
    });
    registerSelector(QStringLiteral("menuItemAction:"),
                     [this](ns::Object* sender) { menuItemAction(sender); });
    registerSelector(QStringLiteral("changeMainWindowOfApp:"), &JOVUIController::changeMainWindowOfApp);
    registerSelector(QStringLiteral("tbiMainURLActionExt:"), &JOVUIController::tbiMainURLActionExt);
}

JOVUIController::~JOVUIController()
{
    stopSound();
    notificationCenter.removeObserver(this);
}

void JOVUIController::awakeFromNib()
{
    initializeSkin();
    initializeNibResources();
    registerMessages();
    initializeController();
    loadCommonBundle();

    const QString updateLanguagesSelector = QStringLiteral("updateLanguages:");
    if (respondsToSelector(updateLanguagesSelector)) {
        if (jovLanguage)
            jovLanguage->registerObserver(this, updateLanguagesSelector, true);
        else
            notificationCenter.addObserver(this, updateLanguagesSelector, kUpdateLanguageNotification,
                                           nullptr);
    }
    registerNotification(jovUINotificationTable);
}

// ---- posting ----

void JOVUIController::notifyDeviceRemoved()
{
    notificationCenter.postNotificationName(kDeviceRemovedNotification, this);
}

void JOVUIController::notifyDevicePlugin()
{
    notificationCenter.postNotificationName(kDevicePluginNotification, this);
}

void JOVUIController::notifySimReady()
{
    notificationCenter.postNotificationName(kSimReadyNotification, this);
}

void JOVUIController::notifyDataServiceSwitch(bool on)
{
    notificationCenter.postNotificationName(kDataServiceSwitchNotification, this,
                                            ns::Dictionary{{kDataServiceSwitchNotification, on}});
}

void JOVUIController::notifyAppReady()
{
    notificationCenter.postNotificationName(kAppReadyNotification, this);
}

void JOVUIController::notifyAppWillClose()
{
    notificationCenter.postNotificationName(kAppWillCloseNotification, this);
}

void JOVUIController::notifyChangeLanguage()
{
    if (jovLanguage)
        jovLanguage->update();
    else
        notificationCenter.postNotificationName(kUpdateLanguageNotification, this);
}

void JOVUIController::notifyChangeTabViewItem(const QString& identifier)
{
    if (identifier.isEmpty())
        return;
    if (jovSkinManager)
        jovSkinManager->setImageForKeyImageName(kTabviewBackKey, identifier, true);
    const ns::Dictionary userInfo{{kTabViewItemWillChangeNotification, identifier}};
    notificationCenter.postNotificationName(kTabViewItemWillChangeNotification, nullptr, userInfo);
    if (tabviewMain)
        tabviewMain->selectTabViewItemWithIdentifier(identifier);
    notificationCenter.postNotificationName(kTabViewItemDidChangeNotification, nullptr, userInfo);
}

bool JOVUIController::registerNotification(const ObserverTableEntry* table)
{
    if (!table)
        return false;
    for (const ObserverTableEntry* row = table; row->selector && row->notification; ++row) {
        const QString selector = QString::fromLatin1(row->selector);
        if (respondsToSelector(selector))
            notificationCenter.addObserver(this, selector, QString::fromLatin1(row->notification), nullptr);
    }
    return true;
}

// ---- plug-ins ----

ns::ObjectDictionary JOVUIController::objectsDict() const
{
    ns::ObjectDictionary objects;
    objects.setObject(QStringLiteral("wndMain"), wndMain);
    objects.setObject(QStringLiteral("tabviewMain"), tabviewMain);
    objects.setObject(QStringLiteral("wndMainPopup"), wndMainPopup);
    objects.setObject(QStringLiteral("jovMsgCenter"), jovMsgCenter);
    objects.setObject(QStringLiteral("jovSkinManager"), jovSkinManager);
    objects.setObject(QStringLiteral("tabviewSetting"), tabviewSetting);
    objects.setObject(QStringLiteral("jovLanguage"), jovLanguage);
    return objects;
}

bool JOVUIController::loadPlugin(const QString& bundleFileName, const QString& tabIdentifier)
{
    if (bundleFileName.isEmpty() || tabIdentifier.isEmpty())
        return false;
    ns::TabViewItem* item = NSTabViewExt::tabViewItemOfIdentifier(tabviewMain, tabIdentifier);
    if (!item)
        return false;

    // A plug-in loaded before stays in place until a new one has started:
    // its view may still be showing in another tab.
    std::unique_ptr<PluginBundle> bundle = PluginBundle::bundleWithPath(
        QDir(ns::Bundle::mainBundle().builtInPlugInsPath()).filePath(bundleFileName));
    std::unique_ptr<PluginPrincipal> principal = bundle ? bundle->principalObject(objectsDict()) : nullptr;
    if (!principal)
        return false;
    loadedBundle_ = std::move(bundle);
    bundleInstance_ = std::move(principal);
    ns::View* view = bundleInstance_->bundleView();
    if (!view) {
        // The tab keeps its own view rather than showing nothing.
        qWarning("The plug-in %s has no view for the tab %s", qPrintable(bundleFileName),
                 qPrintable(tabIdentifier));
        return false;
    }
    if (ns::View* own = item->setView(view))
        viewOfOldTavViewItem_.reset(own);
    return true;
}

// ---- run-time dictionary ----

ns::Dictionary JOVUIController::runtimeDictionary()
{
    const ns::Value& runtime = settingDict_.value(kRuntimeDataKey);
    if (runtime.isDictionary())
        return runtime.toDictionary();
    ns::Dictionary created;
    settingDict_.setValue(kRuntimeDataKey, created);
    return created;
}

ns::Value JOVUIController::runtimeObjectForKey(const QString& key)
{
    return runtimeDictionary().value(key);
}

void JOVUIController::setRuntimeObject(const ns::Value& object, const QString& key)
{
    if (object.isNull() || key.isEmpty())
        return;
    runtimeDictionary().setValue(key, object);
}

void JOVUIController::deleteRuntimeDictionary()
{
    settingDict_.remove(kRuntimeDataKey);
    store_.writeToFile();
}

// ---- configuration and web links ----

ns::Dictionary JOVUIController::uiConfigDict() const
{
    return settingDict_.value(kUIConfigKey).toDictionary();
}

QString JOVUIController::webURLForKey(const QString& key) const
{
    return settingDict_.value(kWebURLDictKey).toDictionary().value(key).toString();
}

void JOVUIController::tbiMainURLActionExt(ns::ToolbarItem* item)
{
    if (!item)
        return;
    const QString format = webURLForKey(item->itemIdentifier());
    if (format.isEmpty())
        return;
    openSafari(formatWithTwoStrings(format, runtimeObjectForKey(kRTPhoneNumber).stringValue(),
                                    runtimeObjectForKey(kRTIMEI).stringValue()));
}

void JOVUIController::openSafari(const QString& url)
{
    const QUrl link(url, QUrl::StrictMode);
    if (url.isEmpty() || !link.isValid() || link.scheme().isEmpty())
        return;
    ns::Workspace::sharedWorkspace().openURL(link);
}

void JOVUIController::menuItemAction(ns::Object*) {}

// ---- texts ----

QString JOVUIController::formatStringFromDate(const QDateTime& date) const
{
    if (!date.isValid())
        return QStringLiteral("");
    const QString text = customDateFormat_.isEmpty()
                             ? systemDateFormat_.stringFromDate(date)
                             : ns::descriptionWithCalendarFormat(date, customDateFormat_);
    return text.isNull() ? QStringLiteral("") : text;
}

QString JOVUIController::trimString(const QString& string, const QString& characterSet, int maxLength) const
{
    QString kept;
    for (QChar c : string)
        if (characterSet.contains(c))
            kept += c;
    return kept.left(std::max(maxLength, 0));
}

bool JOVUIController::hasModuleWith(const QString& identifier) const
{
    if (identifier.isEmpty())
        return false;
    const ns::Dictionary uiConfig = uiConfigDict();
    const ns::Array items = !jovSkinManager || uiConfig.value(QStringLiteral("NoToolbar")).boolValue()
                                ? settingDict_.value(QStringLiteral("toolBarItems")).toArray()
                                : uiConfig.value(QStringLiteral("ToolbarItems")).toArray();
    for (const ns::Value& item : items)
        if (item.toDictionary().value(QStringLiteral("itemIdentifier")).toString() == identifier)
            return true;
    return false;
}

QString JOVUIController::getControlWordingValueByKey(const QString& key, int module) const
{
    QString wordingKey = key;
    if (module == kModuleSMS &&
        store_.getConfigurationByModuleAndKey(QStringLiteral("SMS"), QStringLiteral("RenameCancelWording"))
            .boolValue()) {
        if (wordingKey == u"Cancel")
            wordingKey = QStringLiteral("Cancel_SMS");
        else if (wordingKey == u"cancel:")
            wordingKey = QStringLiteral("Cancel_SMS:");
    }
    return Map_Name_Item_of_IndexString(wordingKey);
}

// ---- main window ----

void JOVUIController::changeMainWindowOfApp(ns::Object* object)
{
    const auto* notification = dynamic_cast<ns::Notification*>(object);
    if (!notification)
        return;
    ns::Window* window = notification->objectInfo().object<ns::Window>(QStringLiteral("window"));
    if (!window || window == wndMain)
        return;
    closeAllSheetsOfMainWnd();
    wndMain = window;
}

void JOVUIController::closeAllSheetsOfMainWnd()
{
    if (!wndMain)
        return;
    QList<ns::Window*> sheets;
    for (ns::Window* sheet = wndMain->attachedSheet(); sheet; sheet = sheet->attachedSheet())
        sheets.append(sheet);
    for (auto sheet = sheets.crbegin(); sheet != sheets.crend(); ++sheet) {
        (*sheet)->orderOut(nullptr);
        ns::Application::sharedApplication().endSheet(*sheet);
    }
}
