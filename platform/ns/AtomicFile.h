#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace ns
{

// A file written so that a crash never leaves half of it: the bytes go to a
// temporary file beside it ("<name>.trelvan-XXXXXX", X a letter or digit),
// which commit() syncs and renames over the old file, whose permissions it
// takes. A path that is a symbolic link has its target replaced. Temporaries of
// that pattern that a writer killed more than a minute ago left in the folder
// are removed when the temporary is made. Without a commit the old file stays
// as it was and the temporary is removed.
class AtomicFile
{
public:
    explicit AtomicFile(const QString& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Makes the temporary file; false (and a log line) when it cannot.
    bool open();
    bool write(QByteArrayView bytes);
    // False (and a log line) when anything failed; the old file is then untouched.
    bool commit();

private:
    void abandon();

    QString target_;
    QByteArray temporary_;
    int fd_ = -1;
    bool failed_ = false;
};

// Writes bytes to path through an AtomicFile.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace ns
