#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QUrl>
#include <QUrlQuery>
#include <QWaitCondition>

#include <functional>
#include <memory>

// An HTTP/1.1 server on 127.0.0.1 (an ephemeral port) for tests of code that
// talks to web servers. It runs on a thread of its own, so it answers while
// the code under test waits in a synchronous call on any thread. Every request
// is recorded (method, path, query, headers, body) and answered as the test
// set for its path; a path with no answer gets 404.
//
//   LocalHttpServer server;
//   server.answer("/soap", {200, {{"Content-Type", "text/xml"}}, "<a>1</a>"});
//   server.answer("/gone", LocalHttpServer::Response::dropped());
//   server.answerNext("/list", {304});          // once, before the lasting answer
//   ... code under test posts to server.url("/soap") ...
//   EXPECT_EQ(server.requests().at(0).header("SOAPAction"), "...");
//
// A held answer keeps the connection open and silent until releaseHeld(); with
// onRequest() a test acts (moves a manual clock on, say) the moment a request
// arrives, on the server's thread. Responses close the connection.
class LocalHttpServer
{
public:
    using Header = QPair<QByteArray, QByteArray>;

    struct Request {
        QByteArray method;
        QString path;
        QUrlQuery query;
        QList<Header> headers;
        QByteArray body;

        // The value of a header, its name matched regardless of case; empty if absent.
        QByteArray header(const QByteArray& name) const;
        bool hasHeader(const QByteArray& name) const;
    };

    struct Response {
        enum class Ending { Answer, Drop, Hold };

        int status = 200;
        QList<Header> headers;
        QByteArray body;
        Ending ending = Ending::Answer;

        // The connection is closed without a byte of answer.
        static Response dropped();
        // The connection stays open and silent until releaseHeld().
        static Response held();
    };

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    quint16 port() const { return port_; }
    // http://127.0.0.1:<port><path>
    QUrl url(const QString& path = QStringLiteral("/")) const;

    // Every later request for the path (any method) gets the response.
    void answer(const QString& path, const Response& response);
    // The next request for the path gets the response, ahead of the lasting answer;
    // several queue in order.
    void answerNext(const QString& path, const Response& response);
    // Runs on the server's thread as each request arrives, before it is answered.
    void onRequest(std::function<void(const Request&)> callback);

    // Answers every held connection with the response.
    void releaseHeld(const Response& response);

    QList<Request> requests() const;
    void clearRequests();
    // Waits until at least count requests have arrived (for code that sends from
    // a thread of its own); false if they have not come within a minute.
    bool waitForRequests(int count) const;

    class Worker;

private:
    friend class Worker;
    Response responseFor(const Request& request);
    void record(const Request& request);

    mutable QMutex mutex_;
    mutable QWaitCondition arrived_;
    QList<Request> requests_;
    QList<QPair<QString, Response>> lasting_;
    QList<QPair<QString, Response>> next_;
    std::function<void(const Request&)> onRequest_;
    std::unique_ptr<Worker> worker_;
    quint16 port_ = 0;
};
