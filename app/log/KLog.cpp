#include "app/log/KLog.h"

#include "app/config/ConfigManager.h"
#include "platform/ns/Clock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

const QString kLogFileDirKey = QStringLiteral("LogFileDir");
const QString kWriteLogName = QStringLiteral("/at_write.log");
const QString kReadLogName = QStringLiteral("/at_read.log");
const QString kTimeStampFormat = QStringLiteral("MM/dd/yy HH:mm:ss:zzz");

// The log folder when the settings name none: a folder of the user's own
// state, never a shared one such as /tmp.
QString privateLogFolder()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(base)) // relative values are to be ignored
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base + QStringLiteral("/trelvan/logs"));
}

// Creates the folder and its missing parents, each for the owner alone.
bool makePrivateFolder(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return true;
    const QString parent = info.path();
    if (parent != path && !makePrivateFolder(parent))
        return false;
    return ::mkdir(QFile::encodeName(path).constData(), S_IRWXU) == 0 || QFileInfo(path).isDir();
}

// Opens a log file for appending, creating it for the owner alone. A symbolic
// link, anything but a regular file, or a file of another user is refused.
int openLogFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK keeps a FIFO put in the file's place from blocking the open.
    const int fd =
        ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
               S_IRUSR | S_IWUSR);
    if (fd < 0) {
        qWarning("Cannot open the log file %s: %s", name.constData(), std::strerror(errno));
        return -1;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
        qWarning("Not logging to %s: it is not a regular file of this user", name.constData());
        ::close(fd);
        return -1;
    }
    return fd;
}

void closeLogFile(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

QByteArray timeStamp()
{
    return ns::Clock::current().now().toLocalTime().toString(kTimeStampFormat).toUtf8();
}

QByteArray formatted(const char* format, va_list arguments)
{
    va_list measure;
    va_copy(measure, arguments);
    const int size = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (size <= 0)
        return QByteArray();
    QByteArray text(size, Qt::Uninitialized); // the terminating NUL has its room beyond size()
    std::vsnprintf(text.data(), size_t(size) + 1, format, arguments);
    return text;
}

} // namespace

namespace
{
std::atomic<KLog*> sharedInstance{nullptr};
} // namespace

KLog& KLog::sharedLog()
{
    static KLog* shared = [] {
        auto* log = new KLog(ConfigManager::sharedConfigManager()); // never freed
        sharedInstance = log;
        return log;
    }();
    return *shared;
}

KLog::KLog(const ConfigManager& store)
    : logDir_(folderOf(store)),
      privateFolder_(store.getConfigurationByModule(kLogFileDirKey).toString().isEmpty())
{
}

QString KLog::folderOf(const ConfigManager& store)
{
    const QString configured = store.getConfigurationByModule(kLogFileDirKey).toString();
    return configured.isEmpty() ? privateLogFolder() : configured;
}

KLog::~KLog()
{
    closeFiles();
}

bool KLog::getKLogFlag() const
{
    std::lock_guard guard(lock_);
    return m_LogFlag;
}

void KLog::setKLogFlag(bool on)
{
    std::lock_guard guard(lock_);
    if (on == m_LogFlag)
        return;
    m_LogFlag = on;
    if (on)
        openFiles();
    else
        closeFiles();
}

void KLog::openFiles()
{
    if (privateFolder_ && !makePrivateFolder(logDir_))
        qWarning("Cannot create the log folder %s", qPrintable(logDir_));
    ATWrite_ = openLogFile(logDir_ + kWriteLogName);
    ATRead_ = openLogFile(logDir_ + kReadLogName);
}

void KLog::closeFiles()
{
    closeLogFile(ATWrite_);
    closeLogFile(ATRead_);
}

void KLog::append(int KLog::*file, const QByteArray& bytes)
{
    std::lock_guard guard(lock_);
    const int fd = this->*file;
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (fd >= 0 && left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        data += written;
        left -= written;
    }
}

void KLog::putATWriteLog(const char* text)
{
    append(&KLog::ATWrite_, timeStamp() + '\t' + text);
}

void KLog::putATReadLog(const char* text)
{
    append(&KLog::ATRead_, '\n' + timeStamp() + '\n' + text);
}

void KLog::output(const char* text)
{
    qInfo("%s", text);
}

void KLog::output(int type, const char* text)
{
    switch (type) {
    case 0:
        putATWriteLog(text);
        break;
    case 1:
        putATReadLog(text);
        break;
    case 2:
        putDiagWriteLog(text);
        break;
    case 3:
        putDiagReadLog(text);
        break;
    case 4:
    case 5:
    case 6:
        output(text);
        break;
    default:
        break;
    }
}

void SetKLogOpen(bool open)
{
    KLog::sharedLog().setKLogFlag(open);
}

bool IsKLogOpen()
{
    // A log not made yet is switched off: asking does not make it.
    const KLog* log = sharedInstance.load();
    return log && log->getKLogFlag();
}

void ShowKLog(const char* format, ...)
{
    if (!IsKLogOpen())
        return;
    va_list arguments;
    va_start(arguments, format);
    const QByteArray text = formatted(format, arguments);
    va_end(arguments);
    KLog::sharedLog().output(text.constData());
}

void DCLog(int type, const char* format, ...)
{
    QByteArray text;
    if (type >= 4 && type <= 6) {
        va_list arguments;
        va_start(arguments, format);
        text = formatted(format, arguments);
        va_end(arguments);
    } else {
        text = format;
    }
    KLog::sharedLog().output(type, text.constData());
}
