#include "connection/CocoaSoap/MyURLConnection.h"

#include "platform/ns/Timer.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>

MyURLConnection::MyURLConnection(const QNetworkRequest& request, const QByteArray& method,
                                 const QByteArray& body, double timeoutSeconds,
                                 URLConnectionDelegate* delegate)
    : delegate_(delegate), manager_(std::make_unique<QNetworkAccessManager>())
{
    reply_ = manager_->sendCustomRequest(request, method, body);
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
        URLResponse response;
        response.url = reply_->url();
        response.statusCode = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        response.headers = reply_->rawHeaderPairs();
        setResponse(response);
        if (delegate_)
            delegate_->connectionDidReceiveResponse(*this, response_);
    });
    connect(reply_, &QNetworkReply::readyRead, this, &MyURLConnection::readAvailable);
    connect(reply_, &QNetworkReply::finished, this, &MyURLConnection::replyFinished);
    QPointer<MyURLConnection> self(this);
    timeout_ = ns::Timer::scheduledTimer(timeoutSeconds, false, [self](ns::Timer&) {
        if (self && self->reply_ && !self->done_) {
            self->timedOut_ = true;
            self->reply_->abort();
        }
    });
}

MyURLConnection::~MyURLConnection()
{
    timeout_->invalidate();
    delegate_ = nullptr;
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        delete reply_;
    }
}

void MyURLConnection::cancel()
{
    delegate_ = nullptr;
    timeout_->invalidate();
    if (reply_ && !done_)
        reply_->abort();
}

void MyURLConnection::readAvailable()
{
    const QByteArray piece = reply_->readAll();
    if (piece.isEmpty())
        return;
    appendData(piece);
    if (delegate_)
        delegate_->connectionDidReceiveData(*this, piece);
}

void MyURLConnection::replyFinished()
{
    if (done_)
        return;
    readAvailable();
    done_ = true;
    timeout_->invalidate();
    const bool answered = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    URLConnectionDelegate* delegate = delegate_;
    if (!delegate)
        return;
    if (answered && !timedOut_) {
        setFinished(true);
        delegate->connectionDidFinishLoading(*this);
    } else {
        delegate->connectionDidFailWithError(*this, timedOut_ ? QStringLiteral("The request timed out.")
                                                              : reply_->errorString());
    }
}

void MyURLConnection::waitUntilDone()
{
    if (done_)
        return;
    QEventLoop loop;
    connect(reply_, &QNetworkReply::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    loop.exec();
}
