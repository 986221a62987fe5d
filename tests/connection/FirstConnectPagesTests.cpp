// The operator's pages of the Internet tab at the first connection, over the
// web engine offscreen: the main page over the tab, the embedded page, and
// the embedded page the tab shows from the start.
#include "app/ui/controller/RuntimeKeys.h"
#include "connection/DialController.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/WebView.h"
#include "tests/connection/DialTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

using dial_test::DialApp;
using dial_test::withSettings;

constexpr int kLoadGuardMs = 30000;

// A page of a private folder, and its address with the two values a link format gives it.
struct MainPage {
    MainPage()
    {
        QFile file(dir.filePath(QStringLiteral("main.html")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html><head><title>main</title></head><body></body></html>");
    }
    QString format() const { return address(QStringLiteral("%@"), QStringLiteral("%@")); }
    QString address(const QString& first, const QString& second) const
    {
        return QUrl::fromLocalFile(dir.filePath(QStringLiteral("main.html"))).toString() +
               QStringLiteral("?a=%1&b=%2").arg(first, second);
    }
    QTemporaryDir dir;
};

const QString kPhone = QStringLiteral("639171234567");
const QString kImei = QStringLiteral("356938035643809");

// The controller over those settings, the SIM's number and IMEI known, one
// connection made and come up.
struct ConnectedApp {
    explicit ConnectedApp(const ns::Dictionary& settings) : app(settings)
    {
        app.dial.setRuntimeObject(kPhone, kRTPhoneNumber);
        app.dial.setRuntimeObject(kImei, kRTIMEI);
        connect();
    }
    void connect()
    {
        app.dial.DialConnect();
        app.dial.performActionWhenFirstConnected();
    }
    QList<ns::WebView*> webViewsOnTheTab()
    {
        QList<ns::WebView*> views;
        for (QWidget* widget : app.tabs.tabViewItemAtIndex(0)->view()->findChildren<QWidget*>())
            if (auto* view = dynamic_cast<ns::WebView*>(widget))
                views << view;
        return views;
    }
    DialApp app;
};

bool shows(ns::WebView* view, const QString& address)
{
    return view && QTest::qWaitFor([&] { return view->mainFrameURL() == QUrl(address); }, kLoadGuardMs);
}

} // namespace

TEST(FirstConnectPages, TheOperatorsMainPageCoversTheTabOncePerRun)
{
    MainPage page;
    ConnectedApp c(withSettings({{"UIConfig", ns::Dictionary{{"IndonesiaZEZ", true}}},
                                 {"webURLDict", ns::Dictionary{{"MainPage", page.format()}}}}));
    ns::WebView* view = c.app.dial.indonesiaWebView_;
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->superview(), c.app.tabs.tabViewItemAtIndex(0)->view());
    EXPECT_EQ(view->frame(), ns::Rect(ns::Point(), c.app.tabs.frame().size));
    EXPECT_TRUE(shows(view, page.address(kPhone, kImei)));

    c.connect();
    EXPECT_EQ(c.app.dial.indonesiaWebView_, view);
    EXPECT_EQ(c.webViewsOnTheTab(), QList<ns::WebView*>{view});
}

TEST(FirstConnectPages, TheEmbeddedPagesShowInTheirContainer)
{
    MainPage page;
    const QString other = QUrl::fromLocalFile(page.dir.filePath(QStringLiteral("main.html"))).toString();
    struct Case {
        const char* what;
        ns::Dictionary settings;
        QString shown;
    };
    const ns::Dictionary links{{"MainPage", page.format()}};
    const Case cases[] = {
        {"the main page with the number",
         {{"IndonesiaMKNwebURL", true}, {"MKNwebURLAddPhoneNum", true}, {"webURLDict", links}},
         page.address(kPhone, kImei)},
        {"the main page with the IMEI alone",
         {{"IndonesiaMKNwebURL", true}, {"webURLDict", links}},
         page.address(kImei, QString())},
        {"the configured page", {{"EmbedWebViewURL", other}}, other},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConnectedApp app(withSettings(c.settings));
        ns::WebView* view = app.app.dial.embeddedWebView_;
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->superview(), app.app.dial.viewContainerEmbedInUI_);
        EXPECT_TRUE(shows(view, c.shown));
        // Each connection shows it again in the same view.
        app.connect();
        EXPECT_EQ(app.webViewsOnTheTab(), QList<ns::WebView*>{view});
    }
}
