#pragma once

#include "platform/ns/appkit/Geometry.h"
#include "platform/ns/appkit/WebView.h"

#include <QString>

namespace ns
{
class View;
} // namespace ns

// What a web view of the operator's pages reports to: where its pages go,
// how loading goes and what its pages ask of the user.
class WebViewDelegate : public ns::WebPolicyDelegate,
                        public ns::WebFrameLoadDelegate,
                        public ns::WebUIDelegate
{
};

// Puts web views into views, takes them out again and loads them. As the
// delegate of the views it makes itself, it lets every page load in place
// and opens the addresses of new windows in the web browser.
class WebViewUtilities : public WebViewDelegate
{
public:
    static WebViewUtilities& sharedManager();

    // A new web view in the superview (the caller owns it), reporting to the
    // delegate or, without one, to the utility; null for an empty frame or
    // no superview.
    ns::WebView* attachWebviewWithFrameRect(const ns::Rect& frame, ns::View* superview,
                                            WebViewDelegate* delegate = nullptr);
    // Stops the view, cuts it off from its delegates, takes it out of its
    // superview and deletes it.
    void detachSubWebview(ns::WebView* webView);
    // A file at the text taken as a path is loaded from disk, anything else as
    // an address. Nothing for an empty text or no view; YES when something loads.
    bool LoadURL(const QString& text, ns::WebView* webView);

    bool decidePolicyForNavigation(ns::WebView* webView, const QUrl& url, int navigationType,
                                   bool isMainFrame) override;
    void didReceiveTitle(ns::WebView* webView, const QString& title) override;
    void didFinishLoad(ns::WebView* webView, bool ok) override;
    void createWebViewWithRequest(ns::WebView* webView, const QUrl& url) override;

private:
    WebViewUtilities() = default;
};
