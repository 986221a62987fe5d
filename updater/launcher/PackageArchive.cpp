#include "updater/launcher/PackageArchive.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace launcher
{

namespace
{

constexpr int kUnzipTimeoutMs = 10 * 60 * 1000;

// The unzip of the system, never one found on a search path.
QString unzipTool()
{
    for (const QString& path : {QStringLiteral("/usr/bin/unzip"), QStringLiteral("/bin/unzip")})
        if (QFileInfo(path).isExecutable())
            return path;
    return QString();
}

bool runUnzip(const QStringList& arguments, QByteArray* output, QString* error)
{
    const QString tool = unzipTool();
    if (tool.isEmpty()) {
        *error = QStringLiteral("unzip is not installed");
        return false;
    }
    QProcess unzip;
    unzip.setProcessChannelMode(output ? QProcess::SeparateChannels : QProcess::ForwardedErrorChannel);
    unzip.start(tool, arguments);
    unzip.closeWriteChannel();
    if (!unzip.waitForFinished(kUnzipTimeoutMs) || unzip.exitStatus() != QProcess::NormalExit ||
        unzip.exitCode() != 0) {
        *error = QStringLiteral("unzip %1 failed (%2)").arg(arguments.join(u' ')).arg(unzip.exitCode());
        return false;
    }
    if (output)
        *output = unzip.readAllStandardOutput();
    return true;
}

struct FileDescriptor {
    int fd;
    ~FileDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool writeAll(int fd, const char* data, qint64 length)
{
    while (length > 0) {
        const ssize_t n = ::write(fd, data, size_t(length));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        length -= n;
    }
    return true;
}

} // namespace

QString topFolderOf(const QString& archive)
{
    QString name = QFileInfo(archive).fileName();
    if (name.endsWith(QStringLiteral(".zip")))
        name.chop(4);
    return name;
}

bool copyVerified(const QString& archive, const QString& folder, qint64 size, const QByteArray& sha256,
                  QString* copy, QString* error)
{
    const FileDescriptor in{
        ::open(QFile::encodeName(archive).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
    struct stat st {
    };
    if (in.fd < 0 || ::fstat(in.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = QStringLiteral("%1 is not a file that can be read").arg(archive);
        return false;
    }
    *copy = folder + u'/' + QFileInfo(archive).fileName();
    const FileDescriptor out{::open(QFile::encodeName(*copy).constData(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600)};
    if (out.fd < 0) {
        *error =
            QStringLiteral("cannot write %1: %2").arg(*copy, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        const ssize_t n = ::read(in.fd, buffer.data(), size_t(buffer.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = QStringLiteral("cannot read %1").arg(archive);
            return false;
        }
        if (n == 0)
            break;
        copied += n;
        if (copied > size) {
            *error = QStringLiteral("%1 is longer than the package").arg(archive);
            return false;
        }
        hash.addData(QByteArrayView(buffer.constData(), n));
        if (!writeAll(out.fd, buffer.constData(), n)) {
            *error = QStringLiteral("cannot write %1").arg(*copy);
            return false;
        }
    }
    if (copied != size || hash.result() != sha256) {
        *error = QStringLiteral("%1 is not the package that was downloaded").arg(archive);
        return false;
    }
    return true;
}

bool isEntryInside(const QString& entry, const QString& topFolder)
{
    if (entry.isEmpty() || topFolder.isEmpty() || entry.startsWith(u'/') || entry.contains(QChar(0)))
        return false;
    const QStringList parts = entry.split(u'/');
    if (parts.first() != topFolder)
        return false;
    for (const QString& part : parts)
        if (part == u"..")
            return false;
    return true;
}

bool unpack(const QString& archive, const QString& folder, QString* error)
{
    QByteArray listing;
    if (!runUnzip({QStringLiteral("-Z1"), archive}, &listing, error))
        return false;
    const QString top = topFolderOf(archive);
    for (const QByteArray& line : listing.split('\n')) {
        if (line.isEmpty())
            continue;
        const QString entry = QFile::decodeName(line);
        if (!isEntryInside(entry, top)) {
            *error = QStringLiteral("the package's entry \"%1\" lies outside %2/").arg(entry, top);
            return false;
        }
    }
    return runUnzip({QStringLiteral("-q"), QStringLiteral("-n"), archive, QStringLiteral("-d"), folder},
                    nullptr, error);
}

} // namespace launcher
