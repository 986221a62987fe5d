#include "connection/Dovure/WebViewUtilities.h"

#include "platform/ns/appkit/Workspace.h"

#include <QFileInfo>
#include <QtDebug>

WebViewUtilities& WebViewUtilities::sharedManager()
{
    static WebViewUtilities utilities;
    return utilities;
}

ns::WebView* WebViewUtilities::attachWebviewWithFrameRect(const ns::Rect& frame, ns::View* superview,
                                                          WebViewDelegate* delegate)
{
    if (frame.isEmpty() || !superview)
        return nullptr;
    if (!delegate)
        delegate = this;
    auto* webView = new ns::WebView(frame);
    webView->setPolicyDelegate(delegate);
    webView->setUIDelegate(delegate);
    webView->setFrameLoadDelegate(delegate);
    superview->addSubview(webView);
    return webView;
}

void WebViewUtilities::detachSubWebview(ns::WebView* webView)
{
    if (!webView)
        return;
    webView->stopLoading(nullptr);
    webView->setPolicyDelegate(nullptr);
    webView->setUIDelegate(nullptr);
    webView->setFrameLoadDelegate(nullptr);
    webView->removeFromSuperview();
    delete webView;
}

bool WebViewUtilities::LoadURL(const QString& text, ns::WebView* webView)
{
    if (text.isEmpty() || !webView)
        return false;
    // A text that names no file is an address, also when it looks like a path.
    webView->setMainFrameURL(QFileInfo(text).isFile() ? QFileInfo(text).absoluteFilePath()
                                                      : QUrl(text).toString());
    return true;
}

bool WebViewUtilities::decidePolicyForNavigation(ns::WebView*, const QUrl& url, int, bool)
{
    qDebug("WebPolicyDecisionListener will loading URL:%s", qPrintable(url.toDisplayString()));
    return true;
}

void WebViewUtilities::didReceiveTitle(ns::WebView*, const QString& title)
{
    qDebug("Web page title: %s", qPrintable(title));
}

void WebViewUtilities::didFinishLoad(ns::WebView* webView, bool ok)
{
    qDebug("Web page %s %s", qPrintable(webView->mainFrameURL().toDisplayString()),
           ok ? "loaded" : "did not load");
}

void WebViewUtilities::createWebViewWithRequest(ns::WebView*, const QUrl& url)
{
    ns::Workspace::sharedWorkspace().openURL(url);
}
