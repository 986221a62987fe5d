#include "platform/agent/PackageDownload.h"

#include "platform/agent/HttpReplies.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <cstdio>

namespace agent
{

namespace
{

constexpr qint64 kChunkBytes = 1024 * 1024;
// How much the network layer may hold that has not been written yet.
constexpr qint64 kReadBufferBytes = 8 * kChunkBytes;
// A transfer that brings nothing for this long is given up (and resumed next time).
constexpr int kStallTimeoutMs = 30 * 1000;

} // namespace

PackageDownload::PackageDownload(QNetworkAccessManager& network, const QUrl& url, const SelectedFile& file,
                                 const QString& folder, Progress progress, Done done)
    : network_(network), url_(url), file_(file),
      tmpPath_(folder + u'/' + file.filename + QStringLiteral(".tmp")),
      finalPath_(folder + u'/' + file.filename), progress_(std::move(progress)), done_(std::move(done)),
      tmp_(tmpPath_), buffer_(int(kChunkBytes), Qt::Uninitialized)
{
}

PackageDownload::~PackageDownload()
{
    if (reply_) {
        reply_->disconnect();
        reply_->abort();
        reply_->deleteLater();
    }
}

void PackageDownload::start()
{
    if (!tmp_.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        const QString reason = QStringLiteral("cannot write %1: %2").arg(tmpPath_, tmp_.errorString());
        QMetaObject::invokeMethod(
            &context_, [this, reason] { end(Result::Cut, reason); }, Qt::QueuedConnection);
        return;
    }
    // What an earlier attempt left is part of the package unless it is too long or unreadable.
    have_ = tmp_.size();
    if (have_ > file_.size)
        restartFile();
    for (qint64 hashed = 0; hashed < have_;) {
        const qint64 n = tmp_.read(buffer_.data(), std::min<qint64>(buffer_.size(), have_ - hashed));
        if (n <= 0) {
            restartFile();
            break;
        }
        hash_.addData(buffer_.constData(), n);
        hashed += n;
    }
    tmp_.seek(have_);
    progress_(have_);
    if (have_ == file_.size)
        QMetaObject::invokeMethod(
            &context_, [this] { complete(); }, Qt::QueuedConnection);
    else
        request();
}

void PackageDownload::restartFile()
{
    tmp_.resize(0);
    tmp_.seek(0);
    hash_.reset();
    have_ = 0;
}

void PackageDownload::request()
{
    QNetworkRequest request(url_);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setRawHeader("Accept-Encoding", "identity");
    request.setTransferTimeout(kStallTimeoutMs);
    if (have_ > 0)
        request.setRawHeader("Range", "bytes=" + QByteArray::number(have_) + '-');
    reply_ = network_.get(request);
    reply_->setReadBufferSize(kReadBufferBytes);
    QObject::connect(reply_, &QNetworkReply::metaDataChanged, &context_, [this] { headersArrived(); });
    QObject::connect(reply_, &QNetworkReply::readyRead, &context_, [this] { readBody(); });
    QObject::connect(reply_, &QNetworkReply::finished, &context_, [this] { finished(); });
}

void PackageDownload::headersArrived()
{
    if (accepted_ || !failure_.isEmpty())
        return;
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300 && status < 400)
        return; // the network layer follows the redirection
    if (status == 206) {
        const std::optional<ContentRange> range = parseContentRange(reply_->rawHeader("Content-Range"));
        if (!range || range->first != have_ || (range->total >= 0 && range->total != file_.size))
            return fail(Result::Bad,
                        QStringLiteral("the server sent a part that does not continue the file"));
    } else if (status == 200) {
        if (have_ > 0)
            restartFile(); // the server ignored the range and sends the whole file
    } else if (status == 416) {
        return fail(Result::Bad, QStringLiteral("the server has no such part of the file"));
    } else {
        return fail(Result::Cut, QStringLiteral("the server answered %1").arg(status));
    }
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && have_ + length.toLongLong() > file_.size)
        return fail(Result::Bad, QStringLiteral("the server's file is larger than %1 bytes").arg(file_.size));
    accepted_ = true;
}

void PackageDownload::readBody()
{
    if (!accepted_ || !failure_.isEmpty())
        return;
    while (reply_->bytesAvailable() > 0) {
        const qint64 n = reply_->read(buffer_.data(), buffer_.size());
        if (n <= 0)
            break;
        if (have_ + n > file_.size)
            return fail(Result::Bad, QStringLiteral("more than %1 bytes arrived").arg(file_.size));
        if (tmp_.write(buffer_.constData(), n) != n)
            return fail(Result::Cut, QStringLiteral("cannot write %1: %2").arg(tmpPath_, tmp_.errorString()));
        hash_.addData(buffer_.constData(), n);
        have_ += n;
    }
    progress_(have_);
}

void PackageDownload::fail(Result result, const QString& reason)
{
    if (failure_.isEmpty()) {
        failure_ = reason;
        failureResult_ = result;
    }
    if (reply_ && reply_->isRunning())
        reply_->abort(); // finished() follows
}

void PackageDownload::finished()
{
    if (failure_.isEmpty() && accepted_)
        readBody();
    if (!failure_.isEmpty())
        return end(failureResult_, failure_);
    if (!accepted_)
        return end(Result::Cut, reply_->errorString());
    if (have_ == file_.size)
        return complete();
    QString reason = QStringLiteral("the transfer ended after %1 of %2 bytes").arg(have_).arg(file_.size);
    if (reply_->error() != QNetworkReply::NoError)
        reason += QStringLiteral(" (%1)").arg(reply_->errorString());
    end(Result::Cut, reason);
}

void PackageDownload::complete()
{
    const bool sized = tmp_.size() == file_.size;
    tmp_.close();
    if (!sized || hash_.result() != file_.sha256)
        return end(Result::Bad, QStringLiteral("the file does not match its size and SHA256 digest"));
    if (std::rename(QFile::encodeName(tmpPath_).constData(), QFile::encodeName(finalPath_).constData()) != 0)
        return end(Result::Cut, QStringLiteral("cannot rename %1").arg(tmpPath_));
    end(Result::Verified, QString());
}

void PackageDownload::end(Result result, const QString& reason)
{
    if (reply_) {
        reply_->disconnect(&context_);
        reply_->deleteLater();
        reply_ = nullptr;
    }
    tmp_.close();
    if (result == Result::Bad)
        QFile::remove(tmpPath_);
    // The callback may destroy this download.
    const Done done = std::move(done_);
    if (done)
        done(result, reason);
}

} // namespace agent
