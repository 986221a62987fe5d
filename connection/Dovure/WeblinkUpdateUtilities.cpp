#include "connection/Dovure/WeblinkUpdateUtilities.h"

#include "app/config/ConfigManager.h"
#include "connection/Dovure/DownloadUtilities.h"
#include "platform/ns/NotificationCenter.h"

#include <QDir>

namespace
{

constexpr int kNoListFile = -43;

} // namespace

WeblinkUpdateUtilities& WeblinkUpdateUtilities::sharedUpdateManager()
{
    static WeblinkUpdateUtilities manager;
    return manager;
}

WeblinkUpdateUtilities::WeblinkUpdateUtilities() : store_(&ConfigManager::sharedConfigManager()) {}

void WeblinkUpdateUtilities::setcfgFile(const QString& path)
{
    iconLinks_.load(path);
}

void WeblinkUpdateUtilities::loadcfg()
{
    iconLinks_.load(iconLinks_.path());
}

bool WeblinkUpdateUtilities::savecfg()
{
    const bool saved = iconLinks_.save();
    if (!saved)
        qWarning("The link list %s was not written", qPrintable(iconLinks_.path()));
    return saved;
}

bool WeblinkUpdateUtilities::isKnownURLInIconLinks(const QString& address) const
{
    const QString dataFolder = store_->modemListPath();
    KnownLocalFiles files;
    if (!dataFolder.isEmpty()) {
        const QDir data(dataFolder);
        files.imageFolders = {data.filePath(QStringLiteral("dovure/images")),
                              data.filePath(QStringLiteral("Sources"))};
    }
    files.htmlTwins =
        store_->getConfigurationByModule(QStringLiteral("GetHtmlFilePathByFlashFile")).boolValue();
    return iconLinks_.isKnownURL(address, files);
}

ns::Dictionary WeblinkUpdateUtilities::iconLinkPropertiesForURL(const QString& address) const
{
    return iconLinks_.entryForURL(address).value_or(ns::Dictionary());
}

ns::Dictionary WeblinkUpdateUtilities::iconLinkPropertiesForRole(const QString& role) const
{
    return iconLinks_.entryForRole(role).value_or(ns::Dictionary());
}

int WeblinkUpdateUtilities::startUpdateWebLinks()
{
    if (!iconLinks_.fileExists())
        return kNoListFile;
    for (const QString& address : iconLinks_.addressesToQuery())
        DownloadUtilities::sharedDownloadManager().startQueryURLModifiedDate(address);
    return 0;
}

void WeblinkUpdateUtilities::lastModifiedDate(const QString& lastModified, const QString& address)
{
    if (iconLinks_.noteServerDate(address, lastModified))
        DownloadUtilities::sharedDownloadManager().startDownloadingURL(address);
}

QString WeblinkUpdateUtilities::destinationSuggestedFilenameForURL(const QString& address) const
{
    return iconLinks_.fileExists() ? iconLinks_.storePathForURL(address) : QString();
}

void WeblinkUpdateUtilities::downloadDidFinishWithURL(const QString& address)
{
    if (!iconLinks_.fileExists())
        return;
    if (const std::optional<ns::Dictionary> properties = iconLinks_.finishDownload(address)) {
        savecfg();
        if (imageRenewed_)
            imageRenewed_(*properties);
    }
    ns::NotificationCenter& center = ns::NotificationCenter::defaultCenter();
    center.postNotificationName(kLoadImageFormURLOverNotification, nullptr);
    center.postNotificationName(kLoadFavouriteBtnWebKitViewsNotification, nullptr);
}
