#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkRequest>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QUrl>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace ns
{
class Timer;
}

// What the server said before its body: the address answered, the HTTP status
// and the headers.
struct URLResponse {
    QUrl url;
    int statusCode = 0;
    QList<QPair<QByteArray, QByteArray>> headers;
};

// The connection's delegate: the response, each piece of the body, then either
// the end of the body or the failure, on the thread that started the connection.
class URLConnectionDelegate
{
public:
    virtual ~URLConnectionDelegate() = default;
    virtual void connectionDidReceiveResponse(class MyURLConnection& connection,
                                              const URLResponse& response) = 0;
    virtual void connectionDidReceiveData(MyURLConnection& connection, const QByteArray& data) = 0;
    virtual void connectionDidFinishLoading(MyURLConnection& connection) = 0;
    virtual void connectionDidFailWithError(MyURLConnection& connection, const QString& description) = 0;
};

// One HTTP exchange over Qt Network that keeps what arrives: the response, the
// body gathered so far, and whether it has finished. The request's time-out
// runs on the program's clock. A reply that has an HTTP status is a finished
// exchange whatever the status; only a transport failure (no answer, a dropped
// connection, the time-out) fails.
class MyURLConnection : public QObject
{
public:
    MyURLConnection(const QNetworkRequest& request, const QByteArray& method, const QByteArray& body,
                    double timeoutSeconds, URLConnectionDelegate* delegate);
    ~MyURLConnection() override;

    const URLResponse& response() const { return response_; }
    void setResponse(const URLResponse& response) { response_ = response; }
    const QByteArray& data() const { return data_; }
    void appendData(const QByteArray& data) { data_ += data; }
    bool isFinished() const { return finished_; }
    void setFinished(bool finished) { finished_ = finished; }

    // Waits in this thread's own event loop until the exchange has finished or failed.
    void waitUntilDone();
    // Ends the exchange without telling the delegate anything more.
    void cancel();

private:
    void readAvailable();
    void replyFinished();

    URLConnectionDelegate* delegate_;
    std::unique_ptr<QNetworkAccessManager> manager_;
    QPointer<QNetworkReply> reply_;
    std::shared_ptr<ns::Timer> timeout_;
    URLResponse response_;
    QByteArray data_;
    bool finished_ = false;
    bool timedOut_ = false;
    bool done_ = false;
};
