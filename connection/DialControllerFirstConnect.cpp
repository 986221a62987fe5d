// What a connection does the first time it comes up: the connect sound, the
// operators' pages (by the profile's provider, by the SIM's IMSI, the smart
// skin's pages, the special page) and the subscriber-number request, once
// per connection.
#include "connection/DialController.h"

#include "app/ui/controller/EventSoundPlayer.h"
#include "connection/DialProfile.h"
#include "platform/ns/appkit/View.h"
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
    openWebPageWithSIM();
    displaySpecialWebView();
    sendIMSIToHttpServerBySoap();
    if (configFlag(QString(), QStringLiteral("DisplayBackgroundWhileDisconnect")))
        for (ns::View* view : {viewBackground_, viewContainerEmbedInUI_})
            if (view)
                view->setHidden(false);
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
