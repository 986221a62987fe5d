#include "platform/agent/AgentWorker.h"

#include "platform/agent/Agent.h"
#include "platform/agent/AgentLog.h"
#include "platform/agent/HttpReplies.h"

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QSaveFile>

namespace agent
{

namespace
{

const QString kDescriptionFile = QStringLiteral("Description.xml");
const QString kUserSelectionFile = QStringLiteral("UserSelection.xml");

bool writeAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        qCWarning(lcAgent).noquote() << "cannot write" << path << ":" << file.errorString();
        return false;
    }
    return true;
}

// A package's address: its file name inside the server's folder URL.
QUrl packageUrl(QString folderUrl, const QString& filename)
{
    if (!folderUrl.endsWith(u'/'))
        folderUrl += u'/';
    return QUrl(folderUrl + QString::fromUtf8(QUrl::toPercentEncoding(filename)));
}

} // namespace

AgentWorker::AgentWorker() = default;

AgentWorker::~AgentWorker()
{
    // Transfers end before the network they use.
    package_.reset();
    check_.reset();
}

QNetworkAccessManager& AgentWorker::network()
{
    if (!network_)
        network_ = std::make_unique<QNetworkAccessManager>();
    return *network_;
}

QString AgentWorker::downloadFolder() const
{
    return downloadFolderOf(settingsPath_);
}

template <class T> void AgentWorker::retire(std::unique_ptr<T> finished)
{
    // A transfer that reports its end is still on the stack: it goes once the
    // event loop is back (or with this worker).
    std::shared_ptr<T> held(std::move(finished));
    QMetaObject::invokeMethod(
        this, [held] {}, Qt::QueuedConnection);
}

void AgentWorker::setState(_CheckVersionState state)
{
    if (CMUpdaterInterface* callbacks = registeredCallbacks())
        callbacks->SetNowDownloadStatus(state);
}

void AgentWorker::setFilePath(const QString& path)
{
    settingsPath_ = path;
}

void AgentWorker::init()
{
    settings_ = readAgentSettings(settingsPath_);
    qCInfo(lcAgent).noquote() << "settings from" << settingsPath_ << ": update server"
                              << (settings_.serviceURL.isEmpty() ? QStringLiteral("(none)")
                                                                 : settings_.serviceURL)
                              << (settings_.enableUpdate ? "" : "(automatic checks off)");
}

void AgentWorker::update(int mode, const _CLIENT_INFO& info)
{
    if (check_) {
        qCInfo(lcAgent) << "a check is already under way; this one is dropped";
        return;
    }
    if (mode == AUTO_UPDATE && !settings_.enableUpdate) {
        setState(NO_DOWNLOAD);
        return;
    }
    setState(CHECK_LOCAL_VERSION);
    setState(CHECK_SERVER_VERSION);
    const QUrl url = checkUrl(settings_.serviceURL, info, mode);
    if (!url.isValid()) {
        checkFinished(std::nullopt, QStringLiteral("no update server is set"));
        return;
    }
    check_ = std::make_unique<UpdateCheck>(
        network(), url, [this](const std::optional<QByteArray>& answer, const QString& error) {
            retire(std::move(check_));
            checkFinished(answer, error);
        });
}

void AgentWorker::checkFinished(const std::optional<QByteArray>& answer, const QString& error)
{
    if (!answer)
        qCWarning(lcAgent).noquote() << "the check failed:" << error;
    writeAtomically(downloadFolder() + u'/' + kDescriptionFile, answer ? *answer : failureDescription(error));
    if (CMUpdaterInterface* callbacks = registeredCallbacks())
        callbacks->HaveNewVsersion();
}

void AgentWorker::download()
{
    if (selection_) {
        qCInfo(lcAgent) << "a download is already under way";
        return;
    }
    setState(DOWNLOADING);
    QString error;
    selection_ = readUserSelection(downloadFolder() + u'/' + kUserSelectionFile, &error);
    if (!selection_) {
        qCWarning(lcAgent).noquote() << "nothing to download:" << error;
        endDownload(false);
        return;
    }
    fileIndex_ = serverIndex_ = 0;
    doneBytes_ = totalBytes_ = 0;
    lastPercent_ = -1;
    lastLine_.clear();
    for (const SelectedFile& file : selection_->files)
        totalBytes_ += file.size;
    downloadCurrentPackage();
}

void AgentWorker::downloadCurrentPackage()
{
    const SelectedFile& file = selection_->files.at(fileIndex_);
    const QUrl url = packageUrl(selection_->serverUrls.at(serverIndex_), file.filename);
    package_ = std::make_unique<PackageDownload>(
        network(), url, file, downloadFolder(), [this](qint64 bytes) { reportProgress(bytes); },
        [this](PackageDownload::Result result, const QString& reason) { packageDone(result, reason); });
    package_->start();
}

void AgentWorker::packageDone(PackageDownload::Result result, const QString& reason)
{
    retire(std::move(package_));
    const SelectedFile& file = selection_->files.at(fileIndex_);
    if (result == PackageDownload::Result::Verified) {
        qCInfo(lcAgent).noquote() << file.filename << "is in place";
        doneBytes_ += file.size;
        serverIndex_ = 0;
        if (++fileIndex_ == selection_->files.size())
            return endDownload(true);
        return downloadCurrentPackage();
    }
    qCWarning(lcAgent).noquote() << file.filename << "from" << selection_->serverUrls.at(serverIndex_) << ":"
                                 << reason;
    if (++serverIndex_ == selection_->serverUrls.size())
        return endDownload(false);
    downloadCurrentPackage();
}

void AgentWorker::reportProgress(qint64 currentPackageBytes)
{
    const QString line = QStringLiteral("Downloading ") + selection_->files.at(fileIndex_).filename;
    const qint64 done = doneBytes_ + currentPackageBytes;
    const int percent = totalBytes_ > 0 ? int(done * 100 / totalBytes_) : 100;
    if (percent == lastPercent_ && line == lastLine_)
        return;
    lastPercent_ = percent;
    lastLine_ = line;
    if (CMUpdaterInterface* callbacks = registeredCallbacks())
        callbacks->DownloadProcess(line.toUtf8().constData(), percent);
}

void AgentWorker::endDownload(bool ok)
{
    selection_.reset();
    setState(ok ? DOWNLOAD_SUCCEED : DOWNLOAD_FAILED);
    if (CMUpdaterInterface* callbacks = registeredCallbacks())
        callbacks->DownloadFinished(ok);
}

void AgentWorker::stopDownload()
{
    package_.reset();
    selection_.reset();
}

void AgentWorker::refuseDownload()
{
    stopDownload();
    QFile::remove(downloadFolder() + u'/' + kDescriptionFile);
    setState(DOWNLOAD_REFUSED);
}

} // namespace agent
