#include "platform/agent/UpdateCheck.h"

#include "platform/agent/HttpReplies.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrlQuery>

#include <cstring>

namespace agent
{

namespace
{

constexpr int kCheckTimeoutMs = 30 * 1000;

const char* const kFieldNames[_CLIENT_INFO::kFieldCount] = {
    "OS", "DEVICE_TYPE", "UI_VERSION", "FW_VERSION", "UNSIGNED_ID", "CLIENT_GROUP", "LANGUAGE", "EXTERN_PARA",
};

} // namespace

QUrl checkUrl(const QString& serviceURL, const _CLIENT_INFO& info, int mode)
{
    QString base = serviceURL.trimmed();
    while (base.endsWith(u'/'))
        base.chop(1);
    QUrl url(base + QStringLiteral("/check"), QUrl::StrictMode);
    if (base.isEmpty() || !url.isValid() || (url.scheme() != u"http" && url.scheme() != u"https"))
        return QUrl();
    QUrlQuery query;
    for (int i = 0; i < _CLIENT_INFO::kFieldCount; ++i) {
        const char* field = info.field(i);
        const QString value = QString::fromUtf8(field, qsizetype(strnlen(field, _CLIENT_INFO::kFieldSize)));
        query.addQueryItem(QString::fromLatin1(kFieldNames[i]),
                           QString::fromUtf8(QUrl::toPercentEncoding(value)));
    }
    query.addQueryItem(QStringLiteral("MODE"), QString::number(mode));
    url.setQuery(query);
    return url;
}

UpdateCheck::UpdateCheck(QNetworkAccessManager& network, const QUrl& url, Done done) : done_(std::move(done))
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    reply_ = network.get(request);
    QObject::connect(reply_, &QNetworkReply::metaDataChanged, reply_, [this] {
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > kMaxCheckAnswerBytes)
            fail(QStringLiteral("the answer is larger than %1 bytes").arg(kMaxCheckAnswerBytes));
    });
    QObject::connect(reply_, &QNetworkReply::readyRead, reply_, [this] { readAnswer(); });
    QObject::connect(reply_, &QNetworkReply::finished, reply_, [this] { finished(); });
    deadline_.setSingleShot(true);
    QObject::connect(&deadline_, &QTimer::timeout, &deadline_, [this] {
        fail(QStringLiteral("no answer within %1 seconds").arg(kCheckTimeoutMs / 1000));
    });
    deadline_.start(kCheckTimeoutMs);
}

UpdateCheck::~UpdateCheck()
{
    if (reply_) {
        reply_->disconnect();
        reply_->abort();
        reply_->deleteLater();
    }
}

void UpdateCheck::readAnswer()
{
    answer_ += reply_->readAll();
    if (answer_.size() > kMaxCheckAnswerBytes)
        fail(QStringLiteral("the answer is larger than %1 bytes").arg(kMaxCheckAnswerBytes));
}

void UpdateCheck::fail(const QString& reason)
{
    if (failure_.isEmpty())
        failure_ = reason;
    if (reply_ && reply_->isRunning())
        reply_->abort(); // finished() follows
}

void UpdateCheck::finished()
{
    deadline_.stop();
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->deleteLater();
    if (failure_.isEmpty()) {
        answer_ += reply->readAll();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() != QNetworkReply::NoError && status == 0)
            failure_ = reply->errorString();
        else if (status != 200)
            failure_ = QStringLiteral("the server answered %1").arg(status);
        else if (reply->error() != QNetworkReply::NoError)
            failure_ = reply->errorString();
        else if (answer_.size() > kMaxCheckAnswerBytes)
            failure_ = QStringLiteral("the answer is larger than %1 bytes").arg(kMaxCheckAnswerBytes);
    }
    // The callback may destroy this check.
    const Done done = std::move(done_);
    const QByteArray answer = std::move(answer_);
    const QString failure = failure_;
    if (failure.isEmpty())
        done(answer, QString());
    else
        done(std::nullopt, failure);
}

} // namespace agent
