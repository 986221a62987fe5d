// The operator's links on the split Internet tab: the banner and the two
// animations of the link list shown by their roles, the six custom buttons
// to the operator's portal pages, the six favourite buttons of the user's
// favourite links, and the files the link refresh works on.
#include "connection/DialController.h"

#include "connection/Dovure/DownloadUtilities.h"
#include "connection/Dovure/WebLinkImageView.h"
#include "connection/Dovure/WeblinkButton.h"
#include "connection/Dovure/WeblinkUpdateUtilities.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/WebView.h"

#include <QDir>
#include <QUrl>

namespace
{

const QString kInternet = QStringLiteral("Internet");
// The roles of the link list's images: the stored copy's file name.
const QString kBannerRole = QStringLiteral("MainimageTitle_Cropped.jpg");
const QString kHomePageFlashRole = QStringLiteral("smallbanner.swf");
const QString kPromoFlashRole = QStringLiteral("promo.swf");

} // namespace

std::array<WeblinkButton*, DialController::kFavouriteIconCount> DialController::customLinkButtons() const
{
    return {customLinkBtn1_, customLinkBtn2_, customLinkBtn3_,
            customLinkBtn4_, customLinkBtn5_, customLinkBtn6_};
}

std::array<WeblinkButton*, DialController::kFavouriteIconCount> DialController::favoriteLinkButtons() const
{
    return {favoriteLinkBtn1_, favoriteLinkBtn2_, favoriteLinkBtn3_,
            favoriteLinkBtn4_, favoriteLinkBtn5_, favoriteLinkBtn6_};
}

void DialController::initCustomWeblinks()
{
    if (switches_.isSkinVersionForZErivad() || !isSplitConnectionProcess())
        return;
    const ns::Array portals =
        configStore()
            .getConfigurationByModuleAndKey(kInternet, QStringLiteral("OperatorPortalURLs"))
            .toArray();
    const auto buttons = customLinkButtons();
    for (int i = 0; i < int(buttons.size()); ++i) {
        WeblinkButton* button = buttons[size_t(i)];
        if (!button)
            continue;
        const QString address = i < portals.count() ? localized(portals.at(i).toString()) : QString();
        button->setLinkType(WeblinkButton::WebAddressLink);
        button->setWebLinkString(address);
        // The button names the portal by its server.
        const QString host = QUrl(address).host();
        button->setTitle(host.isEmpty() ? address : host);
        button->setToolTip(address);
        button->setHidden(address.isEmpty());
    }
    if (profileBox_)
        profileBox_->setTitle(localized(QStringLiteral("Profile Name:")));
    setPostConnectBtnTitle();
    if (favoriteHintTextfield_)
        favoriteHintTextfield_->setStringValue(
            localized(QStringLiteral("Go to \"     \"  to change any of the below icons settings")));
    if (stopNotifyHintCheckbox_)
        stopNotifyHintCheckbox_->setTitle(localized(QStringLiteral("Do not notify me again")));
}

void DialController::setPostConnectBtnTitle()
{
    // The post-connection page also shows while idle in the "DovureSplit"
    // build: its button then connects.
    if (postConnectBtn_)
        postConnectBtn_->setTitle(localized(connectStatus_ == Idle && isDovureSplit()
                                                ? QStringLiteral("Connect")
                                                : QStringLiteral("Disconnect")));
}

void DialController::loadFavoritesLinkPropeties()
{
    const auto buttons = favoriteLinkButtons();
    const ns::Array links = ns::PropertyList::readArray(
                                configStore().getFilePathWithFileName(QStringLiteral("FavoriteLinks.plist")))
                                .value_or(ns::Array());
    for (const ns::Value& value : links) {
        const ns::Dictionary link = value.toDictionary();
        // An entry without its position has no button.
        if (!link.contains(QStringLiteral("Index")))
            continue;
        const int index = link.value(QStringLiteral("Index")).intValue();
        if (index < 0 || index >= int(buttons.size()) || !buttons[size_t(index)])
            continue;
        WeblinkButton* button = buttons[size_t(index)];
        const ns::Image image =
            ns::Image::imageWithContentsOfFile(link.value(QStringLiteral("Image")).toString());
        button->setImage(image);
        button->setHidden(image.isNull());
        button->setWebLinkString(link.value(QStringLiteral("Path")).toString());
        const int type = link.value(QStringLiteral("Type")).intValue();
        button->setLinkType(type);
        button->setLinkPara(type == WeblinkButton::ApplicationLink
                                ? link.value(QStringLiteral("Para")).toString()
                                : QString());
    }
}

void DialController::loadCurrentIconAndFlash()
{
    for (const ns::Value& entry : WeblinkUpdateUtilities::sharedUpdateManager().iconLinks()) {
        const ns::Dictionary properties = entry.toDictionary();
        const QString role = IconLinkList::roleOf(properties);
        if (role == kBannerRole || role == kHomePageFlashRole || role == kPromoFlashRole)
            loadIconImageAccordingProperty(properties);
    }
}

void DialController::loadIconImageAccordingProperty(const ns::Dictionary& properties)
{
    const QString role = IconLinkList::roleOf(properties);
    const QString file = properties.value(kImageStorePathKey).toString();
    if (role == kBannerRole) {
        if (!bgupWeblinkView_)
            return;
        bgupWeblinkView_->setImage(ns::Image::imageWithContentsOfFile(file));
        bgupWeblinkView_->setWebLinkString(localized(
            configStore()
                .getConfigurationByModuleAndKey(kInternet, QStringLiteral("OperatorBroadbandPageURL"))
                .toString()));
    } else if (role == kHomePageFlashRole) {
        LoadFlash(file, homepageView_);
    } else if (role == kPromoFlashRole) {
        LoadFlash(file, promoWebkitView_);
    } else if (!role.isEmpty() && role == adImageRole()) {
        updateAdImageView();
    }
}

void DialController::initWebDownloadAndLinkUpdateUtilitiesOfEntertain()
{
    const QDir data(configStore().modemListPath());
    DownloadUtilities::sharedDownloadManager().setDownloadFolder(
        data.filePath(QStringLiteral("dovure/images/")));
    WeblinkUpdateUtilities& updates = WeblinkUpdateUtilities::sharedUpdateManager();
    updates.setcfgFile(data.filePath(QStringLiteral("IconLinks.plist")));
    updates.setConfigStore(&configStore());
    updates.setImageRenewedAction(
        [this](const ns::Dictionary& properties) { loadIconImageAccordingProperty(properties); });
    showsRenewedImages_ = true;
}
