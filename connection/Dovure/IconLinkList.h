#pragma once

#include "platform/ns/Value.h"

#include <QString>
#include <QStringList>

#include <optional>

inline const QString kImageURLKey = QStringLiteral("ImageURL");
inline const QString kImageStorePathKey = QStringLiteral("ImageStorePath");
inline const QString kImageModifiedDateKey = QStringLiteral("ImageModifiedDate");
inline const QString kLatestImageModifiedDateKey = QStringLiteral("LatestImageModifiedDate");

// The local files a web view of the link widgets may show: the stored copies
// of the list's images, their ".htm" twins (a ".swf" image shown through its
// page) when those are in use, and any file under the image folders.
struct KnownLocalFiles {
    QStringList imageFolders;
    bool htmlTwins = false;
};

// A list of remote images ("IconLinks.plist" or "WebLinkInfo.plist"): a
// property-list array of dictionaries, one per image, with its address on
// the operator's server ("ImageURL"), the path of the stored copy
// ("ImageStorePath"), the server's "Last-Modified" value of that copy
// ("ImageModifiedDate") and the newer value seen while a download runs
// ("LatestImageModifiedDate"). Elements that are not dictionaries are kept
// and skipped.
class IconLinkList
{
public:
    // Reads the list at the path: an array, or no list at all.
    void load(const QString& path);
    const QString& path() const { return path_; }
    bool fileExists() const;
    // Writes the list back atomically; false (and nothing written) when no
    // list was read, so a file that could not be read is never replaced.
    bool save() const;

    const ns::Array& entries() const { return entries_; }
    // The first entry whose "ImageURL" is the address.
    std::optional<ns::Dictionary> entryForURL(const QString& address) const;
    // An entry's role: the name of its stored copy (the last part of
    // "ImageStorePath"), which says where the image is shown.
    static QString roleOf(const ns::Dictionary& entry);
    // The first entry of the role.
    std::optional<ns::Dictionary> entryForRole(const QString& role) const;
    // The "ImageStorePath" of the last entry whose "ImageURL" is the address;
    // empty when none.
    QString storePathForURL(const QString& address) const;
    // The non-empty "ImageURL"s, in list order.
    QStringList addressesToQuery() const;

    // The server reports its "Last-Modified" value for the address: when it
    // is later than the stored copy's, it is kept as the newer value and the
    // answer is true (download it).
    bool noteServerDate(const QString& address, const QString& lastModified);
    // A download of the address finished: the first entry for it takes the
    // newer value as its date and is returned (the list is not saved here).
    std::optional<ns::Dictionary> finishDownload(const QString& address);

    // A "file://" address is known when it names one of the known local
    // files; any other address when it equals an entry's "ImageURL" or
    // "ImageStorePath".
    bool isKnownURL(const QString& address, const KnownLocalFiles& files) const;

private:
    bool isKnownLocalFile(const QString& path, const KnownLocalFiles& files) const;

    QString path_;
    ns::Array entries_;
    bool loaded_ = false;
};
