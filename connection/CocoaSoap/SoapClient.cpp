#include "connection/CocoaSoap/SoapClient.h"

#include "platform/ns/NotificationCenter.h"

#include <QXmlStreamReader>

namespace
{

const QString kXmlParseOver = QStringLiteral("xmlParseOver");
const QString kConnectServerError = QStringLiteral("connectServerError");
const QString kErrorInfor = QStringLiteral("errorInfor");
const QString kXmlNodeName = QStringLiteral("xmlNodeName");
const QString kXmlNodeValue = QStringLiteral("xmlNodeValue");

} // namespace

SoapClient::~SoapClient() = default;

bool SoapClient::initWithServerName(const QString& serverName)
{
    const QUrl url(serverName, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QStringLiteral("http") && url.scheme() != QStringLiteral("https")))
        return false;
    serverName_ = url;
    return true;
}

std::optional<QByteArray> SoapClient::sendMessage(const QByteArray& message, bool waitForReply)
{
    QNetworkRequest request(serverName_);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Content-Length", QByteArray::number(message.size()));
    request.setRawHeader("Content-Type", "text/xml;charset=utf-8");

    elementStack_.clear();
    xmlNodeRecordArray_ = ns::Array();

    // A request still running is given up: its answer would belong to the old one.
    if (connection_) {
        connection_->cancel();
        connection_.release()->deleteLater();
    }
    URLConnectionDelegate* delegate = this;
    connection_ = std::make_unique<MyURLConnection>(request, "POST", message, kTimeoutSeconds, delegate);
    if (!waitForReply)
        return std::nullopt;
    QPointer<MyURLConnection> started(connection_.get());
    started->waitUntilDone();
    if (!started || !started->isFinished())
        return std::nullopt;
    return started->data();
}

void SoapClient::connectionDidReceiveResponse(MyURLConnection&, const URLResponse&) {}

void SoapClient::connectionDidReceiveData(MyURLConnection&, const QByteArray&) {}

void SoapClient::connectionDidFinishLoading(MyURLConnection& connection)
{
    parseXMLData(connection.data());
    ns::NotificationCenter::defaultCenter().postNotificationName(kXmlParseOver, nullptr);
}

void SoapClient::connectionDidFailWithError(MyURLConnection&, const QString& description)
{
    ns::NotificationCenter::defaultCenter().postNotificationName(kConnectServerError, nullptr,
                                                                 ns::Dictionary{{kErrorInfor, description}});
}

void SoapClient::parseXMLData(const QByteArray& data)
{
    xmlNodeRecordArray_ = ns::Array();
    elementStack_.clear();
    QXmlStreamReader reader(data);
    // Names are taken as written, prefix and all, and an undeclared prefix is no fault.
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            elementStack_.append(reader.qualifiedName().toString());
            break;
        case QXmlStreamReader::Characters:
            currentElementValue_ = reader.text().toString();
            break;
        case QXmlStreamReader::EndElement: {
            if (elementStack_.isEmpty())
                break;
            const QString name = reader.qualifiedName().toString();
            if (elementStack_.takeLast() == name)
                xmlNodeRecordArray_.append(
                    ns::Dictionary{{kXmlNodeName, name}, {kXmlNodeValue, currentElementValue_}});
            break;
        }
        default:
            break;
        }
    }
}
