#include "device/PinNumStore.h"

#include "platform/ns/AtomicFile.h"
#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <sys/stat.h>

namespace
{

const QString kPinNumKey = QStringLiteral("PinNum");
const QString kIccidKey = QStringLiteral("Iccid");

// Creates the folder and its missing parents, each for the owner alone, and
// makes an existing folder of ours private too.
bool makePrivateFolder(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isDir()) {
        const QString parent = info.path();
        if (parent != path && !makePrivateFolder(parent))
            return false;
        if (::mkdir(QFile::encodeName(path).constData(), S_IRWXU) != 0 && !QFileInfo(path).isDir())
            return false;
    }
    return true;
}

} // namespace

PinNumStore::PinNumStore() : path_(privateFilePath()) {}

QString PinNumStore::privateFilePath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(base)) // relative values are to be ignored
        base = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base + QStringLiteral("/trelvan/PinNum.plist"));
}

std::optional<PinNumStore::Entry> PinNumStore::read() const
{
    const std::optional<ns::Dictionary> stored = ns::PropertyList::readDictionary(path_);
    if (!stored || !stored->value(kPinNumKey).isString())
        return std::nullopt;
    return Entry{stored->value(kPinNumKey).toString(), stored->value(kIccidKey).toString()};
}

bool PinNumStore::write(const Entry& entry) const
{
    const QString folder = QFileInfo(path_).path();
    if (!makePrivateFolder(folder) ||
        !QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        qWarning("Cannot make the private folder %s", qPrintable(folder));
        return false;
    }
    const QByteArray bytes =
        ns::PropertyList::toXml(ns::Dictionary{{kPinNumKey, entry.pinNum}, {kIccidKey, entry.iccid}});
    // The temporary file is made for the owner alone and its rename keeps that.
    if (!ns::writeFileAtomically(path_, bytes))
        return false;
    return QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
}

bool PinNumStore::remove() const
{
    return !QFileInfo::exists(path_) || QFile::remove(path_);
}

bool PinNumStore::migrateFromSettings(ns::Dictionary& settings) const
{
    const ns::Value pinNum = settings.value(kPinNumKey);
    if (pinNum.isNull())
        return false;
    if (pinNum.isString() && !write(Entry{pinNum.toString(), settings.value(kIccidKey).toString()})) {
        qWarning("The saved PIN stays in the settings: the private file cannot be written");
        return false;
    }
    settings.remove(kPinNumKey);
    settings.remove(kIccidKey);
    return true;
}
