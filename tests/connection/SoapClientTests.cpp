#include "connection/CocoaSoap/SoapClient.h"
#include "platform/ns/Clock.h"
#include "platform/ns/NotificationCenter.h"
#include "tests/connection/DialTestSupport.h"
#include "tests/support/LocalHttpServer.h"

#include <QDeadlineTimer>
#include <QEventLoop>

#include <gtest/gtest.h>

#include <functional>

namespace
{

using dial_test::PostedInfo;

const QString kParseOver = QStringLiteral("xmlParseOver");
const QString kServerError = QStringLiteral("connectServerError");

// The records as (name, value) pairs, in order.
std::vector<std::pair<QString, QString>> recordsOf(const ns::Array& records)
{
    std::vector<std::pair<QString, QString>> pairs;
    for (const ns::Value& record : records)
        pairs.emplace_back(record.toDictionary().value(QStringLiteral("xmlNodeName")).toString(),
                           record.toDictionary().value(QStringLiteral("xmlNodeValue")).toString());
    return pairs;
}

using Records = std::vector<std::pair<QString, QString>>;

struct SoapOnLocalServer : ::testing::Test {
    SoapOnLocalServer() { ns::Clock::setCurrent(&clock); }
    ~SoapOnLocalServer() override { ns::Clock::setCurrent(nullptr); }

    // Runs the event loop until the condition holds; false when the guard
    // against a silent client or server runs out first.
    static bool runUntil(const std::function<bool()>& done)
    {
        QDeadlineTimer guard(dial_test::kGuardMs);
        while (!done() && !guard.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return done();
    }
    bool settle(size_t count)
    {
        return runUntil([&] { return posted.seen.size() >= count; });
    }
    // Sends without waiting, as the program does, until the client has told how it went.
    void sendAndSettle(const QByteArray& body)
    {
        const size_t before = posted.seen.size();
        EXPECT_FALSE(client.sendMessage(body, false).has_value());
        ASSERT_TRUE(settle(before + 1));
    }

    ns::ManualClock clock;
    LocalHttpServer server;
    SoapClient client;
    PostedInfo posted{{kParseOver, kServerError}};
};

TEST_F(SoapOnLocalServer, PostsTheBodyWithItsHeadersAndFlattensTheReply)
{
    server.answer("/SPBUUP/SPBService", {200, {{"Content-Type", "text/xml"}}, "<a><b>1</b><c>2</c></a>"});
    ASSERT_TRUE(client.initWithServerName(server.url("/SPBUUP/SPBService?WSDL").toString()));
    const QByteArray body = "<loc:IMSI>515021234567890</loc:IMSI>";

    sendAndSettle(body);

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].query.toString(), "WSDL");
    EXPECT_EQ(requests[0].header("Content-Type"), "text/xml;charset=utf-8");
    EXPECT_EQ(requests[0].header("Content-Length"), QByteArray::number(body.size()));
    EXPECT_EQ(requests[0].body, body);
    ASSERT_EQ(posted.seen.size(), 1u);
    EXPECT_EQ(posted.seen[0].first, kParseOver);
    EXPECT_EQ(recordsOf(client.getxmlNodeRecordArray()), (Records{{"b", "1"}, {"c", "2"}, {"a", "2"}}));
}

TEST_F(SoapOnLocalServer, EachRequestEmptiesTheRecordsOfTheLastReply)
{
    server.answerNext("/s", {200, {}, "<r><MSISDN>639171234567</MSISDN></r>"});
    server.answerNext("/s", {200, {}, ""});
    ASSERT_TRUE(client.initWithServerName(server.url("/s").toString()));

    sendAndSettle("first");
    const ns::Array first = client.getxmlNodeRecordArray();
    EXPECT_EQ(recordsOf(first), (Records{{"MSISDN", "639171234567"}, {"r", "639171234567"}}));

    EXPECT_FALSE(client.sendMessage("second", false).has_value());
    EXPECT_TRUE(client.getxmlNodeRecordArray().isEmpty());
    ASSERT_TRUE(settle(2));
    EXPECT_EQ(posted.seen[1].first, kParseOver);
    EXPECT_TRUE(client.getxmlNodeRecordArray().isEmpty());
    // What was handed out before stays as it was.
    EXPECT_EQ(first.count(), 2);
}

TEST_F(SoapOnLocalServer, AFailedRequestPostsTheErrorAndParsesNothing)
{
    struct Case {
        const char* what;
        LocalHttpServer::Response response;
        double advanceSeconds;
    };
    const Case cases[] = {
        {"dropped connection", LocalHttpServer::Response::dropped(), 0},
        {"no answer in 60 s", LocalHttpServer::Response::held(), SoapClient::kTimeoutSeconds},
    };
    ASSERT_TRUE(client.initWithServerName(server.url("/s").toString()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        posted.seen.clear();
        server.clearRequests();
        server.answer("/s", c.response);
        EXPECT_FALSE(client.sendMessage("<x/>", false).has_value());
        if (c.advanceSeconds > 0) {
            ASSERT_TRUE(runUntil([&] { return !server.requests().isEmpty(); }));
            clock.advance(c.advanceSeconds - 1);
            QCoreApplication::processEvents();
            EXPECT_TRUE(posted.seen.empty());
            clock.advance(1);
        }
        ASSERT_TRUE(settle(1));
        ASSERT_EQ(posted.seen.size(), 1u);
        EXPECT_EQ(posted.seen[0].first, kServerError);
        EXPECT_FALSE(posted.seen[0].second.value(QStringLiteral("errorInfor")).toString().isEmpty());
        EXPECT_TRUE(client.getxmlNodeRecordArray().isEmpty());
    }
    server.releaseHeld(LocalHttpServer::Response::dropped());
}

TEST_F(SoapOnLocalServer, WaitingForTheReplyAnswersItsBody)
{
    server.answer("/s", {500, {}, "<Fault><faultstring>no</faultstring></Fault>"});
    ASSERT_TRUE(client.initWithServerName(server.url("/s").toString()));
    // An HTTP error status is still a reply: it is read like any other.
    EXPECT_EQ(client.sendMessage("<x/>", true), QByteArray("<Fault><faultstring>no</faultstring></Fault>"));
    ASSERT_EQ(posted.seen.size(), 1u);
    EXPECT_EQ(posted.seen[0].first, kParseOver);
    EXPECT_EQ(recordsOf(client.getxmlNodeRecordArray()), (Records{{"faultstring", "no"}, {"Fault", "no"}}));
}

TEST(SoapClient, RefusesAnAddressThatIsNoWebAddress)
{
    SoapClient client;
    ASSERT_TRUE(client.initWithServerName(QStringLiteral("http://127.0.0.1:7002/SPBUUP/SPBService?WSDL")));
    for (const char* text : {"", "not an address", "http://", "ftp://host/x", "http://exa mple.com/"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(client.initWithServerName(QString::fromLatin1(text)));
        EXPECT_EQ(client.serverName().port(), 7002);
    }
}

TEST(SoapClient, FlattensRepliesInTheOrderElementsEnd)
{
    struct Case {
        const char* reply;
        Records records;
    };
    const Case cases[] = {
        {"<a><b>1</b><c>2</c></a>", {{"b", "1"}, {"c", "2"}, {"a", "2"}}},
        // An element without text of its own takes the text seen last.
        {"<a><b>1</b><c/></a>", {{"b", "1"}, {"c", "1"}, {"a", "1"}}},
        // Prefixes stay part of the names; runs of text are not joined.
        {"<s:Body xmlns:s=\"u\"><p:MSISDN>63<!--x-->91</p:MSISDN></s:Body>",
         {{"p:MSISDN", "91"}, {"s:Body", "91"}}},
        {"<a>x &amp; y</a>", {{"a", "x & y"}}},
        // Not well-formed: the records read before the fault stay.
        {"<a><b>1</b><c>2</a>", {{"b", "1"}}},
        {"<a><b>1</b>", {{"b", "1"}}},
        {"no xml at all", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        SoapClient client;
        client.parseXMLData(c.reply);
        EXPECT_EQ(recordsOf(client.getxmlNodeRecordArray()), c.records);
    }
}

TEST_F(SoapOnLocalServer, AMalformedReplyStillEndsInParseOver)
{
    server.answer("/s", {200, {}, "<a><MSISDN>639171234567</MSISDN><b>"});
    ASSERT_TRUE(client.initWithServerName(server.url("/s").toString()));
    sendAndSettle("<x/>");
    ASSERT_EQ(posted.seen.size(), 1u);
    EXPECT_EQ(posted.seen[0].first, kParseOver);
    EXPECT_EQ(recordsOf(client.getxmlNodeRecordArray()), (Records{{"MSISDN", "639171234567"}}));
}

} // namespace
