#include "platform/ns/appkit/WebView.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtDebug>

#include <utility>

#include <unistd.h>

namespace ns
{

namespace
{

constexpr char kChromiumFlagsVariable[] = "QTWEBENGINE_CHROMIUM_FLAGS";

void addChromiumFlag(const QByteArray& flag)
{
    QByteArray flags = qgetenv(kChromiumFlagsVariable);
    if (flags.split(' ').contains(flag))
        return;
    qputenv(kChromiumFlagsVariable, flags.isEmpty() ? flag : flags + ' ' + flag);
}

} // namespace

// The engine's page: asks the view's policy delegate about each navigation.
class WebView::Page : public QWebEnginePage
{
public:
    Page(WebView* view, QObject* parent) : QWebEnginePage(parent), view_(view) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        WebPolicyDelegate* delegate = view_->policyDelegate_;
        const bool accepted =
            !delegate || delegate->decidePolicyForNavigation(view_, url, navigationType(type), isMainFrame);
        // The engine reports a refused main-frame navigation as a load that failed; it is none.
        if (!accepted && isMainFrame)
            view_->refusedNavigation_ = true;
        return accepted;
    }

    bool javaScriptConfirm(const QUrl& /*securityOrigin*/, const QString& message) override
    {
        return view_->uiDelegate_ && view_->uiDelegate_->runJavaScriptConfirmPanel(view_, message);
    }

private:
    static int navigationType(NavigationType type)
    {
        switch (type) {
        case NavigationTypeLinkClicked:
            return WebNavigationTypeLinkClicked;
        case NavigationTypeFormSubmitted:
            return WebNavigationTypeFormSubmitted;
        case NavigationTypeBackForward:
            return WebNavigationTypeBackForward;
        case NavigationTypeReload:
            return WebNavigationTypeReload;
        default:
            return WebNavigationTypeOther;
        }
    }

    WebView* view_;
};

void WebView::prepareEngine()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    const bool asRoot = geteuid() == 0;
    if (asRoot) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        addChromiumFlag("--no-sandbox");
    }
    if (asRoot || QGuiApplication::platformName() == QLatin1String("offscreen"))
        addChromiumFlag("--disable-gpu");
}

WebView::WebView(const Rect& frame) : View(frame)
{
    prepareEngine();
    engineView_ = new QWebEngineView(this);
    auto* page = new Page(this, engineView_);
    engineView_->setPage(page);
    engineView_->setGeometry(rect());
    engineView_->show();

    QObject::connect(page, &QWebEnginePage::loadStarted, engineView_,
                     [this] { loading_ = !refusedNavigation_; });
    QObject::connect(page, &QWebEnginePage::loadFinished, engineView_, [this](bool ok) {
        if (std::exchange(refusedNavigation_, false))
            return;
        loading_ = false;
        if (!ok)
            qWarning("Web view: %s did not load", qPrintable(mainFrameURL().toDisplayString()));
        if (frameLoadDelegate_)
            frameLoadDelegate_->didFinishLoad(this, ok);
    });
    QObject::connect(page, &QWebEnginePage::titleChanged, engineView_, [this](const QString& title) {
        if (frameLoadDelegate_)
            frameLoadDelegate_->didReceiveTitle(this, title);
    });
    // Not handled here, the request opens no window.
    QObject::connect(page, &QWebEnginePage::newWindowRequested, engineView_,
                     [this](QWebEngineNewWindowRequest& request) {
                         if (uiDelegate_)
                             uiDelegate_->createWebViewWithRequest(this, request.requestedUrl());
                     });
    QObject::connect(page, &QWebEnginePage::renderProcessTerminated, engineView_,
                     [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
                         if (status != QWebEnginePage::NormalTerminationStatus)
                             engineEnded(QStringLiteral("its page process ended (status %1, exit code %2)")
                                             .arg(int(status))
                                             .arg(exitCode));
                     });
}

WebView::~WebView() = default;

void WebView::engineEnded(const QString& reason)
{
    qWarning("Web view: the web engine cannot show pages: %s", qPrintable(reason));
    loading_ = false;
    // Deleted once the signal that brought us here has returned.
    engineView_->hide();
    engineView_->deleteLater();
    engineView_ = nullptr;
    if (frameLoadDelegate_)
        frameLoadDelegate_->didFinishLoad(this, false);
}

void WebView::setMainFrameURL(const QString& urlOrPath)
{
    if (!engineView_)
        return;
    const QUrl url = QFileInfo(urlOrPath).isAbsolute() ? QUrl::fromLocalFile(urlOrPath) : QUrl(urlOrPath);
    engineView_->load(url);
}

QUrl WebView::mainFrameURL() const
{
    return engineView_ ? engineView_->url() : QUrl();
}

QString WebView::mainFrameTitle() const
{
    return engineView_ ? engineView_->title() : QString();
}

void WebView::reload(Object*)
{
    if (engineView_)
        engineView_->reload();
}

void WebView::stopLoading(Object*)
{
    if (engineView_)
        engineView_->stop();
}

void WebView::evaluateJavaScript(const QString& script, std::function<void(const QVariant&)> result)
{
    if (!engineView_) {
        if (result)
            result(QVariant());
        return;
    }
    engineView_->page()->runJavaScript(script, [result = std::move(result)](const QVariant& value) {
        if (result)
            result(value);
    });
}

void WebView::setAllowsScrolling(bool allows)
{
    if (engineView_)
        engineView_->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, allows);
}

bool WebView::allowsScrolling() const
{
    return !engineView_ || engineView_->settings()->testAttribute(QWebEngineSettings::ShowScrollBars);
}

void WebView::setFrame(const Rect& frame)
{
    View::setFrame(frame);
    if (engineView_)
        engineView_->setGeometry(rect());
}

} // namespace ns
