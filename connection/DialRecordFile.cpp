#include "connection/DialRecordFile.h"

#include "platform/ns/PropertyList.h"

#include <QFile>

#include <sys/stat.h>

namespace
{

const QString kUnreadableSuffix = QStringLiteral(".unreadable");

} // namespace

DialRecordFile::DialRecordFile(const QString& path) : path_(path) {}

void DialRecordFile::setPath(const QString& path)
{
    if (path == path_)
        return;
    path_ = path;
    loaded_ = false;
}

DialRecordFile::Stamp DialRecordFile::stampOnDisk() const
{
    struct stat info {
    };
    Stamp stamp;
    if (path_.isEmpty() || ::stat(QFile::encodeName(path_).constData(), &info) != 0)
        return stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedNanoseconds = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.exists = true;
    return stamp;
}

void DialRecordFile::refresh()
{
    const Stamp now = stampOnDisk();
    if (loaded_ && now == stamp_)
        return;
    loaded_ = true;
    stamp_ = now;
    records_ = ns::Array();
    unreadable_ = false;
    if (now.exists) {
        if (std::optional<ns::Array> records = ns::PropertyList::readArray(path_)) {
            records_ = *records;
        } else {
            unreadable_ = true;
            qWarning("The connection record file %s cannot be read; it counts as empty", qPrintable(path_));
        }
    }
    totals_ = dial_record::totalsOf(records_);
}

const ns::Array& DialRecordFile::records()
{
    refresh();
    return records_;
}

const dial_record::Totals& DialRecordFile::totals()
{
    refresh();
    return totals_;
}

bool DialRecordFile::isUnreadable()
{
    refresh();
    return unreadable_;
}

bool DialRecordFile::append(const ns::Dictionary& record)
{
    ns::Array records = this->records().copy();
    records.append(record);
    return write(records);
}

bool DialRecordFile::write(const ns::Array& records)
{
    if (path_.isEmpty())
        return false;
    if (isUnreadable() && !setAsideUnreadableFile())
        return false;
    if (!ns::PropertyList::writeFile(path_, records)) {
        qWarning("Cannot write the connection record file %s; it keeps its last content", qPrintable(path_));
        loaded_ = false;
        return false;
    }
    // What was written is what the file holds: no need to parse it again.
    records_ = records.copy();
    totals_ = dial_record::totalsOf(records_);
    stamp_ = stampOnDisk();
    loaded_ = true;
    unreadable_ = false;
    return true;
}

bool DialRecordFile::setAsideUnreadableFile()
{
    const QString aside = path_ + kUnreadableSuffix;
    QFile::remove(aside);
    if (!QFile::rename(path_, aside)) {
        qWarning("Cannot move the unreadable connection record file %s aside; it is not overwritten",
                 qPrintable(path_));
        return false;
    }
    qWarning("The unreadable connection record file was kept as %s", qPrintable(aside));
    return true;
}
