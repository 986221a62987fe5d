// The operator's web pages on the Internet view: pages and animations loaded
// into web views, the page embedded at set-up and the special page shown
// while connected.
#include "connection/DialController.h"

#include "connection/Dovure/WebViewUtilities.h"
#include "platform/ns/appkit/WebView.h"

#include <QFileInfo>

namespace
{

const QString kFlashExtension = QStringLiteral("swf");
const QString kHtmlExtension = QStringLiteral("htm");
const QString kRectModule = QStringLiteral("WebViewRectInSuperView");
// The special page keeps this margin inside its container.
constexpr double kSpecialWebViewInset = 10;

} // namespace

bool DialController::openURL(const QString& address, ns::WebView* webView)
{
    return WebViewUtilities::sharedManager().LoadURL(address, webView);
}

QString DialController::getHtmlFilePathByFlash(const QString& path)
{
    const QFileInfo file(path);
    if (file.suffix() != kFlashExtension)
        return QString();
    return file.path() + QLatin1Char('/') + file.completeBaseName() + QLatin1Char('.') + kHtmlExtension;
}

void DialController::LoadFlash(const QString& file, ns::WebView* webView)
{
    if (file.isEmpty() || !webView)
        return;
    if (!QFileInfo::exists(file)) {
        webView->setMainFrameURL(file);
        return;
    }
    // The web view cannot play the animation itself: the page made from it,
    // beside it, shows it instead.
    if (configStore().getConfigurationByModule(QStringLiteral("GetHtmlFilePathByFlashFile")).boolValue()) {
        const QString page = getHtmlFilePathByFlash(file);
        webView->setAllowsScrolling(false);
        if (!page.isEmpty())
            webView->setMainFrameURL(QFileInfo(page).absoluteFilePath());
        return;
    }
    webView->setMainFrameURL(QFileInfo(file).absoluteFilePath());
}

ns::Rect DialController::getRectInSuperView() const
{
    const auto value = [this](const char* key) {
        return configStore()
            .getConfigurationByModuleAndKey(kRectModule, QString::fromLatin1(key))
            .doubleValue();
    };
    return {value("InSuperViewLeft"), value("InSuperViewBottom"), value("DecreasedHeight"),
            value("DecreasedWidth")};
}

ns::WebView* DialController::displayWebUrl(const QString& address, ns::View* view, bool allowsScrolling,
                                           const ns::Rect& offset)
{
    if (!view)
        return nullptr;
    const ns::Rect frame = view->frame();
    // The offset's width is what the page loses in width, its height what it
    // loses in height.
    ns::WebView* webView = WebViewUtilities::sharedManager().attachWebviewWithFrameRect(
        ns::Rect(frame.minX() + offset.minX(), frame.minY() + offset.minY(),
                 frame.size.width - offset.size.width, frame.size.height - offset.size.height),
        view);
    if (!webView)
        return nullptr;
    webView->setAllowsScrolling(allowsScrolling);
    openURL(address, webView);
    return webView;
}

void DialController::displaySpecialWebView()
{
    const QString address =
        configStore().getConfigurationByModule(QStringLiteral("WebViewURL")).stringValue();
    if (address.isEmpty() || !viewContainer_ || specialWebView_)
        return;
    specialWebView_ = WebViewUtilities::sharedManager().attachWebviewWithFrameRect(
        viewContainer_->frame().insetBy(kSpecialWebViewInset, kSpecialWebViewInset), viewContainer_);
    if (!specialWebView_)
        return;
    specialWebView_->setAllowsScrolling(false);
    openURL(address, specialWebView_);
}

void DialController::detachSpecialWebview()
{
    WebViewUtilities::sharedManager().detachSubWebview(specialWebView_.data());
    specialWebView_ = nullptr;
}
