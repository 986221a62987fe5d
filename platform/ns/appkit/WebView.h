#pragma once

#include "platform/ns/appkit/View.h"

#include <QUrl>
#include <QVariant>

#include <functional>

class QWebEngineView;

namespace ns
{

class WebView;

// How a navigation came about.
enum WebNavigationType {
    WebNavigationTypeLinkClicked = 0,
    WebNavigationTypeFormSubmitted = 1,
    WebNavigationTypeBackForward = 2,
    WebNavigationTypeReload = 3,
    WebNavigationTypeFormResubmitted = 4,
    WebNavigationTypeOther = 5,
};

// Decides where the pages a web view is asked for are shown.
class WebPolicyDelegate
{
public:
    virtual ~WebPolicyDelegate() = default;
    // Whether the view loads the address; a delegate that refuses may open it elsewhere.
    virtual bool decidePolicyForNavigation(WebView* /*webView*/, const QUrl& /*url*/, int /*navigationType*/,
                                           bool /*isMainFrame*/)
    {
        return true;
    }
};

// Hears how loading the main frame goes.
class WebFrameLoadDelegate
{
public:
    virtual ~WebFrameLoadDelegate() = default;
    virtual void didReceiveTitle(WebView* /*webView*/, const QString& /*title*/) {}
    // The page finished loading, or failed to.
    virtual void didFinishLoad(WebView* /*webView*/, bool /*ok*/) {}
};

// Answers what a page asks of the user interface around it.
class WebUIDelegate
{
public:
    virtual ~WebUIDelegate() = default;
    // A page asks for a new window showing the address (window.open, a link
    // with a target); the view opens none itself.
    virtual void createWebViewWithRequest(WebView* /*webView*/, const QUrl& /*url*/) {}
    // A page's confirm(): YES for OK.
    virtual bool runJavaScriptConfirmPanel(WebView* /*webView*/, const QString& /*message*/) { return false; }
};

// A view showing web pages, over QtWebEngine. The engine is started with the
// first web view; where it cannot start or its page process ends, the view
// shows nothing and the reason is logged, and the program goes on.
//
// Offscreen, a web view draws nothing into a grab of its window: check its
// page through JavaScript.
class WebView : public View
{
public:
    explicit WebView(const Rect& frame = Rect());
    ~WebView() override;

    // Loads a web page or a local file (a path or a file URL).
    void setMainFrameURL(const QString& urlOrPath);
    QUrl mainFrameURL() const;
    QString mainFrameTitle() const;
    bool isLoading() const { return loading_; }
    void reload(Object* sender);
    void stopLoading(Object* sender);

    // Runs the script in the page; the result (null when the script fails or
    // the engine is not there) comes to the callback on the main thread.
    void evaluateJavaScript(const QString& script, std::function<void(const QVariant&)> result);

    void setPolicyDelegate(WebPolicyDelegate* delegate) { policyDelegate_ = delegate; }
    WebPolicyDelegate* policyDelegate() const { return policyDelegate_; }
    void setFrameLoadDelegate(WebFrameLoadDelegate* delegate) { frameLoadDelegate_ = delegate; }
    WebFrameLoadDelegate* frameLoadDelegate() const { return frameLoadDelegate_; }
    // Without one, a page's requests for new windows go nowhere and its
    // confirm() answers NO.
    void setUIDelegate(WebUIDelegate* delegate) { uiDelegate_ = delegate; }
    WebUIDelegate* uiDelegate() const { return uiDelegate_; }

    // Whether pages show scroll bars, from the next page loaded.
    void setAllowsScrolling(bool allows);
    bool allowsScrolling() const;

    // Whether the engine's page is there to show pages (false once its process has ended).
    bool isAvailable() const { return engineView_ != nullptr; }

    void setFrame(const Rect& frame) override;

    // Sets up the engine's environment before it starts: its process runs
    // without the Chromium sandbox as root (where the sandbox cannot start)
    // and without the GPU offscreen or as root. The one place that does it;
    // the constructor calls it.
    static void prepareEngine();

private:
    class Page;
    friend class Page;

    // The page's process ended: the view shows nothing from now on.
    void engineEnded(const QString& reason);

    QWebEngineView* engineView_ = nullptr;
    WebPolicyDelegate* policyDelegate_ = nullptr;
    WebFrameLoadDelegate* frameLoadDelegate_ = nullptr;
    WebUIDelegate* uiDelegate_ = nullptr;
    bool loading_ = false;
    bool refusedNavigation_ = false;
};

} // namespace ns
