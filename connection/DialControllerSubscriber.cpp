// Small services of the Internet view. The subscriber number: asked of the
// operator's SOAP service the first time a SIM the configuration does not
// know connects, stored by IMSI, and shown.
#include "connection/DialController.h"

#include "app/config/ConfigFileKeys.h"
#include "app/config/ConfigService.h"
#include "app/interfaces/InitControlling.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "connection/CocoaSoap/SoapClient.h"
#include "connection/DialService.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/WebView.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace
{

const QString kReceivePhoneNumberFromSoapServer = QStringLiteral("receivePhoneNumberFromSoapServer");
const QString kMSISDN = QStringLiteral("MSISDN");

// A number worth keeping: digits, the first of them after an optional "+".
bool isSubscriberNumber(const QString& number)
{
    static const QRegularExpression pattern(QStringLiteral("^\\+?[0-9]+$"));
    return pattern.match(number).hasMatch();
}

} // namespace

void DialController::registerSubscriberSelectors()
{
    registerSelector("setMsisdnNumberWithResult:", &DialController::setMsisdnNumberWithResult);
    registerSelector("excuteWhenConnectServerError:", &DialController::excuteWhenConnectServerError);
    registerSelector("displayPhoneNumberForSmart", &DialController::displayPhoneNumberForSmart);
    registerSelector("addStatisticsInInternet:", [this](ns::Object*) { addStatisticsInInternet(); });
    registerSelector("loadFavouriteBtnWebKitViews", &DialController::loadFavouriteBtnWebKitViews);
}

void DialController::sendIMSIToHttpServerBySoap()
{
    const ConfigService config(configStore());
    const QString imsi = DialService::sharedDialService().imsi();
    // Without an IMSI there is nothing to ask about.
    if (!config.hasImsiPhoneConfig() || imsi.isEmpty() || config.isImsiPhoneDictContainCertainImsi(imsi))
        return;
    if (!client_)
        client_ = std::make_unique<SoapClient>();
    if (!client_->initWithServerName(config.getSoapServiceName())) {
        qWarning("The subscriber-profile service address is not a web address");
        client_.reset();
        return;
    }
    soapRequestImsi_ = imsi;
    QString request = config.getSoapServiceContent();
    request.replace(QStringLiteral("%@"), imsi.toHtmlEscaped());
    client_->sendMessage(request.toUtf8(), false);
}

void DialController::setMsisdnNumberWithResult(ns::Notification*)
{
    if (!client_)
        return;
    xmlNodeArray_ = client_->getxmlNodeRecordArray();
    const QString number = getMsisdnFromResponseXML(xmlNodeArray_);
    // A number the service left empty or garbled is not kept: once stored, the
    // SIM would never be asked about again.
    if (!isSubscriberNumber(number) || soapRequestImsi_.isEmpty())
        return;
    notificationCenter.postNotificationName(kReceivePhoneNumberFromSoapServer, this,
                                            ns::Dictionary{{kReceivePhoneNumberFromSoapServer, number}});
    ConfigService(configStore()).setImsi(soapRequestImsi_, number);
}

void DialController::excuteWhenConnectServerError(ns::Notification* notification)
{
    if (soapRequestImsi_.isEmpty())
        return;
    qWarning("The subscriber-number request failed: %s",
             qPrintable(notification ? notification->userInfo().value(QStringLiteral("errorInfor")).toString()
                                     : QString()));
    // The records the client still holds are an earlier reply's: a reply
    // announced now is not this SIM's. Its next connection asks again.
    soapRequestImsi_.clear();
}

QString DialController::getMsisdnFromResponseXML(const ns::Array& nodes) const
{
    for (const ns::Value& node : nodes) {
        const ns::Dictionary record = node.toDictionary();
        if (record.value(QStringLiteral("xmlNodeName")).toString() == kMSISDN)
            return record.value(QStringLiteral("xmlNodeValue")).toString();
    }
    return QString();
}

void DialController::setDiagMSISDNValue(const QString& number)
{
    if (tfdDiagMSISDN_)
        tfdDiagMSISDN_->setStringValue(number);
}

QString DialController::getPhoneNumber()
{
    const QString number = runtimeObjectForKey(kRTPhoneNumber).stringValue();
    if (number.isEmpty())
        return QStringLiteral("SmartNet");
    // A number no longer than a country code is shown as it is.
    if (number.size() < 2)
        return number;
    return QStringLiteral("0") + number.mid(2);
}

void DialController::displayPhoneNumberForSmart()
{
    setDeviceStatusStringRows(1);
    if (g_InitControlling)
        g_InitControlling->setSmartUITopFrontSizeFlag(true);
    smartUITopFixedImage(QString(), QString(), QString(), getPhoneNumber());
}

void DialController::addStatisticsInInternet()
{
    notifyChangeTabViewItem(QStringLiteral("DialRecord"));
}

void DialController::loadFavouriteBtnWebKitViews()
{
    const QDir images(configStore().configFilePathOfKey(kCMModemListPath) + QStringLiteral("/dovure/images"));
    const QString background = images.filePath(QStringLiteral("background.swf"));
    for (int number = 1; number <= kFavouriteIconCount; ++number) {
        auto* view =
            dynamic_cast<ns::WebView*>(skinView(QStringLiteral("webViewOfFavouiteBtnForIcon%1").arg(number)));
        if (!view)
            return;
        const QString icon = images.filePath(QStringLiteral("icon%1.swf").arg(number));
        if (QFileInfo::exists(icon))
            LoadFlash(icon, view);
        else if (QFileInfo::exists(background))
            LoadFlash(background, view);
    }
}
