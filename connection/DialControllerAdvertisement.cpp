// The operator's advertisement on the Internet view: an image of the sources
// folder that opens the operator's page, refreshed from the operator's server
// a few seconds after a connection comes up.
#include "connection/DialController.h"

#include "connection/Dovure/DownloadUtilities.h"
#include "connection/Dovure/WebLinkImageView.h"
#include "connection/Dovure/WeblinkUpdateUtilities.h"
#include "platform/ns/appkit/Image.h"

#include <QDir>

namespace
{

const QString kAddAdView = QStringLiteral("AddDiraAdView");
const QString kAdInfo = QStringLiteral("DiraAdInfo");
// The advertisement stands bottom left, clear of the connect button.
constexpr double kAdLeft = 24;
constexpr double kAdBottom = 14;
constexpr double kAdWidth = 200;
constexpr double kAdHeight = 60;

} // namespace

void DialController::loadAdContainerView(ns::View* page)
{
    if (!configFlag(QString(), kAddAdView))
        return;
    adContainerView_ = new WebLinkImageView(ns::Rect(kAdLeft, kAdBottom, kAdWidth, kAdHeight));
    page->addSubview(adContainerView_);
}

QString DialController::adSourcesFolder() const
{
    return QDir(configStore().modemListPath()).filePath(QStringLiteral("Sources"));
}

void DialController::initAdContainerView()
{
    if (!configFlag(QString(), kAddAdView))
        return;
    const ns::Value link = configStore().getConfigurationByModuleAndKey(kAdInfo, QStringLiteral("AdURL"));
    if (adContainerView_ && link.isString())
        adContainerView_->setWebLinkString(link.toString());
    updateAdImageView();
    DownloadUtilities::sharedDownloadManager().setDownloadFolder(adSourcesFolder());
    WeblinkUpdateUtilities::sharedUpdateManager().setcfgFile(
        QDir(configStore().modemListPath()).filePath(QStringLiteral("WebLinkInfo.plist")));
}

QString DialController::adImageRole() const
{
    return configStore().getConfigurationByModuleAndKey(kAdInfo, QStringLiteral("FileName")).toString();
}

void DialController::updateAdImageView()
{
    const QString name = adImageRole();
    if (!adContainerView_ || name.isEmpty())
        return;
    const ns::Image image = ns::Image::imageWithContentsOfFile(QDir(adSourcesFolder()).filePath(name));
    if (!image.isNull())
        adContainerView_->setImage(image);
}

void DialController::downloadAdImageFile()
{
    if (configFlag(QString(), kAddAdView))
        startUpdateWebLinkTimer();
    notificationCenter.postNotificationName(kSetWebLinkImageViewEnabledNotification, nullptr);
}
