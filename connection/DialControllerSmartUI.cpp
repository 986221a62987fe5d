// The smart skin's top area: an image or the device status above the pages,
// the skin's connect button, and the operator's two extender pages laid over
// the top and the home-page views while connected.
#include "connection/DialController.h"

#include "app/interfaces/InitControlling.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/skin/JOVUIManager.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/WebView.h"

#include <QUrl>

namespace
{

const QString kInternet = QStringLiteral("Internet");
const QString kTopView = QStringLiteral("webViewInTopFixed");
const QString kHomePageView = QStringLiteral("webViewInHomePage");
const QString kStatusLabel = QStringLiteral("labelDeviceStutas");
const QString kFreeToFunHomePage = QStringLiteral("freeToFun_HomePage.png");
// The operator's web server that serves the extender pages, as "host" or
// "scheme://host[:port]".
const QString kExtenderHostKey = QStringLiteral("SmartUIExtenderHost");
const QString kTopPagePath = QStringLiteral("/ibro-fe/pages/ibro/extender1.xhtml");
const QString kHomePagePath = QStringLiteral("/ibro-fe/pages/ibro/extender2.xhtml");

// Shows the named application image in a view of the skin: an image view
// takes the image, a web view loads its file.
void showImage(ns::View* view, const QString& name)
{
    if (auto* imageView = dynamic_cast<ns::ImageView*>(view))
        imageView->setImage(ns::Image::imageNamed(name));
    else if (auto* webView = dynamic_cast<ns::WebView*>(view))
        webView->setMainFrameURL(ns::Bundle::mainBundle().pathForResource(name, QString()));
}

// A web view filling the view, on top of what it shows.
ns::WebView* attachWebView(ns::View* superview)
{
    auto* webView = new ns::WebView(superview->bounds());
    superview->addSubview(webView);
    return webView;
}

void detachWebView(QPointer<ns::WebView>& webView)
{
    delete webView.data();
    webView = nullptr;
}

} // namespace

ns::View* DialController::skinView(const QString& key) const
{
    return jovSkinManager ? jovSkinManager->controllerByKey<ns::View>(key) : nullptr;
}

bool DialController::isSmartUI() const
{
    return uiConfigDict().value(QStringLiteral("SmartUI")).boolValue();
}

void DialController::smartUITopFixedImage(const QString& image, const QString& homePageImage,
                                          const QString& connectBtnName, const QString& deviceStatus)
{
    if (!isSmartUI())
        return;
    if (webViewInHomePage_)
        smartUIDeattachWebView();
    ns::View* top = skinView(kTopView);
    auto* status = dynamic_cast<ns::TextField*>(skinView(kStatusLabel));
    if (!image.isNull()) {
        if (status)
            status->setHidden(true);
        if (top) {
            top->setHidden(false);
            showImage(top, image);
        }
    }
    if (!homePageImage.isNull())
        if (ns::View* home = skinView(kHomePageView))
            showImage(home, homePageImage);
    smartUISetConnectBtnTitle(connectBtnName);
    if (!status)
        return;
    if (deviceStatus.isNull()) {
        status->setHidden(true);
        return;
    }
    if (top)
        top->setHidden(true);
    status->setHidden(false);
    if (deviceStatusStringRows_ == 2) {
        resetDeviceStatusLabelSize(180, 59);
        status->setAlignment(ns::LeftTextAlignment);
    } else {
        resetDeviceStatusLabelSize(175, 46);
        status->setAlignment(ns::CenterTextAlignment);
    }
    // The large font serves one text, the number shown after it was asked for.
    const bool large = g_InitControlling && g_InitControlling->getSmartUITopFrontSizeFlag();
    if (large)
        g_InitControlling->setSmartUITopFrontSizeFlag(false);
    status->setFont(ns::Font::boldSystemFontOfSize(large ? 21 : 16));
    status->setStringValue(deviceStatus);
}

void DialController::resetDeviceStatusLabelSize(double width, double height)
{
    if (ns::View* status = skinView(kStatusLabel))
        status->setFrameSize({width, height});
}

void DialController::smartUISetConnectBtnTitle(const QString& title)
{
    if (title.isNull() || !isSmartUI())
        return;
    if (auto* button = dynamic_cast<ns::Button*>(skinView(QStringLiteral("btnDialConnectExt"))))
        button->setTitle(title);
}

QStringList DialController::smartUIExtenderPages() const
{
    QString host = configStore().getConfigurationByModuleAndKey(kInternet, kExtenderHostKey).stringValue();
    if (host.isEmpty())
        return {};
    if (!host.contains(QStringLiteral("://")))
        host.prepend(QStringLiteral("http://"));
    // The number and the IMSI travel as query values, escaped ("+" would read as a space).
    const auto escaped = [](const QString& value) {
        return QString::fromLatin1(QUrl::toPercentEncoding(value));
    };
    const QString query =
        QStringLiteral("?msisdn=%1&imsi=%2")
            .arg(escaped(configStore()
                             .getConfigurationByModuleAndKey(kRuntimeDataKey, kRTPhoneNumber)
                             .stringValue()),
                 escaped(configStore().getConfigurationByModule(QStringLiteral("IMSI")).stringValue()));
    return {host + kTopPagePath + query, host + kHomePagePath + query};
}

void DialController::smartUIAttachWebViewOpenURL()
{
    ns::View* top = skinView(kTopView);
    ns::View* home = skinView(kHomePageView);
    const QStringList pages = smartUIExtenderPages();
    if (!isSmartUI() || !top || !home || pages.isEmpty())
        return;
    smartUIDeattachWebView();
    webViewInHomePage_ = attachWebView(home);
    webViewInViewTopFixed_ = attachWebView(top);
    webViewInViewTopFixed_->setMainFrameURL(pages.first());
    webViewInHomePage_->setMainFrameURL(pages.last());
    if (tabviewMain)
        tabviewMain->setNeedsDisplay();
}

void DialController::smartUIDeattachWebView()
{
    detachWebView(webViewInViewTopFixed_);
    detachWebView(webViewInHomePage_);
}

void DialController::smartUIManualDisconnect()
{
    smartUIDeattachWebView();
    const QString connect = localized(QStringLiteral("Connect"));
    if (manualDisconnectFlag) {
        smartUITopFixedImage(QStringLiteral("freeToFun.png"), kFreeToFunHomePage, connect,
                             smartUIPhoneNumberStatus());
        return;
    }
    setDeviceStatusStringRows(2);
    smartUITopFixedImage(QString(), kFreeToFunHomePage, connect,
                         localized(QStringLiteral("Can not connect, please try again")));
}

QString DialController::smartUIPhoneNumberStatus()
{
    if (!isSmartUI() || !switches_.isDisplayPhoneNumberForSmart())
        return QString();
    setDeviceStatusStringRows(1);
    if (g_InitControlling)
        g_InitControlling->setSmartUITopFrontSizeFlag(true);
    return getPhoneNumber();
}
