// Installing the connection manager's package: the connection manager must be
// closed, the mode-switch daemon is stopped, and the package's installer tool
// runs with administrator rights through the engine launcher, which takes the
// verified archive into a folder of its own. Also the unpacking of the
// firmware archive and the checks of both archives.
#include "updater/UpdateControl.h"

#include "platform/authorization/Authorization.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/appkit/Workspace.h"
#include "updater/UpdatePaths.h"
#include "updater/UpdateTextKeys.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtDebug>

#include <cstdlib>
#include <unistd.h>

namespace
{

const QString kCMPackage = QStringLiteral("CMUpdatePackage.zip");
const QString kLauncherName = QStringLiteral("EngineLauncher");
const QString kDaemonName = QStringLiteral("Pernask");
// Info.plist keys of argument vectors that replace the daemon's stop and start.
const QString kStopCommandKey = QStringLiteral("PernaskStopCommand");
const QString kStartCommandKey = QStringLiteral("PernaskStartCommand");
constexpr int kUnzipTimeoutMs = 10 * 60 * 1000;

// The folder of the bundle's executable, where the launcher and the daemon lie.
QString executableFolder()
{
    return QFileInfo(ns::Bundle::mainBundle().executablePath()).absolutePath();
}

QStringList commandOf(const QString& key)
{
    QStringList command;
    for (const ns::Value& part : ns::Bundle::mainBundle().objectForInfoDictionaryKey(key).toArray())
        command.append(part.stringValue());
    return command;
}

QByteArray sha256Of(QFile& file)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return hash.addData(&file) ? hash.result().toHex() : QByteArray();
}

// An anonymous file can be made in the temporary folder (TMPDIR, else /tmp).
bool canMakeTemporaryFile()
{
    QByteArray path = QFile::encodeName(qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp")) +
                                        QStringLiteral("/varnock.XXXXXX"));
    const int fd = ::mkstemp(path.data());
    if (fd < 0)
        return false;
    ::unlink(path.constData());
    ::close(fd);
    return true;
}

} // namespace

bool UpdateControl::isProcExist(const QString& bundleIdentifier) const
{
    for (const ns::Dictionary& application : ns::Workspace::sharedWorkspace().runningApplications())
        if (application.value(ns::kApplicationBundleIdentifierKey).stringValue() == bundleIdentifier)
            return true;
    return false;
}

modeswitch::ModeSwitchControl UpdateControl::modeSwitchControl() const
{
    return modeswitch::ModeSwitchControl(executableFolder() + u'/' + kDaemonName, commandOf(kStopCommandKey),
                                         commandOf(kStartCommandKey));
}

bool UpdateControl::killMacSwapper()
{
    if (!modeSwitchControl().stop())
        qWarning("The mode-switch daemon could not be stopped");
    return true;
}

bool UpdateControl::startMacSwapper()
{
    if (!modeSwitchControl().start())
        qWarning("The mode-switch daemon could not be started");
    return true;
}

std::optional<UpdateControl::VerifiedPackage> UpdateControl::verifiedPackage(const QString& filename,
                                                                             bool requireDigest) const
{
    ns::Dictionary entry;
    for (const ns::Value& value : m_SelectDic.value(QStringLiteral("UpdateFile")).toArray())
        if (value.toDictionary().value(QStringLiteral("Filename")).stringValue() == filename)
            entry = value.toDictionary();
    VerifiedPackage package;
    package.path = UpdatePaths::localPath(UpdatePaths::kDownloadFolder) + u'/' + filename;
    bool sized = false;
    package.size = entry.value(QStringLiteral("Size")).stringValue().toLongLong(&sized);
    package.sha256 = entry.value(QStringLiteral("SHA256")).stringValue().trimmed().toLower();
    const bool hasDigest =
        QByteArray::fromHex(package.sha256.toLatin1()).size() == 32 && package.sha256.size() == 64;
    if (!sized || package.size < 0 || (!hasDigest && (requireDigest || !package.sha256.isEmpty()))) {
        qWarning("The selection gives %s no size or SHA-256 digest", qPrintable(filename));
        return std::nullopt;
    }
    QFile file(package.path);
    if (!QFileInfo(package.path).isFile() || QFileInfo(package.path).isSymLink() ||
        !file.open(QIODevice::ReadOnly) || file.size() != package.size ||
        (hasDigest && sha256Of(file) != package.sha256.toLatin1())) {
        qWarning("%s is missing or is not the package that was chosen", qPrintable(package.path));
        return std::nullopt;
    }
    return package;
}

void UpdateControl::UnZipFile(const QString& path)
{
    if (!QFileInfo::exists(path))
        return;
    const QString folder =
        path.endsWith(QStringLiteral(".zip")) ? path.chopped(4) : QFileInfo(path).completeBaseName();
    const QFileInfo old(folder);
    if (old.isSymLink() ? !QFile::remove(folder) : old.exists() && !QDir(folder).removeRecursively())
        qWarning("The old folder %s cannot be removed", qPrintable(folder));
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-q"), QStringLiteral("-u"), path,
                                          QStringLiteral("-d"), QFileInfo(path).absolutePath()});
    unzip.closeWriteChannel();
    if (!unzip.waitForFinished(kUnzipTimeoutMs) || unzip.exitStatus() != QProcess::NormalExit ||
        unzip.exitCode() != 0)
        qWarning("Cannot unpack %s: %s", qPrintable(path),
                 qPrintable(QString::fromLocal8Bit(unzip.readAllStandardError()).trimmed()));
}

int UpdateControl::creatAuthorization()
{
    authorization::Status status = authorization::errAuthorizationSuccess;
    m_AuthRef = authorization::Authorization::create(&status);
    if (status != authorization::errAuthorizationSuccess)
        qWarning("Authorization failed with :%d", int(status));
    return status;
}

int UpdateControl::AuthStartEngine()
{
    if (!canMakeTemporaryFile()) {
        qWarning("TMPDIR was %s", qPrintable(qEnvironmentVariable("TMPDIR")));
        QDir().mkpath(QStringLiteral("/tmp"));
        qputenv("TMPDIR", "/tmp");
        qWarning("TMPDIR is now %s", qPrintable(qEnvironmentVariable("TMPDIR")));
    }

    authorization::Status status = authorization::errAuthorizationDenied;
    const std::optional<VerifiedPackage> package = verifiedPackage(kCMPackage, true);
    if (m_AuthRef && package)
        status = m_AuthRef->executeWithPrivileges(
            executableFolder() + u'/' + kLauncherName,
            {package->path, QString::number(package->size), package->sha256});
    qInfo("The installer tool's start: %d", int(status));
    if (status != authorization::errAuthorizationSuccess)
        AddProcessInfo(MapLangString(CM_UPDATE_AUTHFAILED_STR), true);
    return status;
}

void UpdateControl::releaseAuthorization()
{
    m_AuthRef.reset();
}

void UpdateControl::CancelUIUpdate()
{
    m_UpdateState = 7;
    m_SelectedModule = m_SelectedModule == 3 ? 1 : 0;
    UpdateTextColorFor(m_UpdateState, m_SelectedModule);
    m_OKCancelBtn->setEnabled(true);
    m_OKCancelBtn->setTitle(MapLangString(CM_UPDATER_STR_OK));
}

void UpdateControl::installConnectionManager()
{
    if (isConnectionManagerRunning()) {
        beginSheet(m_CloseUIWnd.get());
        return;
    }
    // Nothing runs as administrator, and nobody is asked, for an archive that is not the one chosen.
    if (!verifiedPackage(kCMPackage, true)) {
        AddProcessInfo(MapLangString(CM_UPDATER_UNZIP_FAILED_STR), true);
        CancelUIUpdate();
        return;
    }
    killMacSwapper();
    if (creatAuthorization() != 0) {
        AddProcessInfo(MapLangString(CM_UPDATE_AUTHFAILED_STR), true);
        CancelUIUpdate();
        return;
    }
    if (AuthStartEngine() != 0)
        CancelUIUpdate();
}
