#include "tests/config/ConfigTestSupport.h"

#include "app/config/ConfigManager.h"
#include "app/log/KLog.h"
#include "platform/ns/Clock.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using ns::Dictionary;

namespace
{

// Collects what goes to the system log while it lives.
class SystemLogCapture
{
public:
    SystemLogCapture() { previous_ = qInstallMessageHandler(&SystemLogCapture::collect); }
    ~SystemLogCapture()
    {
        qInstallMessageHandler(previous_);
        messages().clear();
    }
    static QStringList& messages()
    {
        static QStringList list;
        return list;
    }

private:
    static void collect(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtInfoMsg)
            messages().append(message);
    }
    QtMessageHandler previous_;
};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

mode_t modeOf(const QString& path)
{
    struct stat status {
    };
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777;
}

class KLogTest : public ::testing::Test
{
protected:
    void SetUp() override { ns::Clock::setCurrent(&clock_); }
    void TearDown() override { ns::Clock::setCurrent(nullptr); }

    QString writeLog() const { return logs_.filePath("at_write.log"); }
    QString readLog() const { return logs_.filePath("at_read.log"); }

    QTemporaryDir logs_;
    TemporaryAppBundle app_{Dictionary{{"LogFileDir", logs_.path()}}};
    ConfigManager store_;
    ns::ManualClock clock_{QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9, 45))}; // local time
};

} // namespace

TEST_F(KLogTest, FilesAreCreatedOnlyWhileLoggingIsOnAndOwnedByTheUserAlone)
{
    KLog log(store_);
    EXPECT_FALSE(log.getKLogFlag());
    log.output(0, "AT+CPIN=\"1234\"\r");
    log.output(1, "OK");
    EXPECT_FALSE(QFileInfo::exists(writeLog()));
    EXPECT_FALSE(QFileInfo::exists(readLog()));

    log.setKLogFlag(true);
    EXPECT_TRUE(log.getKLogFlag());
    EXPECT_EQ(modeOf(writeLog()), mode_t(0600));
    EXPECT_EQ(modeOf(readLog()), mode_t(0600));

    log.output(0, "AT+CSQ\r");
    log.output(0, "AT+COPS?\r");
    log.output(1, "+CSQ: 20,99");
    EXPECT_EQ(contents(writeLog()), "03/05/24 07:08:09:045\tAT+CSQ\r03/05/24 07:08:09:045\tAT+COPS?\r");
    EXPECT_EQ(contents(readLog()), "\n03/05/24 07:08:09:045\n+CSQ: 20,99");

    log.setKLogFlag(false);
    log.output(0, "AT+CPIN=\"1234\"\r");
    EXPECT_FALSE(contents(writeLog()).contains("CPIN"));
}

TEST_F(KLogTest, ExistingFilesAreAppendedToNeverTruncated)
{
    ASSERT_TRUE(writeFile(writeLog(), "earlier\n"));
    KLog log(store_);
    log.setKLogFlag(true);
    log.output(0, "AT\r");
    log.setKLogFlag(false);
    log.setKLogFlag(true);
    log.output(0, "ATI\r");
    EXPECT_EQ(contents(writeLog()), "earlier\n03/05/24 07:08:09:045\tAT\r03/05/24 07:08:09:045\tATI\r");
}

TEST_F(KLogTest, TypesAreRoutedByTheTable)
{
    SystemLogCapture systemLog;
    KLog log(store_);
    log.setKLogFlag(true);
    for (int type : {-1, 2, 3, 7, 100})
        log.output(type, "discarded");
    EXPECT_EQ(contents(writeLog()), "");
    EXPECT_EQ(contents(readLog()), "");
    EXPECT_TRUE(SystemLogCapture::messages().isEmpty());

    for (int type : {4, 5, 6})
        log.output(type, QByteArray::number(type).constData());
    EXPECT_EQ(SystemLogCapture::messages(), (QStringList{"4", "5", "6"}));
    EXPECT_EQ(contents(writeLog()), "");
}

TEST_F(KLogTest, AnythingButARegularFileInPlaceOfALogIsRefused)
{
    const QString target = logs_.filePath("target");
    struct Row {
        const char* what;
        std::function<bool(const QString& logPath)> put;
        QByteArray targetAfter; // null: the target must not exist
    } rows[] = {
        {"symbolic link to a file",
         [&](const QString& p) { return writeFile(target, "kept") && QFile::link(target, p); }, "kept"},
        {"dangling symbolic link", [&](const QString& p) { return QFile::link(target, p); }, QByteArray()},
        {"folder", [](const QString& p) { return QDir().mkdir(p); }, QByteArray()},
        {"named pipe", [](const QString& p) { return ::mkfifo(QFile::encodeName(p).constData(), 0600) == 0; },
         QByteArray()},
    };
    for (const Row& row : rows) {
        QFile::remove(target);
        QFile::remove(writeLog());
        QFile::remove(readLog());
        QDir(writeLog()).removeRecursively();
        ASSERT_TRUE(row.put(writeLog())) << row.what;
        const bool wasLink = QFileInfo(writeLog()).isSymLink();

        KLog log(store_);
        log.setKLogFlag(true);
        log.output(0, "AT+CPIN=\"1234\"\r");
        log.output(1, "OK");

        EXPECT_EQ(QFileInfo(writeLog()).isSymLink(), wasLink) << row.what;
        if (row.targetAfter.isNull())
            EXPECT_FALSE(QFileInfo::exists(target)) << row.what;
        else
            EXPECT_EQ(contents(target), row.targetAfter) << row.what;
        EXPECT_EQ(contents(readLog()), "\n03/05/24 07:08:09:045\nOK") << row.what; // the other log works
    }
}

TEST_F(KLogTest, AFileOfAnotherUserIsRefused)
{
    ASSERT_TRUE(writeFile(writeLog(), ""));
    if (::chown(QFile::encodeName(writeLog()).constData(), 65534, 65534) != 0)
        GTEST_SKIP() << "handing a file to another user needs root";
    ::chmod(QFile::encodeName(writeLog()).constData(), 0666);

    KLog log(store_);
    log.setKLogFlag(true);
    log.output(0, "AT+CPIN=\"1234\"\r");
    EXPECT_EQ(contents(writeLog()), "");
}

TEST(KLog, WithoutAConfiguredFolderTheLogsGoToAPrivateFolderOfTheUser)
{
    QTemporaryDir state;
    const QByteArray previous = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    TemporaryAppBundle app;
    ConfigManager store;

    KLog log(store);
    const QString folder = state.filePath("trelvan/logs");
    EXPECT_EQ(log.logDir(), folder);
    EXPECT_FALSE(QFileInfo::exists(state.filePath("trelvan")));

    log.setKLogFlag(true);
    EXPECT_EQ(modeOf(state.filePath("trelvan")), mode_t(0700));
    EXPECT_EQ(modeOf(folder), mode_t(0700));
    EXPECT_EQ(modeOf(folder + "/at_write.log"), mode_t(0600));
    EXPECT_EQ(modeOf(folder + "/at_read.log"), mode_t(0600));
    log.setKLogFlag(false);

    if (previous.isNull())
        qunsetenv("XDG_STATE_HOME");
    else
        qputenv("XDG_STATE_HOME", previous);
}

TEST(KLogFunctions, TheSwitchGovernsTheSharedLogAndOnlySystemLogTypesAreFormatted)
{
    QTemporaryDir logs;
    TemporaryAppBundle app(Dictionary{{"LogFileDir", logs.path()}});
    SystemLogCapture systemLog;
    const QString writeLog = logs.filePath("at_write.log");

    EXPECT_FALSE(IsKLogOpen());
    ShowKLog("hidden %d", 1);
    DCLog(0, "AT+CPIN=\"1234\"\r");
    EXPECT_FALSE(QFileInfo::exists(writeLog));
    EXPECT_TRUE(SystemLogCapture::messages().isEmpty());

    SetKLogOpen(true);
    EXPECT_TRUE(IsKLogOpen());
    ShowKLog("shown %d", 2);
    DCLog(5, "signal %d of %s", 4, "5");
    DCLog(0, "rate 100%%");
    DCLog(2, "diagnostic");
    EXPECT_EQ(SystemLogCapture::messages(), (QStringList{"shown 2", "signal 4 of 5"}));
    EXPECT_TRUE(contents(writeLog).endsWith("\trate 100%%"));
    EXPECT_EQ(contents(logs.filePath("at_read.log")), "");
    SetKLogOpen(false);
}
