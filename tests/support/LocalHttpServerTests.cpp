#include "tests/support/LocalHttpServer.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <gtest/gtest.h>

#include <thread>

namespace
{

struct Outcome {
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    int status = 0;
    QByteArray lastModified;
    QByteArray body;
};

Outcome send(const QByteArray& method, const QUrl& url, const QByteArray& body = {})
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setRawHeader("X-Probe", "seven");
    request.setHeader(QNetworkRequest::ContentTypeHeader, "text/xml");
    QNetworkReply* reply = manager.sendCustomRequest(request, method, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    Outcome outcome{reply->error(), reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                    reply->rawHeader("Last-Modified"), reply->readAll()};
    reply->deleteLater();
    return outcome;
}

TEST(LocalHttpServer, RecordsEachRequestAndAnswersAsSet)
{
    LocalHttpServer server;
    server.answer("/list", {200, {{"Last-Modified", "Tue, 01 Dec 2026 10:00:00 GMT"}}, "payload"});

    const Outcome posted = send("POST", server.url("/list?imsi=50219&x=a%20b"), "<a>1</a>");
    EXPECT_EQ(posted.status, 200);
    EXPECT_EQ(posted.body, "payload");
    EXPECT_EQ(posted.lastModified, "Tue, 01 Dec 2026 10:00:00 GMT");

    const Outcome head = send("HEAD", server.url("/list"));
    EXPECT_EQ(head.status, 200);
    EXPECT_TRUE(head.body.isEmpty());

    const Outcome missing = send("GET", server.url("/other"));
    EXPECT_EQ(missing.status, 404);

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 3);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].path, "/list");
    EXPECT_EQ(requests[0].query.queryItemValue("imsi"), "50219");
    EXPECT_EQ(requests[0].query.queryItemValue("x", QUrl::FullyDecoded), "a b");
    EXPECT_EQ(requests[0].header("x-probe"), "seven");
    EXPECT_EQ(requests[0].header("Content-Type"), "text/xml");
    EXPECT_EQ(requests[0].body, "<a>1</a>");
    EXPECT_FALSE(requests[0].hasHeader("SOAPAction"));
    EXPECT_EQ(requests[1].method, "HEAD");
    EXPECT_EQ(requests[2].path, "/other");
}

TEST(LocalHttpServer, QueuedAnswersComeFirstThenTheLastingOne)
{
    LocalHttpServer server;
    server.answer("/p", {200, {}, "lasting"});
    server.answerNext("/p", {304, {}, {}});
    server.answerNext("/p", {500, {}, "second"});

    EXPECT_EQ(send("GET", server.url("/p")).status, 304);
    EXPECT_EQ(send("GET", server.url("/p")).status, 500);
    EXPECT_EQ(send("GET", server.url("/p")).body, "lasting");
    EXPECT_EQ(send("GET", server.url("/p")).body, "lasting");
}

TEST(LocalHttpServer, ADroppedConnectionGivesTheClientAnError)
{
    LocalHttpServer server;
    server.answer("/gone", LocalHttpServer::Response::dropped());
    const Outcome outcome = send("GET", server.url("/gone"));
    EXPECT_NE(outcome.error, QNetworkReply::NoError);
    EXPECT_EQ(outcome.status, 0);
    // Qt Network tries a dropped request once more before it gives up.
    EXPECT_FALSE(server.requests().isEmpty());
}

TEST(LocalHttpServer, AHeldAnswerWaitsForTheRelease)
{
    LocalHttpServer server;
    server.answer("/slow", LocalHttpServer::Response::held());
    QNetworkAccessManager manager;
    QEventLoop loop;
    // The loop ends once the request is in and held; the client has no answer yet.
    server.onRequest([&loop](const LocalHttpServer::Request&) {
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QNetworkReply* reply = manager.get(QNetworkRequest(server.url("/slow")));
    loop.exec();
    EXPECT_FALSE(reply->isFinished());
    server.releaseHeld({200, {}, "late"});
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(reply->readAll(), "late");
    delete reply;
}

TEST(LocalHttpServer, WaitsForRequestsSentFromAnotherThread)
{
    LocalHttpServer server;
    server.answer("/t", {200, {}, "ok"});
    std::thread sender([url = server.url("/t")] { send("GET", url); });
    EXPECT_TRUE(server.waitForRequests(1));
    sender.join();
    EXPECT_EQ(server.requests().at(0).path, "/t");
}

} // namespace
