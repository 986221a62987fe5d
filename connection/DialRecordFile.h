#pragma once

#include "connection/DialRecords.h"
#include "platform/ns/Value.h"

#include <QString>

#include <sys/types.h>

// One connection history file (the per-SIM record file or the period file):
// an XML property list whose root is an array of record dictionaries, oldest
// first. The object is the one owner of its file: it keeps the parsed
// records and rereads them only when the file changed on disk (its size,
// modification time or identity), so callers may ask many times a second.
// Every write replaces the whole file atomically. A file that exists but
// cannot be read counts as empty and is moved aside as "<name>.unreadable"
// before anything replaces it; a write that fails is logged and leaves the
// last good file in place.
class DialRecordFile
{
public:
    explicit DialRecordFile(const QString& path = QString());

    // Another file; its records are read on the next question.
    void setPath(const QString& path);
    const QString& path() const { return path_; }

    // The records as the file holds them now: empty when it is missing or
    // unreadable. Elements that are not dictionaries are kept as they are.
    const ns::Array& records();
    // The totals of those records, computed once per change of the file.
    const dial_record::Totals& totals();
    // The file exists but could not be read (as of the last look at it).
    bool isUnreadable();

    // Each write answers whether the file now holds what was asked.
    // Appends one record to what the file holds now.
    bool append(const ns::Dictionary& record);
    // Replaces the whole history.
    bool write(const ns::Array& records);

private:
    // Identity, size and modification time of the file; all zero when it is missing.
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        qint64 modifiedNanoseconds = 0;
        bool exists = false;
        bool operator==(const Stamp&) const = default;
    };
    Stamp stampOnDisk() const;
    // Rereads the file when its stamp changed since the last read.
    void refresh();
    bool setAsideUnreadableFile();

    QString path_;
    ns::Array records_;
    dial_record::Totals totals_;
    Stamp stamp_;
    bool loaded_ = false;
    bool unreadable_ = false;
};
