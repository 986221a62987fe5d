// What the operator variants of the main window do: link texts, link buttons
// and menus by tag, help files, the device-state window, the page-style
// drawer and the USSD switches. Each page address lives in a wording key of
// the operator's build.
#include "device/MainController.h"

#include "app/config/ConfigService.h"
#include "app/interfaces/DialControlling.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/skin/JOVUIManager.h"
#include "device/InitService.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Drawer.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TextField.h"

#include <QtDebug>

namespace
{

const QString kUSSDBundleMessage = QStringLiteral("USSDBundleMessage");
// Space between and beside the links of the line under the titles.
constexpr double kLinkLineMargin = 12;
// Where the main page's address stands in the title area.
constexpr double kAddressLineBottom = 14;
// Seconds the device-state window stays.
constexpr double kDevStateShownSeconds = 2;

// The VeziRad link buttons' pages, by tag.
const QHash<int, QString> kLinkPages = {
    {11, QStringLiteral("VEZIRAD_ESHOP_URL")},   {22, QStringLiteral("VEZIRAD_DEVICES_URL")},
    {33, QStringLiteral("VEZIRAD_PARTNER_URL")}, {44, QStringLiteral("VEZIRAD_SERVICE_URL")},
    {55, QStringLiteral("VEZIRAD_GUIDE_URL")},   {66, QStringLiteral("VEZIRAD_PAYMENT_URL")},
    {77, QStringLiteral("VEZIRAD_MMS_URL")},     {88, QStringLiteral("VEZIRAD_MULTIFON_URL")},
};

// The dirud short links' paths, by tag.
const QHash<int, QString> kDirudPaths = {
    {91, QStringLiteral("/PRpQb")},
    {92, QStringLiteral("/PxPWP")},
    {93, QStringLiteral("/PpLnC")},
};

// The DODI menu entries: the wording key of the title, the wording key of the address.
const char* const kDODILinks[][2] = {
    {"Gaming", "DODI_GAMING_URL"},     {"Mail", "DODI_MAIL_URL"},         {"Market", "DODI_MARKET_URL"},
    {"Videos", "DODI_VIDEOS_URL"},     {"Fortune", "DODI_FORTUNE_URL"},   {"Docomics", "DODI_DOCOMICS_URL"},
    {"Prayer", "DODI_PRAYER_URL"},     {"Facebook", "DODI_FACEBOOK_URL"}, {"Google", "DODI_GOOGLE_URL"},
    {"LinkedIn", "DODI_LINKEDIN_URL"}, {"Twitter", "DODI_TWITTER_URL"},   {"Gmail", "DODI_GMAIL_URL"},
    {"Picassa", "DODI_PICASSA_URL"},   {"MySpace", "DODI_MYSPACE_URL"},   {"Mobile TV", "DODI_MOBILE_TV_URL"},
    {"Youtube", "DODI_YOUTUBE_URL"},
};

// The page buttons of the Rudiv skin, each named "btn" and its page.
const char* const kRudivPages[] = {"Internet", "SMS", "Phonebook", "Setting"};

// The look of an operator's link text: small, underlined, black at half opacity.
ns::TextAttributes linkTextAttributes()
{
    ns::TextAttributes attributes;
    attributes.font = ns::Font::labelFontOfSize(9);
    attributes.foregroundColor = ns::Color::colorWithCalibratedWhite(0, 0.5);
    attributes.underline = true;
    return attributes;
}

int tagOf(ns::Object* sender)
{
    if (auto* view = dynamic_cast<ns::View*>(sender))
        return view->tag();
    if (auto* item = dynamic_cast<ns::MenuItem*>(sender))
        return item->tag();
    return -1;
}

QString titleOf(ns::Object* sender)
{
    if (auto* item = dynamic_cast<ns::MenuItem*>(sender))
        return item->title();
    if (auto* button = dynamic_cast<ns::Button*>(sender))
        return button->title();
    return QString();
}

} // namespace

// ---- link texts ----

void MainController::textField(ns::TextField* field, const QString& text, const QString& link)
{
    if (!field)
        return;
    if (text.isEmpty()) {
        field->setStringValue(QString());
        return;
    }
    ns::TextAttributes attributes = linkTextAttributes();
    if (!link.isEmpty())
        attributes.link = QUrl(link);
    field->setAllowsEditingTextAttributes(true);
    field->setSelectable(true);
    field->setAttributedStringValue(ns::AttributedString(text, attributes));
}

void MainController::initMainWindowForZudera()
{
    if (!configStore()
             .getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("initWindowForZudera"))
             .boolValue())
        return;
    const auto address = [this](const char* key) {
        return configStore()
            .getConfigurationByModuleAndKey(QStringLiteral("Main"), QString::fromLatin1(key))
            .stringValue();
    };
    textField(labelHomeLinkForZudera_, wording(QStringLiteral("STRING_ZUDERA_HOME")),
              address("HomeLinkForZudera"));
    textField(labelPostPaidLinkForZudera_,
              wording(QStringLiteral("Click here for Zudera PostPaid bill payment")),
              address("PostPaidLinkForZudera"));
    textField(labelPrePaidLinkForZudera_,
              wording(QStringLiteral("Click here for Zudera PrePaid Online Recharge")),
              address("PrePaidLinkForZudera"));

    btnUnderlineDialNumberForZudera_->setAttributedTitle(
        ns::AttributedString(wording(QStringLiteral("121")), linkTextAttributes()));
    btnUnderlineDialNumberForZudera_->setHidden(false);

    // The line under the titles, left to right, each as wide as its text.
    double x = kLinkLineMargin;
    for (ns::Control* control :
         std::initializer_list<ns::Control*>{labelHomeLinkForZudera_, labelPostPaidLinkForZudera_,
                                             labelPrePaidLinkForZudera_, btnUnderlineDialNumberForZudera_}) {
        control->sizeToFit();
        control->setFrameOrigin({x, 0});
        x += control->frame().size.width + kLinkLineMargin;
    }
}

void MainController::setTextLinkAddressForMainPage()
{
    const ConfigService switches(configStore());
    const QString address = InitService(configStore(), switches).getInternetAddressAtMainPage();
    if (address.isEmpty())
        return;
    ns::TextAttributes attributes;
    attributes.font = ns::Font::labelFontOfSize(11);
    attributes.foregroundColor = ns::Color::blueColor();
    attributes.underline = true;
    attributes.link = QUrl(address);
    labelForTextLinkAddress_->setAllowsEditingTextAttributes(true);
    labelForTextLinkAddress_->setSelectable(true);
    labelForTextLinkAddress_->setAttributedStringValue(ns::AttributedString(address, attributes));
    labelForTextLinkAddress_->sizeToFit();
    // Beside the provider's logo, above the line of the operators' links.
    labelForTextLinkAddress_->setFrameOrigin({viewextProviderLogo_->frame().minX() - kLinkLineMargin -
                                                  labelForTextLinkAddress_->frame().size.width,
                                              kAddressLineBottom});
}

// ---- the device-state window ----

void MainController::deviceRemovedForZudera(bool removed)
{
    if (deviceRemoveSign_)
        windowOfDevStateChangeForZudera_->orderOut(this);
    if (!configStore()
             .getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("DeviceRemovedForZudera"))
             .boolValue() ||
        netCardStatus_ != kSimReady || deviceRemoveSign_)
        return;
    labelOfDevStateChageForZudera_->setStringValue(
        wording(removed ? QStringLiteral("The device has been disconnected or is unavailable.")
                        : QStringLiteral("Detecting device...")));
    windowOfDevStateChangeForZudera_->orderFront(this);
    ns::performSelectorAfterDelay(this, QStringLiteral("performEndSheet:"), nullptr, kDevStateShownSeconds);
}

void MainController::performEndSheet(ns::Object*)
{
    windowOfDevStateChangeForZudera_->orderOut(this);
}

// ---- help files and windows ----

void MainController::tbiMainVADOHelpClick(ns::Object*)
{
    openFileInDataFolder(wording(QStringLiteral("STRING_HELP_FILE_PATH_LABLES")));
}

void MainController::performOpenHelpActionForDuzozer(ns::Object* sender)
{
    const ns::Array files = configStore()
                                .getConfigurationByModuleAndKey(QStringLiteral("VietnamDuzozerPellak"),
                                                                QStringLiteral("HelpFileArray"))
                                .toArray();
    const int tag = tagOf(sender);
    if (tag < 0 || tag >= files.count()) {
        qInfo("No help file number %d", tag);
        return;
    }
    openFileInDataFolder(files.at(tag).stringValue());
}

void MainController::showSupportWindowForDuzozer(ns::Object*)
{
    supportWindow_->makeKeyAndOrderFront(this);
}

void MainController::showUSSDGuideWindowForDuzozer(ns::Object*)
{
    ussdGuideWindow_->makeKeyAndOrderFront(this);
}

void MainController::openWndOrangeQuickTips(ns::Object*)
{
    wndOrangeQuickTips_->center();
    wndOrangeQuickTips_->makeKeyAndOrderFront(this);
}

// ---- USSD requests of the Zuvize buttons ----

void MainController::openUSSDWndOrangeTopup(ns::Object*)
{
    notificationCenter.postNotificationName(
        kUSSDBundleMessage, nullptr, ns::Dictionary{{QStringLiteral("Action"), QStringLiteral("TopUp")}});
}

void MainController::openUSSDWndOrangeCheckbalance(ns::Object*)
{
    notificationCenter.postNotificationName(
        kUSSDBundleMessage, nullptr,
        ns::Dictionary{{QStringLiteral("Action"), QStringLiteral("CheckBalance")}});
}

void MainController::openUSSDWndOrangeBuybundles(ns::Object*)
{
    notificationCenter.postNotificationName(
        kUSSDBundleMessage, nullptr, ns::Dictionary{{QStringLiteral("Action"), QStringLiteral("BuyBundle")}});
}

// ---- link buttons and menus ----

void MainController::openLinkPage(ns::Object* sender)
{
    const QString key = kLinkPages.value(tagOf(sender));
    if (!key.isEmpty())
        openURL(wording(key));
}

void MainController::openDirudWebsites(ns::Object* sender)
{
    const QString path = kDirudPaths.value(tagOf(sender));
    if (!path.isEmpty())
        openURL(wording(QStringLiteral("DIRUD_SHORT_LINK_URL")) + path);
}

void MainController::open1und1URL(ns::Object*)
{
    openURL(wording(QStringLiteral("1REV1_URL")) + QStringLiteral("/dashboardurl"));
}

void MainController::openDODIMenuLinks(ns::Object* sender)
{
    const QString title = titleOf(sender);
    for (const auto& [titleKey, addressKey] : kDODILinks) {
        if (wording(QString::fromLatin1(titleKey)) == title) {
            openDODILinks(wording(QString::fromLatin1(addressKey)));
            return;
        }
    }
    qInfo("No page for the menu entry \"%s\"", qPrintable(title));
}

void MainController::openDODILinks(const QString& url)
{
    if (!g_DialController || !g_DialController->getFlagIsConnect()) {
        NSRunAlertPanelExt(wording(QStringLiteral("Warning")),
                           wording(QStringLiteral("Please confirm that you have connected to internet!")),
                           wording(QStringLiteral("OK")), QString());
        return;
    }
    openURL(url);
}

void MainController::openTabMenuLinks(ns::Object* sender)
{
    openURL(wording(titleOf(sender)));
}

void MainController::homePageClick(ns::Object*)
{
    openURL(wording(QStringLiteral("DODI_HOME_URL")));
}

void MainController::openMyistarURL(ns::Object* sender)
{
    const QString path = configStore().getFilePathWithFileName(QStringLiteral("SpecialNeedForURL.plist"));
    const std::optional<ns::Array> links = ns::PropertyList::readArray(path);
    const int tag = tagOf(sender);
    if (!links || tag < 0 || tag >= links->count()) {
        qInfo("No link number %d in %s", tag, qPrintable(path));
        return;
    }
    openURL(links->at(tag).stringValue());
}

// ---- USSD switches ----

void MainController::disableUSSDToolbarForMalaixiya()
{
    const ConfigService config(configStore());
    if (config.isEnableToolbarForZAzuva()) {
        toolbarSetEnable(false);
        if (config.isSkinVersionForZErivad())
            setIsHiddenForUSSDActive(false);
    }
    if (!configStore()
             .getConfigurationByModuleAndKey(QStringLiteral("USSD"),
                                             QStringLiteral("DisableUSSDToolbarForDiGi"))
             .isNull())
        toolbarSetItemEnable(false, QStringLiteral("USSD1"));
}

void MainController::setIsHiddenForUSSDActive(bool hidden)
{
    // YES shows the USSD-active button in the connect button's place.
    btnUSSDActive_->setHidden(!hidden);
    btnUSSDActive_->setEnabled(hidden);
    if (g_DialController)
        g_DialController->setIsHiddenConnectBtn(hidden);
}

// ---- the Rudiv page style ----

void MainController::updateUIForBraRudiv(const QString& page)
{
    updateControllersForBarRudiv(page);
}

void MainController::updateControllersForBarRudiv(const QString& page)
{
    if (!jovSkinManager || !uiConfigDict().value(QStringLiteral("BraRudivUI")).boolValue())
        return;
    const QString layout = page == u"Internet" ? QStringLiteral("Main") : QStringLiteral("Other");
    updateDrawerOffsetByWindow(layout);
    updateDynamicItemsByModule(page);
    for (const char* key : {"wndMainTabview", "labelBroadCast"}) {
        jovSkinManager->setNewSizeForKey(QString::fromLatin1(key), layout, true);
        jovSkinManager->setNewLocationInSuperviewForKey(QString::fromLatin1(key), layout, true);
    }
    changeDrawerBtnStyleForBraRudiv(page);
}

void MainController::changeDrawerBtnStyleForBraRudiv(const QString& page)
{
    for (const char* name : kRudivPages)
        jovSkinManager->setImageForKeyImageName(
            QStringLiteral("btn") + QString::fromLatin1(name),
            page == QLatin1String(name) ? QStringLiteral("In") : QStringLiteral("Out"), true);
    wndMain->center();
    // The drawer takes its new offsets while it is open.
    if (drawerMain && drawerMain->state() == ns::DrawerClosedState) {
        drawerMain->open();
        drawerMain->close();
    }
}
