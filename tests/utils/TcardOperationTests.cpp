#include "app/utils/TcardOperation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace
{

// A small sysfs and mount table: a root hub, another maker's USB stick, and our
// modem with its driver disc (sr0, a removable optical drive) and card reader.
class TcardVolumeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        qputenv(kTcardSysfsRootVariable, QFile::encodeName(dir_.filePath("sys")));
        qputenv(kTcardMountsFileVariable, QFile::encodeName(dir_.filePath("mounts")));
        addUsbDevice("usb1", "1d6b");
        const QString stick = addUsbDevice("usb1/1-1", "abcd");
        addDisk(stick + "/1-1:1.0/host4/target4:0:0/4:0:0:0", "sda", "0", 1000);
        modem_ = addUsbDevice("usb1/1-2", "5e1c");
        addDisk(modem_ + "/1-2:1.0/host5/target5:0:0/5:0:0:0", "sr0", "5", 1000);
    }

    void TearDown() override
    {
        qunsetenv(kTcardSysfsRootVariable);
        qunsetenv(kTcardMountsFileVariable);
    }

    // A USB device folder under sys/devices, linked from sys/bus/usb/devices as the kernel does.
    QString addUsbDevice(const QString& relative, const char* vendor)
    {
        const QString device = dir_.filePath("sys/devices/pci0000:00/" + relative);
        QDir().mkpath(device);
        write(device + "/idVendor", QByteArray(vendor) + "\n");
        QDir().mkpath(dir_.filePath("sys/bus/usb/devices"));
        const QString link = dir_.filePath("sys/bus/usb/devices/" + QFileInfo(relative).fileName());
        EXPECT_EQ(::symlink(QFile::encodeName(device).constData(), QFile::encodeName(link).constData()), 0);
        return device;
    }

    // A SCSI device of the given type with its block device, linked back as the kernel does.
    QString addDisk(const QString& scsiDevice, const char* name, const char* scsiType, qint64 sectors,
                    bool withDevName = true)
    {
        const QString disk = scsiDevice + "/block/" + name;
        QDir().mkpath(disk + "/" + name + "1");
        write(scsiDevice + "/type", QByteArray(scsiType) + "\n");
        write(disk + "/removable", "1\n");
        write(disk + "/size", QByteArray::number(sectors) + "\n");
        write(disk + "/uevent", "MAJOR=8\nMINOR=16\n" +
                                    (withDevName ? "DEVNAME=" + QByteArray(name) + "\n" : "") +
                                    "DEVTYPE=disk\n");
        EXPECT_EQ(::symlink("../..", QFile::encodeName(disk + "/device").constData()), 0);
        return disk;
    }

    QString addCardReader(const char* name, qint64 sectors = 7744512, bool withDevName = true)
    {
        return addDisk(modem_ + "/1-2:1.0/host5/target5:0:0/5:0:0:1", name, "0", sectors, withDevName);
    }

    void writeMounts(const QByteArray& lines)
    {
        write(dir_.filePath("mounts"), "sysfs /sys sysfs rw,nosuid 0 0\n"
                                       "/dev/sda1 /media/stick vfat rw 0 0\n"
                                       "/dev/sr0 /media/cdrom iso9660 ro 0 0\n" +
                                           lines);
    }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir_;
    QString modem_;
};

} // namespace

TEST_F(TcardVolumeTest, FindsTheCardPartitionPastNetworkAndOtherDisks)
{
    addCardReader("sdb");
    writeMounts("//nas/sdb1 /mnt/share cifs rw 0 0\n"
                "nas:/export/sdb1 /mnt/nfs nfs4 rw 0 0\n"
                "/dev/sdbb1 /media/other ext4 rw 0 0\n"
                "/dev/sdb1 /media/user/NO\\040NAME vfat rw,nosuid 0 0\n");
    EXPECT_EQ(getTcardVolume(), "/media/user/NO NAME");
}

TEST_F(TcardVolumeTest, MatchesOnlyTheCardAndItsPartitions)
{
    struct Case {
        const char* card;
        QByteArray mounts;
        QString expected;
    };
    const Case cases[] = {
        {"sdb", "/dev/sdbb1 /media/other ext4 rw 0 0\n", QString()},
        {"sdb", "/dev/sdbb /media/other ext4 rw 0 0\n/dev/sdb /media/whole vfat rw 0 0\n", "/media/whole"},
        {"sdb", "/dev/sdb12 /media/p12 vfat rw 0 0\n", "/media/p12"},
        {"sdb", "/dev/sdbp1 /media/p vfat rw 0 0\n", QString()},
        {"mmcblk0", "/dev/mmcblk0p1 /media/sd vfat rw 0 0\n", "/media/sd"},
        {"mmcblk0", "/dev/mmcblk01 /media/a vfat rw 0 0\n/dev/mmcblk0p /media/b vfat rw 0 0\n", QString()},
        {"mmcblk0", "/dev/mmcblk10p1 /media/c vfat rw 0 0\n", QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mounts.constData());
        addCardReader(c.card);
        writeMounts(c.mounts);
        EXPECT_EQ(getTcardVolume(), c.expected);
        QDir(modem_ + "/1-2:1.0/host5/target5:0:0/5:0:0:1").removeRecursively();
    }
}

TEST_F(TcardVolumeTest, NilWithoutModemCardReaderOrCard)
{
    writeMounts("/dev/sdb1 /media/card vfat rw 0 0\n");
    // The modem shows only its driver disc.
    EXPECT_TRUE(getTcardVolume().isNull());

    // The card reader is empty.
    addCardReader("sdb", 0);
    EXPECT_TRUE(getTcardVolume().isNull());

    // A card whose device name the kernel does not give.
    QDir(modem_ + "/1-2:1.0/host5/target5:0:0/5:0:0:1").removeRecursively();
    addCardReader("sdb", 7744512, false);
    EXPECT_TRUE(getTcardVolume().isNull());

    // A card, but no modem of ours plugged in.
    QDir(modem_ + "/1-2:1.0/host5/target5:0:0/5:0:0:1").removeRecursively();
    addCardReader("sdb");
    ASSERT_EQ(getTcardVolume(), "/media/card");
    write(modem_ + "/idVendor", "abce\n");
    EXPECT_TRUE(getTcardVolume().isNull());
}
