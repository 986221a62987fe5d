#include "connection/Dovure/DownloadUtilities.h"

#include "connection/Dovure/WeblinkUpdateUtilities.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QUrl>

namespace
{

constexpr int kQueryTimeoutMs = 15000;
constexpr int kDownloadTimeoutMs = 60000;
const QByteArray kUserAgent = QByteArrayLiteral("MySpecialUserAgent/1.0");

bool isSuccess(const QNetworkReply* reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 200 && status < 300;
}

bool isRedirect(const QNetworkReply* reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 300 && status < 400;
}

// The file name the server proposes: its Content-Disposition name, else the
// last part of the address it answered.
QString suggestedFilename(const QNetworkReply* reply)
{
    const QString disposition = reply->header(QNetworkRequest::ContentDispositionHeader).toString();
    const qsizetype at = disposition.indexOf(QStringLiteral("filename="), 0, Qt::CaseInsensitive);
    if (at >= 0) {
        QString name = disposition.mid(at + 9).section(u';', 0, 0).trimmed();
        if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
            name = name.mid(1, name.size() - 2);
        name = QFileInfo(name).fileName();
        if (!name.isEmpty())
            return name;
    }
    return reply->url().fileName();
}

} // namespace

DownloadUtilities& DownloadUtilities::sharedDownloadManager()
{
    static DownloadUtilities* manager = new DownloadUtilities;
    return *manager;
}

DownloadUtilities::DownloadUtilities() = default;

void DownloadUtilities::setDownloadFolder(const QString& path)
{
    if (QFileInfo(path).isDir())
        downloadFolder_ = path;
}

QNetworkAccessManager& DownloadUtilities::network()
{
    if (!network_)
        network_ = new QNetworkAccessManager(this);
    return *network_;
}

void DownloadUtilities::startQueryURLModifiedDate(const QString& address)
{
    QNetworkRequest request{QUrl(address)};
    request.setRawHeader(QByteArrayLiteral("User-Agent"), kUserAgent);
    request.setTransferTimeout(kQueryTimeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = network().get(request);
    queries_.insert(reply);
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply, address] {
        if (!isRedirect(reply))
            queryAnswered(reply, address);
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        queries_.remove(reply);
        reply->deleteLater();
    });
}

void DownloadUtilities::queryAnswered(QNetworkReply* reply, const QString& address)
{
    disconnect(reply, &QNetworkReply::metaDataChanged, this, nullptr);
    const QByteArray lastModified = reply->rawHeader(QByteArrayLiteral("Last-Modified"));
    const bool answered = isSuccess(reply) && !lastModified.isEmpty();
    reply->abort();
    if (answered)
        WeblinkUpdateUtilities::sharedUpdateManager().lastModifiedDate(QString::fromLatin1(lastModified),
                                                                       address);
}

void DownloadUtilities::startDownloadingURL(const QString& address)
{
    QNetworkRequest request{QUrl(address)};
    request.setTransferTimeout(kDownloadTimeoutMs);
    QNetworkReply* reply = network().get(request);
    downloads_.insert(reply, Download{address});
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        if (!isRedirect(reply))
            downloadStarted(reply);
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        const Download& download = downloads_.value(reply);
        if (download.file)
            download.file->write(reply->readAll());
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { downloadFinished(reply); });
}

void DownloadUtilities::downloadStarted(QNetworkReply* reply)
{
    disconnect(reply, &QNetworkReply::metaDataChanged, this, nullptr);
    Download& download = downloads_[reply];
    const QString name = suggestedFilename(reply);
    const QString destination =
        WeblinkUpdateUtilities::sharedUpdateManager().destinationSuggestedFilenameForURL(download.address);
    if (!isSuccess(reply) || (!name.isEmpty() && !download.address.endsWith(name)) || destination.isEmpty() ||
        !QDir().mkpath(QFileInfo(destination).absolutePath()) || QFileInfo(destination).isDir()) {
        download.refused = true;
        reply->abort();
        return;
    }
    download.file = new QSaveFile(destination, this);
    if (!download.file->open(QIODevice::WriteOnly)) {
        qWarning("The image %s cannot be written to %s", qPrintable(download.address),
                 qPrintable(destination));
        download.refused = true;
        reply->abort();
    }
}

void DownloadUtilities::downloadFinished(QNetworkReply* reply)
{
    const Download download = downloads_.take(reply);
    reply->deleteLater();
    if (!download.file)
        return;
    bool stored = false;
    if (!download.refused && reply->error() == QNetworkReply::NoError) {
        download.file->write(reply->readAll());
        stored = download.file->commit();
    } else {
        download.file->cancelWriting();
    }
    download.file->deleteLater();
    if (stored)
        WeblinkUpdateUtilities::sharedUpdateManager().downloadDidFinishWithURL(download.address);
    else
        qInfo("The download of %s was dropped", qPrintable(download.address));
}
