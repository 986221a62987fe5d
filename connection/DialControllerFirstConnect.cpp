// What a connection does the first time it comes up: the connect sound, the
// operators' pages (by the profile's provider, the smart skin's pages, the
// operator's main page, by the SIM's IMSI, the special page, the embedded
// page), the advertisement's refresh and the subscriber-number request, once
// per connection.
#include "connection/DialController.h"

#include "app/ui/controller/EventSoundPlayer.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/skin/JOVUIManager.h"
#include "connection/DialProfile.h"
#include "connection/Dovure/WebViewUtilities.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/View.h"
#include "platform/ns/appkit/WebView.h"
#include "platform/ns/appkit/Workspace.h"

void DialController::performActionWhenFirstConnected()
{
    if (!m_launchURLState)
        return;
    m_launchURLState = false;
    playShortSound(kSoundOnline);
    switchInternetTabAction();
    launchURLAtFirstAPN();
    checkIsOpenSpecialURL();
    smartUIAttachWebViewOpenURL();
    indonesiaZEZWebBackground();
    downloadAdImageFile();
    openWebPageWithSIM();
    displaySpecialWebView();
    sendIMSIToHttpServerBySoap();
    if (configFlag(QString(), QStringLiteral("DisplayBackgroundWhileDisconnect")))
        for (ns::View* view : {viewBackground_, viewContainerEmbedInUI_})
            if (view)
                view->setHidden(false);
    displayEmbeddedPage(configStore().getConfigurationByModule(QStringLiteral("EmbedWebViewURL")).toString());
    imageDownloadFinishForBillboard();
}

void DialController::checkIsOpenSpecialURL()
{
    const QString provider = currentProfile().value(DialProfile::kProvider).toString();
    for (const ns::Value& entry :
         configStore().getConfigurationByModule(QStringLiteral("OpenURLSettings")).toArray()) {
        const ns::Dictionary setting = entry.toDictionary();
        if (setting.value(QStringLiteral("APNProvider")).toString() != provider)
            continue;
        if (setting.value(QStringLiteral("AutoOpen")).boolValue())
            openSafari(setting.value(QStringLiteral("URL")).toString());
        return;
    }
}

void DialController::openWebPageWithSIM()
{
    const QString imsi = configStore().getConfigurationByModule(QStringLiteral("IMSI")).toString();
    const ns::Dictionary pages =
        configStore()
            .getConfigurationByModuleAndKey(QStringLiteral("Internet"), QStringLiteral("IMSIAndWebPage"))
            .toDictionary();
    if (imsi.isEmpty())
        return;
    // The first prefix in the table's own order wins, not the longest.
    for (const auto& [prefix, page] : pages) {
        if (!imsi.startsWith(prefix))
            continue;
        QString address = page.toString();
        // An address without a scheme is a web address; one with its own
        // scheme (https among them) is kept as written.
        if (!address.contains(QStringLiteral("://")))
            address.prepend(QStringLiteral("http://"));
        ns::Workspace::sharedWorkspace().openURL(QUrl(address));
        return;
    }
}

// ---- the operator's main page ----

QString DialController::mainPageAddress(bool withPhoneNumber)
{
    const QString format = webURLForKey(QStringLiteral("MainPage"));
    const QString imei = runtimeObjectForKey(kRTIMEI).stringValue();
    if (!withPhoneNumber)
        return formatWithTwoStrings(format, imei, QString());
    return formatWithTwoStrings(format, runtimeObjectForKey(kRTPhoneNumber).stringValue(), imei);
}

void DialController::indonesiaZEZWebBackground()
{
    if (!uiConfigDict().value(QStringLiteral("IndonesiaZEZ")).boolValue()) {
        indonesiaZEZEmbedWebBackground();
        return;
    }
    ns::View* tab = internetTabView();
    if (indonesiaWebView_ || !tab || !tabviewMain)
        return;
    // The page covers the tab view, as far as the skin's tab background reaches.
    ns::Size size = tabviewMain->frame().size;
    if (auto* back = jovSkinManager
                         ? jovSkinManager->controllerByKey<ns::View>(QStringLiteral("wndMainTabviewBack"))
                         : nullptr)
        size = ns::Size(std::min(size.width, back->frame().size.width),
                        std::min(size.height, back->frame().size.height));
    indonesiaWebView_ = WebViewUtilities::sharedManager().attachWebviewWithFrameRect(
        ns::Rect(ns::Point(), size), tab, internetTabWebPolicy());
    if (indonesiaWebView_)
        openURL(mainPageAddress(true), indonesiaWebView_);
}

void DialController::indonesiaZEZEmbedWebBackground()
{
    if (!configFlag(QString(), QStringLiteral("IndonesiaMKNwebURL")))
        return;
    displayEmbeddedPage(mainPageAddress(configFlag(QString(), QStringLiteral("MKNwebURLAddPhoneNum"))));
}

void DialController::displayEmbeddedPage(const QString& address)
{
    if (address.isEmpty())
        return;
    // Each connection shows the page again in the same view.
    if (embeddedWebView_) {
        openURL(address, embeddedWebView_);
        return;
    }
    embeddedWebView_ =
        displayWebUrl(address, viewContainerEmbedInUI_,
                      configFlag(QString(), QStringLiteral("EnableAllowScrollOfWBV")), getRectInSuperView());
}
