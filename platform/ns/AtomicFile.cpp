#include "platform/ns/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ns
{

namespace
{

const QString kMarker = QStringLiteral(".trelvan-");
constexpr int kSuffixLength = 6;
constexpr char kSuffixCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// A temporary this old was left by a writer that died: no write takes a minute.
constexpr time_t kStaleSeconds = 60;

bool isSuffixCharacter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

// "<name>.trelvan-XXXXXX" exactly, with a name of at least one character.
bool isTemporaryName(const QString& name)
{
    const qsizetype marker = name.size() - kSuffixLength - kMarker.size();
    if (marker < 1 || QStringView(name).mid(marker, kMarker.size()) != kMarker)
        return false;
    for (qsizetype i = name.size() - kSuffixLength; i < name.size(); ++i)
        if (!isSuffixCharacter(name.at(i)))
            return false;
    return true;
}

QString temporaryName(const QString& name)
{
    QString suffix;
    for (int i = 0; i < kSuffixLength; ++i)
        suffix += QLatin1Char(
            kSuffixCharacters[QRandomGenerator::global()->bounded(int(sizeof kSuffixCharacters) - 1)]);
    return name + kMarker + suffix;
}

// Removes the temporaries in folder that writers killed mid-write left behind:
// regular files of this user, named by the pattern, untouched for a minute.
void removeStaleTemporaries(const QString& folder)
{
    const QStringList candidates = QDir(folder).entryList(
        {QStringLiteral("*") + kMarker + QString(kSuffixLength, u'?')}, QDir::Files | QDir::Hidden);
    const time_t now = std::time(nullptr);
    for (const QString& name : candidates) {
        if (!isTemporaryName(name))
            continue;
        const QByteArray path = QFile::encodeName(folder + u'/' + name);
        struct stat st {
        };
        if (lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid() ||
            now - st.st_mtime < kStaleSeconds)
            continue;
        if (unlink(path.constData()) == 0)
            qInfo("Removed %s, left by an interrupted write", path.constData());
    }
}

// The file a write to path replaces: path itself, or the target of the
// symbolic links it goes through.
QString finalTarget(const QString& path)
{
    QFileInfo info(path);
    for (int hops = 0; hops < 40 && info.isSymLink(); ++hops)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

} // namespace

AtomicFile::AtomicFile(const QString& path) : target_(finalTarget(path)) {}

AtomicFile::~AtomicFile()
{
    abandon();
}

bool AtomicFile::open()
{
    const QFileInfo info(target_);
    if (info.isDir()) {
        qWarning("Cannot write %s: it is a folder", qPrintable(target_));
        return false;
    }
    const QString folder = info.absolutePath();
    removeStaleTemporaries(folder);
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = QFile::encodeName(folder + u'/' + temporaryName(info.fileName()));
        fd_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        qWarning("Cannot write %s: %s", qPrintable(target_), std::strerror(errno));
        return false;
    }
    // The new file keeps the permissions of the one it replaces.
    struct stat old {
    };
    if (stat(QFile::encodeName(target_).constData(), &old) == 0)
        fchmod(fd_, old.st_mode & 07777);
    return true;
}

bool AtomicFile::write(QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (!failed_ && fd_ >= 0 && left > 0) {
        const ssize_t n = ::write(fd_, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            qWarning("Cannot write %s: %s", qPrintable(target_), std::strerror(errno));
            failed_ = true;
            break;
        }
        data += n;
        left -= n;
    }
    return !failed_ && fd_ >= 0;
}

bool AtomicFile::commit()
{
    if (failed_ || fd_ < 0) {
        abandon();
        return false;
    }
    const bool synced = fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed || ::rename(temporary_.constData(), QFile::encodeName(target_).constData()) != 0) {
        qWarning("Cannot write %s: %s", qPrintable(target_), std::strerror(errno));
        abandon();
        return false;
    }
    temporary_.clear();
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(QFile::encodeName(QFileInfo(target_).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        ::close(folder);
    }
    return true;
}

void AtomicFile::abandon()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    temporary_.clear();
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    AtomicFile file(path);
    return file.open() && file.write(bytes) && file.commit();
}

} // namespace ns
