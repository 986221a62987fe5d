#pragma once

#include "connection/Dovure/IconLinkList.h"

#include <QString>

#include <functional>

class ConfigManager;

inline const QString kLoadImageFormURLOverNotification = QStringLiteral("LoadImageFormURLOver");
inline const QString kLoadFavouriteBtnWebKitViewsNotification = QStringLiteral("loadFavouriteBtnWebKitViews");

// Keeps the operator's remote images fresh: the list of images (its file set
// by setcfgFile), a query of each image's "Last-Modified" date and a download
// of every image the server has a later copy of. Lives until the process ends.
class WeblinkUpdateUtilities
{
public:
    static WeblinkUpdateUtilities& sharedUpdateManager();

    // The list file in use; setting another path reads that list.
    void setcfgFile(const QString& path);
    const QString& cfgFile() const { return iconLinks_.path(); }
    const ns::Array& iconLinks() const { return iconLinks_.entries(); }
    void loadcfg();
    bool savecfg();

    // Whether a web view of the link widgets may show the address in place:
    // an image address or stored copy of the list, or one of the local files
    // it knows (the stored copies, their ".htm" pages when top-level
    // "GetHtmlFilePathByFlashFile" is on, files under the data folder's
    // image folders "dovure/images" and "Sources").
    bool isKnownURLInIconLinks(const QString& address) const;
    // The first entry for the image address; a null dictionary when none.
    ns::Dictionary iconLinkPropertiesForURL(const QString& address) const;
    // The first entry of the role (the name of its stored copy); a null
    // dictionary when none.
    ns::Dictionary iconLinkPropertiesForRole(const QString& role) const;

    // Asks the server for the date of every image with an address, in list
    // order; -43 (and nothing asked) when the list file does not exist, else 0.
    int startUpdateWebLinks();
    // The server's "Last-Modified" value for an image: a later one than the
    // stored copy's is held and the image downloaded.
    void lastModifiedDate(const QString& lastModified, const QString& address);
    // Where a download of the address is stored: the "ImageStorePath" of the
    // last entry for it; empty when none or when the list file does not exist.
    QString destinationSuggestedFilenameForURL(const QString& address) const;
    // A download finished: the image's entry takes the new date, the list is
    // saved, the new image is shown and "LoadImageFormURLOver" and
    // "loadFavouriteBtnWebKitViews" are posted.
    void downloadDidFinishWithURL(const QString& address);

    // The settings it reads: the process-wide store unless given another.
    void setConfigStore(ConfigManager* store) { store_ = store; }

    // How the connection's window shows a renewed image, given its entry.
    using ImageRenewedAction = std::function<void(const ns::Dictionary& properties)>;
    void setImageRenewedAction(ImageRenewedAction action) { imageRenewed_ = std::move(action); }

private:
    WeblinkUpdateUtilities();

    IconLinkList iconLinks_;
    ImageRenewedAction imageRenewed_;
    ConfigManager* store_;
};
