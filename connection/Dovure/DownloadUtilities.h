#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;

// The network side of the image refresh: asks the operator's server for an
// image's "Last-Modified" value, and downloads an image into the stored copy's
// place. Both answer to the link-list owner (WeblinkUpdateUtilities); failures
// are dropped. Callbacks arrive on the main loop; several requests may run
// at once, each keyed by the address it was started with.
class DownloadUtilities : public QObject
{
public:
    static DownloadUtilities& sharedDownloadManager();

    // Accepted only when it names an existing directory.
    void setDownloadFolder(const QString& path);
    const QString& downloadFolder() const { return downloadFolder_; }

    // A GET of the address; a successful answer's "Last-Modified" header,
    // when it has one, goes to lastModifiedDate with the address. The body is
    // not read.
    void startQueryURLModifiedDate(const QString& address);
    // Downloads the address. The file is wanted when the address ends with
    // the name the server proposes (its Content-Disposition name, else the
    // last part of the address); it is written beside the stored copy and
    // takes its place only when the whole image arrived, so a failed download
    // leaves the old copy (and its date) as they were.
    void startDownloadingURL(const QString& address);
    // The queries and downloads still running.
    int pendingRequests() const { return int(queries_.size() + downloads_.size()); }

private:
    DownloadUtilities();

    struct Download {
        QString address;
        QSaveFile* file = nullptr;
        bool refused = false;
    };

    QNetworkAccessManager& network();
    void queryAnswered(QNetworkReply* reply, const QString& address);
    // Decides the destination when the answer's headers arrive.
    void downloadStarted(QNetworkReply* reply);
    void downloadFinished(QNetworkReply* reply);

    QString downloadFolder_;
    QNetworkAccessManager* network_ = nullptr;
    QSet<QNetworkReply*> queries_;
    QHash<QNetworkReply*, Download> downloads_;
};
