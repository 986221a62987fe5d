// The subscriber number: asked of the operator's SOAP service (a local server
// here) when a connection first comes up with a SIM the configuration does not
// know, stored by IMSI, and shown.
#include "app/config/ConfigService.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "connection/DialController.h"
#include "connection/DialService.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/PPPConnectStatus.h"
#include "tests/connection/DialTestSupport.h"
#include "tests/support/LocalHttpServer.h"

#include <QDeadlineTimer>
#include <QEventLoop>

#include <gtest/gtest.h>

namespace
{

using dial_test::DialApp;
using dial_test::PostedInfo;

const QString kImsi = QStringLiteral("515021234567890");
const QString kPath = QStringLiteral("/SPBUUP/SPBService");
const QString kReceived = QStringLiteral("receivePhoneNumberFromSoapServer");
const ns::Dictionary kNewDial{{"NewDial", true}};

QByteArray replyWith(const QByteArray& profile)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\"><soapenv:Body>"
           "<getDeviceProfileByIMSIResponse><DeviceProfileByIMSI>" +
           profile +
           "<IMEI>356938035643809</IMEI><IMSI>515021234567890</IMSI></DeviceProfileByIMSI>"
           "</getDeviceProfileByIMSIResponse></soapenv:Body></soapenv:Envelope>";
}

// The controller over settings with that IMSI-to-number table (none when
// null), the SIM's IMSI known to the services, and the operator's service
// on a local server.
struct SubscriberApp {
    explicit SubscriberApp(const ns::Value& imsiPhone)
        : app(dial_test::withSettings(imsiPhone.isNull()
                                          ? kNewDial
                                          : ns::Dictionary{{"NewDial", true}, {"ImsiPhone", imsiPhone}}),
              DialApp::Answers::Delivered)
    {
        qputenv("TRELVAN_SOAP_SERVICE_URL", server.url(kPath + "?WSDL").toEncoded());
        DialService::sharedDialService().setImsi(kImsi);
    }
    ~SubscriberApp() { qunsetenv("TRELVAN_SOAP_SERVICE_URL"); }

    // A connect, then the PPP status "connected" as often as given.
    void connectAndReportConnected(int times)
    {
        app.dial.DialConnect();
        PPPConnectStatus status;
        status.code = 8;
        for (int i = 0; i < times; ++i)
            app.deliver(msg::connection::kPPPConnectStatus, status.bytes());
    }
    // Runs the event loop until the reply has been read (or the request
    // failed); false when the guard against a silent server runs out first.
    bool settle()
    {
        QDeadlineTimer guard(dial_test::kGuardMs);
        while (posted.seen.empty() && !guard.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return !posted.seen.empty();
    }
    QString storedNumber() { return ConfigService(app.store).getPhoneNumWithImsi(kImsi); }
    bool stored() { return ConfigService(app.store).isImsiPhoneDictContainCertainImsi(kImsi); }

    LocalHttpServer server;
    DialApp app;
    PostedInfo posted{{QStringLiteral("xmlParseOver"), QStringLiteral("connectServerError"), kReceived}};
};

TEST(SubscriberNumber, AFirstConnectionWithAnUnknownImsiAsksOnceAndStoresTheNumber)
{
    SubscriberApp s(ns::Dictionary{{"111110000000000", "+15550100"}});
    s.server.answer(kPath, {200, {{"Content-Type", "text/xml"}}, replyWith("<MSISDN>639171234567</MSISDN>")});

    s.connectAndReportConnected(2);
    ASSERT_TRUE(s.settle());

    const auto requests = s.server.requests();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].query.toString(), "WSDL");
    EXPECT_EQ(requests[0].header("Content-Type"), "text/xml;charset=utf-8");
    EXPECT_EQ(requests[0].header("Content-Length"), QByteArray::number(requests[0].body.size()));
    const QString body = QString::fromUtf8(requests[0].body);
    EXPECT_TRUE(body.startsWith(R"(<?xml version="1.0" encoding="UTF-8"?>)"));
    EXPECT_TRUE(body.contains("<Username>jov_kelb</Username><Password>vym</Password> </loc:Authentication>"));
    EXPECT_TRUE(body.contains("<loc:IMSI>515021234567890</loc:IMSI>"));

    // The number is posted while the reply is announced.
    EXPECT_EQ(s.posted.seen.size(), 2u);
    EXPECT_EQ(s.posted.last(kReceived).value(kReceived).toString(), "639171234567");
    EXPECT_EQ(s.storedNumber(), "639171234567");
    EXPECT_EQ(ConfigService(s.app.store).getPhoneNumWithImsi("111110000000000"), "+15550100");
    EXPECT_EQ(s.app.dial.xmlNodeArray().count(), 7);

    // The next connection finds the SIM in the table and asks nothing.
    s.connectAndReportConnected(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.server.requests().size(), 1);
}

TEST(SubscriberNumber, OnlyANumberOfDigitsIsStored)
{
    struct Case {
        const char* what;
        QByteArray profile;
        const char* stored; // null: nothing stored or posted
    };
    const Case cases[] = {
        {"no MSISDN", "<HandsetMake>Make</HandsetMake>", nullptr},
        {"empty", "<MSISDN></MSISDN>", nullptr},
        {"empty element", "<MSISDN/>", nullptr},
        {"letters", "<MSISDN>unknown</MSISDN>", nullptr},
        {"digits and letters", "<MSISDN>63917ABC</MSISDN>", nullptr},
        {"a plus inside", "<MSISDN>63+917</MSISDN>", nullptr},
        {"international", "<MSISDN>+639171234567</MSISDN>", "+639171234567"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SubscriberApp s{ns::Dictionary()};
        s.server.answer(kPath, {200, {}, replyWith(c.profile)});
        s.connectAndReportConnected(1);
        ASSERT_TRUE(s.settle());
        ASSERT_EQ(s.server.requests().size(), 1);
        EXPECT_EQ(s.stored(), c.stored != nullptr);
        EXPECT_EQ(s.posted.last(kReceived).value(kReceived).toString(), QString::fromLatin1(c.stored));
        if (c.stored) {
            EXPECT_EQ(s.storedNumber(), c.stored);
        }
    }
}

TEST(SubscriberNumber, NothingIsAskedWithoutATableOrForAKnownSim)
{
    struct Case {
        const char* what;
        ns::Value table;
    };
    const Case cases[] = {
        {"no table", ns::Value()},
        {"known SIM", ns::Dictionary{{kImsi, "639170000000"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SubscriberApp s(c.table);
        s.server.answer(kPath, {200, {}, replyWith("<MSISDN>639171234567</MSISDN>")});
        s.connectAndReportConnected(1);
        QCoreApplication::processEvents();
        EXPECT_TRUE(s.server.requests().isEmpty());
        EXPECT_TRUE(s.posted.seen.empty());
    }
}

TEST(SubscriberNumber, AFailedRequestChangesNothing)
{
    SubscriberApp s{ns::Dictionary()};
    s.server.answer(kPath, LocalHttpServer::Response::dropped());
    s.connectAndReportConnected(1);
    ASSERT_TRUE(s.settle());
    ASSERT_EQ(s.posted.seen.size(), 1u);
    EXPECT_EQ(s.posted.seen[0].first, "connectServerError");
    EXPECT_FALSE(s.stored());
}

TEST(SubscriberNumber, AfterAFailedRequestNoOtherReplyIsTakenForTheSim)
{
    SubscriberApp s{ns::Dictionary()};
    s.server.answer(kPath, {200, {}, replyWith("<MSISDN>639171234567</MSISDN>")});
    s.connectAndReportConnected(1);
    ASSERT_TRUE(s.settle());

    // Another SIM; its request fails, and the client still holds the first reply.
    const QString other = QStringLiteral("515029999999999");
    DialService::sharedDialService().setImsi(other);
    s.server.answer(kPath, LocalHttpServer::Response::dropped());
    s.posted.seen.clear();
    s.connectAndReportConnected(1);
    ASSERT_TRUE(s.settle());
    ns::NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("xmlParseOver"), nullptr);
    EXPECT_FALSE(ConfigService(s.app.store).isImsiPhoneDictContainCertainImsi(other));
    EXPECT_TRUE(s.posted.last(kReceived).isEmpty());

    // Its next connection asks again.
    s.server.answer(kPath, {200, {}, replyWith("<MSISDN>639179999999</MSISDN>")});
    s.posted.seen.clear();
    s.connectAndReportConnected(1);
    ASSERT_TRUE(s.settle());
    EXPECT_EQ(ConfigService(s.app.store).getPhoneNumWithImsi(other), "639179999999");
    EXPECT_EQ(s.storedNumber(), "639171234567");
}

TEST(SubscriberNumber, TheNumberShowsWithoutItsCountryCode)
{
    struct Case {
        ns::Value runtime;
        const char* shown;
    };
    const Case cases[] = {
        {ns::Value(), "SmartNet"},
        {QStringLiteral(""), "SmartNet"},
        {QStringLiteral("5"), "5"},
        {QStringLiteral("63"), "0"},
        {QStringLiteral("639171234567"), "09171234567"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        DialApp app;
        if (!c.runtime.isNull())
            app.dial.setRuntimeObject(c.runtime, kRTPhoneNumber);
        EXPECT_EQ(app.dial.getPhoneNumber(), c.shown);
    }
}

TEST(InternetViewServices, TheStatisticsActionOpensTheRecordsTab)
{
    DialApp app;
    auto records = std::make_unique<ns::TabViewItem>(QStringLiteral("DialRecord"));
    app.tabs.addTabViewItem(std::move(records));
    app.tabs.selectTabViewItemWithIdentifier(QStringLiteral("Internet"));
    PostedInfo changes{{kTabViewItemDidChangeNotification}};
    ASSERT_TRUE(app.dial.performSelector(QStringLiteral("addStatisticsInInternet:")));
    EXPECT_EQ(app.tabs.selectedTabViewItem()->identifier(), "DialRecord");
    EXPECT_EQ(changes.seen.size(), 1u);
}

} // namespace
