#pragma once

#include "platform/agent/Sha256.h"
#include "platform/agent/UserSelection.h"

#include <QFile>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace agent
{

// One package from one server into the download folder. The bytes go to
// "Filename.tmp" and are hashed as they arrive; a ".tmp" left by an earlier
// attempt is hashed first and continued with a Range request (a server that
// ignores the range starts the file again). The file never grows past its
// Size. When it is complete its size and SHA-256 digest are checked and it is
// renamed to its name.
class PackageDownload
{
public:
    enum class Result {
        Verified, // the package is in place under its name
        Cut,      // the transfer ended early: the ".tmp" stays for the next attempt
        Bad,      // the bytes are not the package: the ".tmp" is removed
    };
    // The bytes of the package on disk so far.
    using Progress = std::function<void(qint64 bytes)>;
    using Done = std::function<void(Result result, const QString& reason)>;

    PackageDownload(QNetworkAccessManager& network, const QUrl& url, const SelectedFile& file,
                    const QString& folder, Progress progress, Done done);
    // Stops a transfer under way, keeping the ".tmp"; the callback does not run.
    ~PackageDownload();
    PackageDownload(const PackageDownload&) = delete;
    PackageDownload& operator=(const PackageDownload&) = delete;

    void start();

private:
    void request();
    void headersArrived();
    void readBody();
    void finished();
    // The whole file has arrived: check it and put it in place.
    void complete();
    void fail(Result result, const QString& reason);
    void end(Result result, const QString& reason);
    void restartFile();

    QNetworkAccessManager& network_;
    QUrl url_;
    SelectedFile file_;
    QString tmpPath_;
    QString finalPath_;
    Progress progress_;
    Done done_;
    QFile tmp_;
    Sha256 hash_;
    qint64 have_ = 0;
    bool accepted_ = false; // the answer's headers were accepted and its body is taken in
    QString failure_;
    Result failureResult_ = Result::Cut;
    QByteArray buffer_;
    QPointer<QNetworkReply> reply_;
    // Context of the connections and queued calls, which end with this object.
    QObject context_;
};

} // namespace agent
