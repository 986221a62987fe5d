#pragma once

#include "platform/ns/Object.h"
#include "platform/ns/Value.h"

#include "connection/CocoaSoap/MyURLConnection.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <optional>

// A small SOAP-over-HTTP client: posts a request body to one service address
// and flattens the XML reply into records {"xmlNodeName", "xmlNodeValue"}, one
// per element in the order the elements end (innermost first), each with the
// last run of text seen before its end. When a reply has been read it posts
// "xmlParseOver"; when the request fails, "connectServerError" with
// {"errorInfor": the reason}. Both go to the default notification centre with
// no object.
class SoapClient : public ns::Object, private URLConnectionDelegate
{
public:
    SoapClient() = default;
    ~SoapClient() override;

    // Points the client at the address; false (and the address unchanged) when
    // the text is not a valid http or https address.
    bool initWithServerName(const QString& serverName);
    const QUrl& serverName() const { return serverName_; }

    // Posts the body. Without waiting, the exchange runs on this thread's event
    // loop and the answer is nullopt at once; waiting, it runs in a loop of its
    // own and answers the reply's body (nullopt when the request failed). The
    // notifications are posted either way.
    std::optional<QByteArray> sendMessage(const QByteArray& message, bool waitForReply);

    const ns::Array& getxmlNodeRecordArray() const { return xmlNodeRecordArray_; }

    // Replaces the records with those of the reply; a reply that is not
    // well-formed leaves the records read before the fault.
    void parseXMLData(const QByteArray& data);

    static constexpr double kTimeoutSeconds = 60;

private:
    void connectionDidReceiveResponse(MyURLConnection& connection, const URLResponse& response) override;
    void connectionDidReceiveData(MyURLConnection& connection, const QByteArray& data) override;
    void connectionDidFinishLoading(MyURLConnection& connection) override;
    void connectionDidFailWithError(MyURLConnection& connection, const QString& description) override;

    QUrl serverName_;
    QString currentElementValue_;
    QStringList elementStack_;
    ns::Array xmlNodeRecordArray_;
    std::unique_ptr<MyURLConnection> connection_;
};
