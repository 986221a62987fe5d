#include "tests/updater/UpdaterTestSupport.h"

#include "platform/ns/PropertyList.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

namespace updater_test
{

namespace
{

// The windows need a QApplication; it lives while the tests run.
class QtApplicationEnvironment : public testing::Environment
{
public:
    void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "updater_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

QMutex logMutex;
QStringList logged;
QtMessageHandler previousHandler = nullptr;

void recordMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    {
        QMutexLocker lock(&logMutex);
        logged.append(message);
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

QString fixture(const QString& name)
{
    return QStringLiteral(TRELVAN_FIXTURES_DIR "/updater/") + name;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray sha256Of(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

QString plistText(const ns::Dictionary& dictionary)
{
    return QString::fromUtf8(ns::PropertyList::toXml(dictionary));
}

LogCapture::LogCapture()
{
    QMutexLocker lock(&logMutex);
    logged.clear();
    previousHandler = qInstallMessageHandler(recordMessage);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(previousHandler);
    QMutexLocker lock(&logMutex);
    logged.clear();
}

bool LogCapture::contains(const QString& part) const
{
    QMutexLocker lock(&logMutex);
    for (const QString& message : logged)
        if (message.contains(part))
            return true;
    return false;
}

} // namespace updater_test
