#include "app/utils/TcardOperation.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <utility>

namespace
{

// SCSI peripheral type of CD and DVD drives: the modem's driver disc, not the card.
constexpr const char* kScsiTypeOptical = "5";

QString sysfsRoot()
{
    const QString root = qEnvironmentVariable(kTcardSysfsRootVariable);
    return root.isEmpty() ? QStringLiteral("/sys") : root;
}

QString mountsFile()
{
    const QString file = qEnvironmentVariable(kTcardMountsFileVariable);
    return file.isEmpty() ? QStringLiteral("/proc/self/mounts") : file;
}

QByteArray readAttribute(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll().trimmed();
}

// The sysfs folder of the first USB device of our modems; empty when none is plugged in.
QString findModem(const QString& root)
{
    const QDir devices(root + QStringLiteral("/bus/usb/devices"));
    for (const QString& entry : devices.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        bool ok = false;
        const uint vendor =
            readAttribute(devices.filePath(entry) + QStringLiteral("/idVendor")).toUInt(&ok, 16);
        if (ok && vendor == kTcardModemVendorID)
            return QFileInfo(devices.filePath(entry)).canonicalFilePath();
    }
    return QString();
}

// The block-device folder of the card reader below the modem: the first
// removable disk (not an optical drive) that holds a medium.
QString findCardReader(const QString& modem)
{
    QStringList disks;
    QDirIterator it(modem, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).dir().dirName() == QStringLiteral("block"))
            disks.append(path);
    }
    disks.sort();
    for (const QString& disk : std::as_const(disks)) {
        if (readAttribute(disk + QStringLiteral("/removable")) != "1" ||
            readAttribute(disk + QStringLiteral("/device/type")) == kScsiTypeOptical)
            continue;
        if (readAttribute(disk + QStringLiteral("/size")).toULongLong() > 0)
            return disk;
    }
    return QString();
}

// The kernel's device name of a block device ("sdb"), from its uevent.
QString deviceName(const QString& disk)
{
    const QByteArray uevent = readAttribute(disk + QStringLiteral("/uevent"));
    for (const QByteArray& line : uevent.split('\n')) {
        if (line.startsWith("DEVNAME="))
            return QString::fromUtf8(line.mid(8));
    }
    return QString();
}

// The card itself or one of its partitions: "sdb" and "sdb1" for the card
// sdb, "mmcblk0" and "mmcblk0p1" for mmcblk0; never another disk such as "sdbb".
bool isOnCard(QStringView device, QStringView card)
{
    if (!device.startsWith(card))
        return false;
    QStringView partition = device.mid(card.size());
    if (partition.isEmpty())
        return true;
    if (card.back().isDigit()) {
        if (!partition.startsWith(u'p'))
            return false;
        partition = partition.mid(1);
    }
    if (partition.isEmpty())
        return false;
    return std::all_of(partition.begin(), partition.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isNetworkFileSystem(const QByteArray& type)
{
    static const QSet<QByteArray> kNetworkTypes = {
        "nfs", "nfs4",      "cifs",   "smb3", "smbfs", "ncpfs",      "afs",        "ceph",
        "9p",  "glusterfs", "lustre", "coda", "davfs", "fuse.sshfs", "fuse.davfs", "fuse.glusterfs"};
    return kNetworkTypes.contains(type);
}

// A field of the mount table, whose blanks and backslashes are written as octal escapes ("\040").
QString unescapeMountField(const QByteArray& field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && code < 256) {
                out.append(char(code));
                i += 3;
                continue;
            }
        }
        out.append(field.at(i));
    }
    return QString::fromUtf8(out);
}

// The mount point of the first local volume on the card or one of its partitions.
QString findMountPoint(const QString& card)
{
    QFile table(mountsFile());
    if (!table.open(QIODevice::ReadOnly)) {
        qWarning("Cannot read the mount table %s", qPrintable(table.fileName()));
        return QString();
    }
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3 || isNetworkFileSystem(fields.at(2)))
            continue;
        const QString source = unescapeMountField(fields.at(0));
        const QStringView device = QStringView(source).mid(source.lastIndexOf(u'/') + 1);
        if (isOnCard(device, card))
            return unescapeMountField(fields.at(1));
    }
    return QString();
}

} // namespace

QString getTcardVolume()
{
    const QString root = sysfsRoot();
    const QString modem = findModem(root);
    if (modem.isEmpty())
        return QString();
    const QString reader = findCardReader(modem);
    if (reader.isEmpty()) {
        qWarning("Find no TCard object!");
        return QString();
    }
    const QString card = deviceName(reader);
    if (card.isEmpty()) {
        qWarning("TCard BSDName is nil!");
        return QString();
    }
    return findMountPoint(card);
}
