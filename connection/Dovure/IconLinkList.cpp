#include "connection/Dovure/IconLinkList.h"

#include "connection/Dovure/LastModifiedDate.h"
#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace
{

const QString kFileScheme = QStringLiteral("file://");

// The ".htm" page beside a ".swf" file; empty for any other file.
QString htmlTwinOf(const QString& path)
{
    static const QString swf = QStringLiteral(".swf");
    if (!path.endsWith(swf))
        return QString();
    return path.left(path.size() - swf.size()) + QStringLiteral(".htm");
}

} // namespace

void IconLinkList::load(const QString& path)
{
    path_ = path;
    const std::optional<ns::Array> read = path.isEmpty() ? std::nullopt : ns::PropertyList::readArray(path);
    loaded_ = read.has_value();
    entries_ = read.value_or(ns::Array());
}

bool IconLinkList::fileExists() const
{
    return !path_.isEmpty() && QFileInfo(path_).isFile();
}

bool IconLinkList::save() const
{
    return loaded_ && ns::PropertyList::writeFile(path_, entries_);
}

std::optional<ns::Dictionary> IconLinkList::entryForURL(const QString& address) const
{
    for (const ns::Value& entry : entries_) {
        if (entry.isDictionary() && entry.toDictionary().value(kImageURLKey).toString() == address)
            return entry.toDictionary();
    }
    return std::nullopt;
}

QString IconLinkList::roleOf(const ns::Dictionary& entry)
{
    return QFileInfo(entry.value(kImageStorePathKey).toString()).fileName();
}

std::optional<ns::Dictionary> IconLinkList::entryForRole(const QString& role) const
{
    for (const ns::Value& entry : entries_) {
        if (entry.isDictionary() && !role.isEmpty() && roleOf(entry.toDictionary()) == role)
            return entry.toDictionary();
    }
    return std::nullopt;
}

QString IconLinkList::storePathForURL(const QString& address) const
{
    QString path;
    for (const ns::Value& entry : entries_) {
        const ns::Dictionary links = entry.toDictionary();
        if (entry.isDictionary() && links.value(kImageURLKey).toString() == address)
            path = links.value(kImageStorePathKey).toString();
    }
    return path;
}

QStringList IconLinkList::addressesToQuery() const
{
    QStringList addresses;
    for (const ns::Value& entry : entries_) {
        const QString address = entry.toDictionary().value(kImageURLKey).toString();
        if (!address.isEmpty())
            addresses.append(address);
    }
    return addresses;
}

bool IconLinkList::noteServerDate(const QString& address, const QString& lastModified)
{
    std::optional<ns::Dictionary> entry = entryForURL(address);
    if (!entry || !last_modified::isLater(lastModified, entry->value(kImageModifiedDateKey).toString()))
        return false;
    entry->setValue(kLatestImageModifiedDateKey, lastModified);
    return true;
}

std::optional<ns::Dictionary> IconLinkList::finishDownload(const QString& address)
{
    std::optional<ns::Dictionary> entry = entryForURL(address);
    if (entry && entry->value(kLatestImageModifiedDateKey).isString())
        entry->setValue(kImageModifiedDateKey, entry->value(kLatestImageModifiedDateKey));
    return entry;
}

bool IconLinkList::isKnownURL(const QString& address, const KnownLocalFiles& files) const
{
    if (address.startsWith(kFileScheme)) {
        const QUrl url(address);
        return url.isValid() && url.isLocalFile() && isKnownLocalFile(url.toLocalFile(), files);
    }
    for (const ns::Value& entry : entries_) {
        const ns::Dictionary links = entry.toDictionary();
        if (!address.isEmpty() && (links.value(kImageURLKey).toString() == address ||
                                   links.value(kImageStorePathKey).toString() == address))
            return true;
    }
    return false;
}

bool IconLinkList::isKnownLocalFile(const QString& path, const KnownLocalFiles& files) const
{
    if (!QDir::isAbsolutePath(path))
        return false;
    const QString file = QDir::cleanPath(path);
    for (const QString& folder : files.imageFolders) {
        const QString root = QDir::cleanPath(folder) + u'/';
        if (QDir::isAbsolutePath(folder) && file.startsWith(root) && file.size() > root.size())
            return true;
    }
    for (const ns::Value& entry : entries_) {
        const QString stored = entry.toDictionary().value(kImageStorePathKey).toString();
        if (stored.isEmpty())
            continue;
        const QString copy = QDir::cleanPath(stored);
        if (file == copy || (files.htmlTwins && file == htmlTwinOf(copy)))
            return true;
    }
    return false;
}
